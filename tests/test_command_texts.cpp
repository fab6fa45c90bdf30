// Every command the lists of the Simple Settings page and the memory jobs send.
#include <gtest/gtest.h>

#include "command_texts.h"

namespace {

TEST(CommandTexts, EveryListPosition) {
  struct Case {
    const char* list;
    int position;
    std::string command;
  };
  const auto power = commands::PowerItems(false);
  const auto powerDefault = commands::PowerItems(true);
  std::vector<Case> cases = {
      {"uart", 0, "QX_CMD#U0"}, {"uart", 4, "QX_CMD#U4"}, {"uart", 5, "QX_CMD#U5"},
      {"uart", 6, "QX_CMD#U?"}, {"uart", 7, ""},          {"uart", -1, ""},
      {"channel", 0, "QX_CMD#C0"}, {"channel", 9, "QX_CMD#C9"}, {"channel", 10, "QX_CMD#C?"},
      {"channel", 11, ""},
      {"other", 0, "QX_CMD#H1"},  {"other", 1, "QX_CMD#H2"},  {"other", 2, "QX_CMD#I7"},
      {"other", 3, "QX_CMD#I8"},  {"other", 4, "QX_CMD#A00"}, {"other", 5, "QX_CMD#A01"},
      {"other", 6, "QX_CMD#A10"}, {"other", 7, "QX_CMD#A11"}, {"other", 8, ""},
      {"test", 0, "QX_CMD#T0"},   {"test", 3, "QX_CMD#T3"},   {"test", 4, "QX_CMD#T4"},
      {"test", 5, ""},
      {"power", 3, "QX_CMD#P3"},  {"power", 10, "QX_CMD#P?"}, {"power default", 3, "QX_CMD#p3"},
      {"power default", 10, "QX_CMD#P?"},
  };
  for (const Case& c : cases) {
    const std::string list = c.list;
    std::string got;
    if (list == "uart") got = commands::Uart(c.position);
    if (list == "channel") got = commands::Channel(c.position);
    if (list == "other") got = commands::OtherSetting(c.position);
    if (list == "test") got = commands::TestMode(c.position);
    if (list == "power") got = commands::Power(c.position, power.at(c.position));
    if (list == "power default") got = commands::Power(c.position, powerDefault.at(c.position));
    EXPECT_EQ(got, c.command) << c.list << " " << c.position;
  }
}

TEST(CommandTexts, ItemTextsLabelTheCommands) {
  ASSERT_EQ(commands::kUartItems.size(), 7u);
  EXPECT_EQ(commands::kUartItems[4], "QX_CMD#U4   (19200)");
  EXPECT_EQ(commands::kUartItems[6], "QX_CMD#U?   (GetBAUD)");
  ASSERT_EQ(commands::kChannelItems.size(), 11u);
  EXPECT_EQ(commands::kChannelItems[7], "QX_CMD#C7  (Channel 7)");
  EXPECT_EQ(commands::kChannelItems[10], "QX_CMD#C?  (Get Channel)");
  ASSERT_EQ(commands::kOtherItems.size(), 9u);
  EXPECT_EQ(commands::kOtherItems[2], "QX_CMD#I7   (Fast ACK ON)");
  EXPECT_EQ(commands::kOtherItems[8], "");
  ASSERT_EQ(commands::kTestModeItems.size(), 5u);
  EXPECT_EQ(commands::kTestModeItems[4], "QX_CMD#T4 (RAW RX Data Test)");
  EXPECT_EQ(commands::PowerItems(false)[9], "QX_CMD#P9");
  EXPECT_EQ(commands::PowerItems(true)[0], "QX_CMD#p0");
  EXPECT_EQ(commands::PowerItems(true).size(), 11u);
}

TEST(CommandTexts, MemoryCommands) {
  EXPECT_EQ(commands::MemoryRead(10), "QX_CMD#L40A?");
  EXPECT_EQ(commands::MemoryRead(255), "QX_CMD#L4FF?");
  EXPECT_EQ(commands::MemoryWrite(244, "7F"), "QX_CMD#L4F47F");
  EXPECT_EQ(commands::MemoryWrite(0x1D, "12"), "QX_CMD#L41D12");
}

}  // namespace
