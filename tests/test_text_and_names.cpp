// Pure helpers: whole-number conversion and port-name resolution.
#include <gtest/gtest.h>
#include <unistd.h>

#include "convert.h"
#include "port_names.h"
#include "temp_dir.h"

namespace {

TEST(StrToInt, ConvertsWholeNumbers) {
  const std::pair<const char*, int> cases[] = {
      {"19200", 19200}, {"0", 0},        {"  42", 42},        {"+7", 7},
      {"-5", -5},       {"$1F", 31},     {"0x10", 16},        {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},  {"$FFFFFFFF", -1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(StrToInt(text), value) << text;
}

TEST(StrToInt, RejectsOtherTextsWithTheUsersMessage) {
  for (const char* text : {"", " ", "abc", "12a", "42 ", "1.5", "2147483648", "-", "$", "0x"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

class PortNamesTest : public ::testing::Test {
 protected:
  TempDir dir_;
  ScopedEnv env_{"DAXO_PORT_DIR", dir_.Path()};
  ScopedEnv defaults_{"DAXO_NO_DEFAULT_PORTS", ""};
};

TEST_F(PortNamesTest, DefaultTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"COM1", "/dev/ttyS0"},     {"COM4", "/dev/ttyS3"},     {"com2", "/dev/ttyS1"},
      {"COM5", "/dev/ttyUSB0"},   {"COM20", "/dev/ttyUSB15"}, {"COM21", "/dev/ttyACM0"},
      {"COM36", "/dev/ttyACM15"}, {"COM37", ""},              {"COM100", ""},
      {"COM101", ""},             {"COM0", ""},               {"COM01", ""},
      {"COM", ""},                {"LPT1", ""},               {"", ""},
      {"/dev/pts/7", "/dev/pts/7"},
  };
  for (const auto& [name, device] : cases) EXPECT_EQ(ResolvePortName(name), device) << name;
}

TEST_F(PortNamesTest, PortsDirectoryEntryWins) {
  const std::string entry = dir_.Path() + "/COM1";
  ASSERT_EQ(::symlink("/dev/pts/99", entry.c_str()), 0);  // dangling: fails later, at open
  EXPECT_EQ(ResolvePortName("COM1"), entry);
  EXPECT_EQ(ResolvePortName("com1"), entry);
  EXPECT_EQ(ResolvePortName("COM2"), "/dev/ttyS1");
  ScopedEnv noDefaults("DAXO_NO_DEFAULT_PORTS", "1");
  EXPECT_EQ(ResolvePortName("COM1"), entry);
  EXPECT_EQ(ResolvePortName("COM2"), "");
}

TEST(PortDirectory, FollowsTheEnvironment) {
  TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.Path());
  {
    ScopedEnv dir("DAXO_PORT_DIR", "/srv/ports");
    EXPECT_EQ(PortDirectory(), "/srv/ports");
  }
  ScopedEnv empty("DAXO_PORT_DIR", "");
  EXPECT_EQ(PortDirectory(), config.Path() + "/DAXO/ports");
}

}  // namespace
