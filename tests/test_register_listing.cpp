// Register listings and fixed channel tables against their worked examples.
#include <gtest/gtest.h>

#include "cc1000_calc.h"
#include "channel_table.h"
#include "fixed_tables.h"
#include "memory_map.h"
#include "register_listing.h"
#include "text_lines.h"

namespace {

std::string Entry(const std::vector<std::string>& texts, size_t at) {
  return texts.at(at) + " " + texts.at(at + 1) + " " + texts.at(at + 2) + " " + texts.at(at + 3);
}

const double kDefaultOffset = OffsetFromBox(433.940);

TEST(RegisterListing, LoadNewSettingsWithDefaults) {
  EXPECT_EQ(kDefaultOffset, 0.060000000000002274);
  CC1000_Calc calc;
  LoadSettingsChoice choice;
  choice.offset = kDefaultOffset;
  const TableListing out = LoadNewSettingsTable(calc, choice);
  const std::vector<std::string> lines = Lines(out.listing);
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[0], "\tde\t0x5E,0x9E,0x00,0x70\t;\t433.135MHz\tLO Freq: 433.101");
  EXPECT_EQ(lines[1], "\tde\t0x4A,0x61,0x01,0x58\t;\t433.205MHz\tLO Freq: 433.449");
  EXPECT_EQ(lines[10], "TX_FREQ_Table\r\taddwf\tPCL,f");
  EXPECT_EQ(lines[11], "\tde\t0x43,0x92,0xB8,0x50\t;\t\t433.240051953125MHz");
  EXPECT_EQ(lines[12], "\tde\t0x43,0x95,0xEC,0x50\t;\t\t433.320051953125MHz");
  ASSERT_EQ(out.texts.size(), 80u);
  EXPECT_EQ(Entry(out.texts, 0), "5E 9E 00 70");
  EXPECT_EQ(Entry(out.texts, 40), "43 92 B8 50");
}

TEST(RegisterListing, LoadNewSettingsForATransmitOnlyModuleAndMatchedTransmit) {
  CC1000_Calc calc;
  LoadSettingsChoice plain;
  plain.offset = kDefaultOffset;
  const TableListing base = LoadNewSettingsTable(calc, plain);

  LoadSettingsChoice ts = plain;
  ts.transmitOnly = true;
  const TableListing transmitOnly = LoadNewSettingsTable(calc, ts);
  const auto baseLines = Lines(base.listing), tsLines = Lines(transmitOnly.listing);
  for (int n = 0; n < 10; ++n) {
    // Transmit-side bytes (PLL 50 for this band) under the receive comment.
    EXPECT_EQ(tsLines[n].substr(0, 8), "\tde\t0x43") << n;
    EXPECT_EQ(tsLines[n].substr(tsLines[n].find("\t;\t")).substr(0, 14),
              baseLines[n].substr(baseLines[n].find("\t;\t")).substr(0, 14));
    EXPECT_NE(tsLines[n].find("LO Freq: "), std::string::npos);
  }
  EXPECT_EQ(std::vector<std::string>(tsLines.begin() + 10, tsLines.end()),
            std::vector<std::string>(baseLines.begin() + 10, baseLines.end()));

  LoadSettingsChoice matched = plain;
  matched.matchTxToRx = true;
  const auto matchedLines = Lines(LoadNewSettingsTable(calc, matched).listing);
  for (int n = 0; n < 10; ++n) {
    // The transmit line names the receive frequency reached (the wanted
    // receive frequency, offset included).
    calc.Calculate(FillLowerSet().first[n], 0, kDefaultOffset, false);
    const std::string reached = calc.TxFreqText();
    EXPECT_NE(matchedLines[11 + n].find("\t;\t\t" + reached + "MHz"), std::string::npos)
        << matchedLines[11 + n];
  }
}

