#include "register_listing.h"

#include "cc1000_calc.h"
#include "convert.h"
#include "frequency_sets.h"
#include "memory_map.h"

namespace {

using memory_map::kBlockBytes;
using memory_map::kChannels;

std::string DataLine(const std::string& b0, const std::string& b1, const std::string& b2,
                     const std::string& b3) {
  return "\tde\t0x" + b0 + ",0x" + b1 + ",0x" + b2 + ",0x" + b3;
}

std::string ReceiveLine(const CC1000_Calc& c) {
  return DataLine(c.Freq2AText(), c.Freq1AText(), c.Freq0AText(), c.RxPllText());
}

std::string TransmitLine(const CC1000_Calc& c) {
  return DataLine(c.Freq2BText(), c.Freq1BText(), c.Freq0BText(), c.TxPllText());
}

// The scan's next candidate: 0.001 added in extended precision, the sum
// kept as a double.
double NextCandidate(double f) {
  return static_cast<double>(static_cast<long double>(f) + static_cast<long double>(0.001));
}

}  // namespace

TableListing LoadNewSettingsTable(CC1000_Calc& calc, const LoadSettingsChoice& choice) {
  const FrequencySet lower = FillLowerSet();
  const ChannelFrequencies& receive = lower.first;
  const ChannelFrequencies& transmit = lower.second;
  TableListing out;
  auto calculate = [&](int n) {
    calc.Calculate(receive[n], choice.matchTxToRx ? 0 : transmit[n], choice.offset, choice.optimised);
  };
  for (int n = 0; n < kChannels; ++n) {
    calculate(n);
    std::vector<std::string> entry;
    if (choice.transmitOnly) {
      // Transmit-side bytes of a frequency 0.01 MHz below the transmit
      // frequency, as its shown text gives it.
      const double shown = StrToFloat(calc.TxFreqText());
      calc.Calculate(shown - 0.01, shown - 0.01, choice.offset, false);
      entry = {calc.Freq2BText(), calc.Freq1BText(), calc.Freq0BText(), calc.TxPllText()};
    } else {
      entry = {calc.Freq2AText(), calc.Freq1AText(), calc.Freq0AText(), calc.RxPllText()};
    }
    const double wanted = static_cast<double>(static_cast<long double>(receive[n]) - choice.offset);
    out.listing += DataLine(entry[0], entry[1], entry[2], entry[3]) + "\t;\t" + FloatToStr(wanted) +
                   "MHz\tLO Freq: " + calc.LoFreqText() + "\r\n";
    out.texts.insert(out.texts.end(), entry.begin(), entry.end());
  }
  out.listing += "TX_FREQ_Table\r\taddwf\tPCL,f\r\n";  // a lone carriage return after the label
  for (int n = 0; n < kChannels; ++n) {
    calculate(n);
    out.listing += TransmitLine(calc) + "\t;\t\t" + calc.TxFreqText() + "MHz\r\n";
    out.texts.insert(out.texts.end(),
                     {calc.Freq2BText(), calc.Freq1BText(), calc.Freq0BText(), calc.TxPllText()});
  }
  return out;
}

TableListing ChannelScanTable(CC1000_Calc& calc) {
  constexpr double kStart = 433.3;
  TableListing out;
  out.texts.resize(memory_map::kChannelTableBytes);
  bool havePrevious = false;
  double previous = 0;
  // The next channel: the first candidate from f upward whose transmit
  // frequency differs from the one found before.
  auto nextChannel = [&](double& f) {
    for (;;) {
      calc.Calculate(f, 0, 0, true);
      const double found = StrToFloat(calc.TxFreqText());
      f = NextCandidate(f);
      if (!havePrevious || found != previous) {
        havePrevious = true;
        previous = found;
        return;
      }
    }
  };
  double f = kStart;
  for (int n = 0; n < kChannels; ++n) {
    nextChannel(f);
    out.listing += ReceiveLine(calc) + "\t; " + calc.TxFreqText() + "MHz" +
                   (calc.LowSideLo ? "\tL" : "\tH") + "\r\n";
    const std::string entry[] = {calc.Freq2AText(), calc.Freq1AText(), calc.Freq0AText(), calc.RxPllText()};
    for (int k = 0; k < 4; ++k) out.texts[kBlockBytes + 4 * n + k] = entry[k];
  }
  out.listing += "\r\n";
  // The second pass starts over; the last frequency found carries over.
  f = kStart;
  for (int n = 0; n < kChannels; ++n) {
    nextChannel(f);
    out.listing += TransmitLine(calc) + "\t; " + calc.TxFreqText() + "MHz\r\n";
    const std::string entry[] = {calc.Freq2BText(), calc.Freq1BText(), calc.Freq0BText(), calc.TxPllText()};
    for (int k = 0; k < 4; ++k) {
      out.texts[4 * n + k] = entry[k];
      out.texts[2 * kBlockBytes + 4 * n + k] = entry[k];
    }
  }
  return out;
}
