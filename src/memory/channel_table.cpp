#include "channel_table.h"

#include "cc1000_calc.h"
#include "convert.h"
#include "memory_map.h"

namespace {

using memory_map::kBlockBytes;
using memory_map::kChannels;
using memory_map::kEntryBytes;

constexpr double kTableOffset = 0.06;

void AppendTransmitEntry(const CC1000_Calc& calc, std::vector<std::string>& out) {
  out.insert(out.end(), {calc.Freq2BText(), calc.Freq1BText(), calc.Freq0BText(), calc.TxPllText()});
}

}  // namespace

std::vector<std::string> ResetChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f) {
  return ComputedChannelTable(calc, f, kResetOffset);
}

std::vector<std::string> HexTexts(const uint8_t* bytes, size_t count) {
  std::vector<std::string> texts;
  for (size_t i = 0; i < count; ++i) texts.push_back(CC1000_Calc::HexByteText(bytes[i]));
  return texts;
}

std::vector<std::string> FixedChannelTable(const fixed_tables::Entries& transmit,
                                           const fixed_tables::Entries& receive) {
  std::vector<std::string> table;
  for (const fixed_tables::Entries* block : {&transmit, &receive, &transmit}) {
    for (const fixed_tables::Entry& entry : *block) {
      const std::vector<std::string> texts = HexTexts(entry.data(), entry.size());
      table.insert(table.end(), texts.begin(), texts.end());
    }
  }
  return table;
}

std::vector<std::string> ComputedChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f,
                                              double offset) {
  std::vector<std::string> table(memory_map::kChannelTableBytes);
  for (int n = 0; n < kChannels; ++n) {
    calc.Calculate(f[n], f[n], offset, true);
    const std::string transmit[kEntryBytes] = {calc.Freq2BText(), calc.Freq1BText(),
                                               calc.Freq0BText(), calc.TxPllText()};
    const std::string receive[kEntryBytes] = {calc.Freq2AText(), calc.Freq1AText(),
                                              calc.Freq0AText(), calc.RxPllText()};
    for (int k = 0; k < kEntryBytes; ++k) {
      const int a = kEntryBytes * n + k;
      table[a] = transmit[k];
      table[a + kBlockBytes] = receive[k];
      table[a + 2 * kBlockBytes] = transmit[k];
    }
  }
  return table;
}

std::vector<std::string> ReceiverChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f) {
  std::vector<std::string> table;
  for (int n = 0; n < kChannels; ++n) {
    calc.Calculate(f[n], 0, kTableOffset, true);
    table.insert(table.end(),
                 {calc.Freq2AText(), calc.Freq1AText(), calc.Freq0AText(), calc.RxPllText()});
  }
  for (int n = 0; n < kChannels; ++n) {
    calc.Calculate(f[n], 0, kTableOffset, true);
    AppendTransmitEntry(calc, table);
  }
  return table;
}

std::vector<std::string> TransmitOnlyChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f,
                                                  bool optimised) {
  std::vector<std::string> table;
  for (int pass = 0; pass < 2; ++pass) {  // the receive block, then the transmit block
    for (int n = 0; n < kChannels; ++n) {
      calc.Calculate(f[n], 0, kTableOffset, optimised);
      // The centre as the shown text gives it, not the stored value.
      const double centre = StrToFloat(calc.TxFreqText());
      calc.Calculate(centre + 0.01, centre + 0.01, kTableOffset, false);
      AppendTransmitEntry(calc, table);
    }
  }
  return table;
}

std::string ChannelTableListing(const std::vector<std::string>& table) {
  std::string listing;
  for (size_t i = 0; i < table.size(); ++i) {
    listing += ", Ox" + table[i];
    if ((i + 1) % kEntryBytes == 0) listing += "\r\n";
  }
  return listing;
}