TEST(RegisterListing, ChannelScanFindsTenDistinctFrequenciesTwice) {
  CC1000_Calc calc;
  const TableListing out = ChannelScanTable(calc);
  const std::vector<std::string> lines = Lines(out.listing);
  ASSERT_EQ(lines.size(), 21u);
  const char* expected[10] = {
      "\tde\t0x4A,0x60,0x01,0x58\t; 433.30459740767MHz\tH",
      "\tde\t0x57,0xE0,0x00,0x68\t; 433.380821183894MHz\tL",
      "\tde\t0x43,0xA0,0x01,0x50\t; 433.450051953125MHz\tH",
      "\tde\t0x51,0x20,0x00,0x60\t; 433.483385286458MHz\tL",
      "\tde\t0x5E,0xC0,0x01,0x70\t; 433.564337667411MHz\tH",
      "\tde\t0x4A,0x60,0x00,0x58\t; 433.60459740767MHz\tL",
      "\tde\t0x58,0x00,0x01,0x68\t; 433.696205799279MHz\tH",
      "\tde\t0x43,0xA0,0x00,0x50\t; 433.750051953125MHz\tL",
      "\tde\t0x51,0x40,0x01,0x60\t; 433.850051953125MHz\tH",
      "\tde\t0x5E,0xC0,0x00,0x70\t; 433.864337667411MHz\tL",
  };
  for (int n = 0; n < 10; ++n) EXPECT_EQ(lines[n], expected[n]);
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11].substr(0, 27), "\tde\t0x43,0x92,0xE7,0x50\t; 4");
  // The second pass finds the same ten frequencies.
  for (int n = 0; n < 10; ++n) {
    const std::string frequency = lines[n].substr(lines[n].find("; "), lines[n].find("MHz") - lines[n].find("; "));
    EXPECT_NE(lines[11 + n].find(frequency + "MHz"), std::string::npos) << n;
  }
  using namespace memory_map;
  ASSERT_EQ(out.texts.size(), 120u);
  EXPECT_EQ(Entry(out.texts, kReceiveBlock - kFirstTransmitBlock), "4A 60 01 58");
  EXPECT_EQ(Entry(out.texts, 0), "43 92 E7 50");
  EXPECT_EQ(std::vector<std::string>(out.texts.begin(), out.texts.begin() + 40),
            std::vector<std::string>(out.texts.begin() + 80, out.texts.end()));
}

TEST(FixedTables, WholeTablesPutTransmitEntriesInBothTransmitBlocks) {
  const std::vector<std::string> kestrin =
      FixedChannelTable(fixed_tables::kKestrinTransmit, fixed_tables::kKestrinReceive);
  ASSERT_EQ(kestrin.size(), 120u);
  EXPECT_EQ(kestrin[0], "5F");
  EXPECT_EQ(kestrin[0x80 - 0x58], "7A");
  EXPECT_EQ(std::vector<std::string>(kestrin.begin(), kestrin.begin() + 40),
            std::vector<std::string>(kestrin.begin() + 80, kestrin.end()));
  const std::vector<std::string> bandwidth =
      FixedChannelTable(fixed_tables::kBandwidthTransmit, fixed_tables::kBandwidthReceive);
  EXPECT_EQ(bandwidth.front(), "63");
  EXPECT_EQ(bandwidth.back(), "38");
  EXPECT_EQ(Entry(bandwidth, 40), "9B C0 00 58");
}

TEST(FixedTables, ComputedNineHundredMegahertzTable) {
  CC1000_Calc calc;
  ChannelFrequencies f{};
  for (int c = 0; c < 10; ++c) f[c] = 907 + c;
  const std::vector<std::string> table = ComputedChannelTable(calc, f, 0.06);
  EXPECT_EQ(Entry(table, 40), "9B C0 00 58");
  EXPECT_EQ(Entry(table, 0), "63 14 CA 38");
  EXPECT_EQ(Entry(table, 80), "63 14 CA 38");
  EXPECT_EQ(Entry(table, 40 + 36), "D6 A0 01 78");
  EXPECT_EQ(Entry(table, 36), "64 10 CA 38");
}

}  // namespace
