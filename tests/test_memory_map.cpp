// The bytes the program writes into the module's memory: custom baud rate,
// group identifier and channel table, against their worked examples.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "cc1000_calc.h"
#include "channel_table.h"
#include "convert.h"
#include "custom_baud.h"
#include "frequency_sets.h"
#include "memory_map.h"

namespace {

std::string Joined(const std::array<std::string, 4>& bytes) {
  return bytes[0] + " " + bytes[1] + " " + bytes[2] + " " + bytes[3];
}

// The entry of `channel` in the block at `block`, from a table whose first
// text belongs to address `first`.
std::string Entry(const std::vector<std::string>& table, int first, int block, int channel) {
  const int a = memory_map::EntryAddress(block, channel) - first;
  return table.at(a) + " " + table.at(a + 1) + " " + table.at(a + 2) + " " + table.at(a + 3);
}

TEST(CustomBaud, DivisorAndTimingWordBytes) {
  struct Case {
    int rate, divisor, timingWord;
    const char* bytes;  // addresses 0x51 … 0x54
  };
  const Case cases[] = {
      {300, 1666, 36666, "82 06 8F 3A"},  {83333, 5, 132, "05 00 00 84"},
      {9615, 51, 1144, "33 00 04 78"},
      // Extended precision leaves 11 000 000 / rate just below a whole number.
      {440, 1135, 24999, "6F 04 61 A7"},  {500, 999, 21999, "E7 03 55 EF"},
      {880, 567, 12499, "37 02 30 D3"},   {1000, 499, 10999, "F3 01 2A F7"},
      {1760, 283, 6249, "1B 01 18 69"},   {2000, 249, 5499, "F9 00 15 7B"},
      {4000, 124, 2749, "7C 00 0A BD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rate);
    const CustomBaudWords words = CustomBaudFor(c.rate);
    EXPECT_EQ(words.divisor, c.divisor);
    EXPECT_EQ(words.timingWord, c.timingWord);
    EXPECT_EQ(Joined(CustomBaudBytes(c.rate)), c.bytes);
  }
}

TEST(CustomBaud, ListOfRatesAscendingEachOnce) {
  const std::vector<std::string> rates = CustomBaudRates();
  ASSERT_EQ(rates.size(), 1109u);
  const std::vector<std::string> head(rates.begin(), rates.begin() + 5);
  const std::vector<std::string> tail(rates.end() - 5, rates.end());
  EXPECT_EQ(head, (std::vector<std::string>{"300", "301", "302", "303", "304"}));
  EXPECT_EQ(tail, (std::vector<std::string>{"50000", "55555", "62500", "71428", "83333"}));
  EXPECT_EQ(std::set<std::string>(rates.begin(), rates.end()).size(), rates.size());
  for (size_t i = 1; i < rates.size(); ++i) EXPECT_LT(StrToInt(rates[i - 1]), StrToInt(rates[i]));
}

TEST(CustomBaud, HiddenCalculatorFigures) {
  EXPECT_EQ(ClosestQuarterStepRate(300), "299.99");
  EXPECT_EQ(ClosestQuarterStepRate(9600), "9615.38");
  EXPECT_EQ(ClosestQuarterStepRate(19200), "19230.77");
  EXPECT_THROW(ClosestQuarterStepRate(0), std::domain_error);
  EXPECT_THROW(ClosestQuarterStepRate(-8000000), std::domain_error);  // divisor -1
  EXPECT_THROW(ClosestQuarterStepRate(-2147483647 - 1), std::domain_error);  // divisor -1 too
  EXPECT_EQ(ClosestQuarterStepRate(-1), "-1.00");
}

TEST(GroupIdentifier, HexCheck) {
  for (const char* text : {"", "0", "12", "1A2B3", "FF", "0123456789ABCDEF"}) {
    EXPECT_TRUE(IsHexText(text)) << text;
  }
  for (const char* text : {"ab", "1 ", "G", "0x1", "-1", "%s"}) EXPECT_FALSE(IsHexText(text)) << text;
}

TEST(FrequencySets, LowerSetIsTheHigherSetLessDoubleSubtraction) {
  const FrequencySet higher = FillHigherSet(), lower = FillLowerSet();
  EXPECT_EQ(higher.second[0], 433.275);
  EXPECT_EQ(lower.second[0], 433.23999999999995);
  EXPECT_NE(lower.second[0], 433.24);
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(lower.first[n], higher.first[n] - 0.035);
    EXPECT_EQ(lower.second[n], higher.second[n] - 0.035);
  }
}

TEST(ChannelTable, FrequencyResetOfTheHigherSet) {
  CC1000_Calc calc;
  const std::vector<std::string> table = ResetChannelTable(calc, FillHigherSet().second);
  ASSERT_EQ(table.size(), 120u);
  const char* receive[10] = {"57 E0 00 68", "65 80 01 78", "51 20 00 60", "4A 60 00 58",
                             "43 A0 00 50", "5E C0 00 70", "58 00 00 68", "5E E0 01 70",
                             "65 A0 00 78", "5E E0 00 70"};
  const char* transmit[10] = {"43 94 85 50", "43 97 B8 50", "43 9B 1F 50", "43 9F 1F 50",
                              "43 A3 EC 50", "43 A9 EC 50", "43 AE 85 50", "43 B3 B8 50",
                              "43 B9 EC 50", "43 BF 52 50"};
  using namespace memory_map;
  for (int n = 0; n < 10; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(Entry(table, kFirstTransmitBlock, kFirstTransmitBlock, n), transmit[n]);
    EXPECT_EQ(Entry(table, kFirstTransmitBlock, kReceiveBlock, n), receive[n]);
    EXPECT_EQ(Entry(table, kFirstTransmitBlock, kTransmitBlock, n), transmit[n]);
  }

  const std::string listing = ChannelTableListing(table);
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = listing.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(listing.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 30u);
  EXPECT_EQ(listing.substr(listing.size() - 2), "\r\n");
  EXPECT_EQ(lines[0], ", Ox43, Ox94, Ox85, Ox50");
  EXPECT_EQ(lines[10], ", Ox57, OxE0, Ox00, Ox68");
  EXPECT_EQ(lines[20], lines[0]);
}

TEST(ChannelTable, FrequencyResetOfTheLowerSet) {
  CC1000_Calc calc;
  const std::vector<std::string> table = ResetChannelTable(calc, FillLowerSet().second);
  using namespace memory_map;
  EXPECT_EQ(Entry(table, kFirstTransmitBlock, kReceiveBlock, 0), "4A 60 01 58");
  EXPECT_EQ(Entry(table, kFirstTransmitBlock, kTransmitBlock, 0), "43 93 1F 50");
  EXPECT_EQ(Entry(table, kFirstTransmitBlock, kReceiveBlock, 8), "43 C0 01 50");
  EXPECT_EQ(Entry(table, kFirstTransmitBlock, kTransmitBlock, 8), "43 B8 85 50");
}

ChannelFrequencies DefaultBoxes() {
  ChannelFrequencies f{};
  for (int n = 0; n < 10; ++n) f[n] = 420 + n;
  return f;
}

TEST(ChannelTable, ReceiverAndTransmitOnlyTablesOfTheDefaultBoxes) {
  using namespace memory_map;
  CC1000_Calc calc;
  const std::vector<std::string> receiver = ReceiverChannelTable(calc, DefaultBoxes());
  ASSERT_EQ(receiver.size(), 80u);
  EXPECT_EQ(Entry(receiver, kReceiveBlock, kReceiveBlock, 0), "62 60 01 78");
  EXPECT_EQ(Entry(receiver, kReceiveBlock, kTransmitBlock, 0), "41 83 63 50");
  EXPECT_EQ(Entry(receiver, kReceiveBlock, kReceiveBlock, 3), "42 00 01 50");
  EXPECT_EQ(Entry(receiver, kReceiveBlock, kTransmitBlock, 3), "41 F8 B8 50");

  const std::vector<std::string> transmitOnly = TransmitOnlyChannelTable(calc, DefaultBoxes(), false);
  ASSERT_EQ(transmitOnly.size(), 80u);
  EXPECT_EQ(Entry(transmitOnly, kReceiveBlock, kReceiveBlock, 0), "41 81 86 50");
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(Entry(transmitOnly, kReceiveBlock, kReceiveBlock, n),
              Entry(transmitOnly, kReceiveBlock, kTransmitBlock, n));
  }
  // The optimised box changes what a transmit-only module gets, never the
  // receiver table (always optimised).
  EXPECT_NE(TransmitOnlyChannelTable(calc, DefaultBoxes(), true), transmitOnly);
  EXPECT_EQ(ReceiverChannelTable(calc, DefaultBoxes()), receiver);
}

TEST(ChannelTable, FrequenciesOutsideTheCalculatorsRangeStayWellDefined) {
  CC1000_Calc calc;
  ChannelFrequencies f{};
  f.fill(433.92);
  const double wild[] = {0, -1, 1e-300, 100, 5000, 1e300, -1e300};
  for (const double x : wild) {
    f[4] = x;
    for (const auto& table : {ReceiverChannelTable(calc, f), TransmitOnlyChannelTable(calc, f, true),
                              ResetChannelTable(calc, f)}) {
      for (const std::string& text : table) {
        EXPECT_FALSE(text.empty());
        EXPECT_LE(text.size(), 8u) << FloatToStr(x);
      }
    }
  }
}

}  // namespace
