// The settings file damaged in every way: the program always starts and
// reaches a usable window (the settings dialog may be shown first).
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <fstream>
#include <random>

#include "serial_comms.h"
#include "settings_store.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "window_environment.h"

namespace {

std::string Ini(const std::string& com, const std::string& baud, const std::string& bits,
                const std::string& stop, const std::string& flow, const std::string& done) {
  return "[RS232_1]\nCom=" + com + "\nBaud=" + baud + "\nBits=" + bits + "\nStop=" + stop +
         "\nFlow=" + flow + "\nDone=" + done + "\n";
}

TEST(CorruptSettings, TheProgramAlwaysStartsAndStaysUsable) {
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string good[] = {"COM1", "19200", "8", "1", "NONE", "1"};
  std::vector<std::pair<std::string, std::string>> cases = {
      {"empty file", ""},
      {"random bytes", noise},
      {"only the group", "[RS232_1]\n"},
      {"missing keys", "[RS232_1]\nCom=COM1\n"},
      {"wrong types", Ini("COM1", "fast", "eight", "one", "maybe", "yes")},
      {"negative and huge numbers", Ini("COM1", "-1", "99999999999", "-7", "NONE", "-2147483649")},
      {"huge strings", Ini(std::string(100000, 'C'), std::string(100000, '9'), "8", "1",
                           std::string(100000, 'N'), "1")},
      {"a path that is no terminal", Ini("/etc/hostname", "19200", "8", "1", "NONE", "1")},
      {"control bytes and printf directives", Ini("%s%n%x\x01\x7f", "%d", "\x1b[2J", "1", "%n", "1")},
      {"invalid UTF-8", Ini("COM\xff\xfe", "192\xc3", "8", "1", "NO\x80NE", "1")},
  };
  // Each value alone replaced by noise.
  for (int k = 0; k < 6; ++k) {
    std::string values[6];
    for (int i = 0; i < 6; ++i) values[i] = i == k ? noise.substr(64 * k, 64) : good[i];
    cases.push_back({"noise in value " + std::to_string(k),
                     Ini(values[0], values[1], values[2], values[3], values[4], values[5])});
  }
  for (const auto& [name, content] : cases) {
    SCOPED_TRACE(name);
    WindowEnvironment env;
    const std::string path = PortSettingsStore::FilePath();
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    std::ofstream(path, std::ios::binary) << content;
    TForm1 form;  // a dialog, if any, is left with its close box
    ASSERT_NE(form.Comms, nullptr);
    EXPECT_EQ(form.windowTitle(), TForm1::kCaption);
    // Usable: the settings dialog opens from the menu, a command goes nowhere harmlessly.
    const int shown = env.dialogs.shown;
    form.ChangeRS232Settings1Click();
    EXPECT_EQ(env.dialogs.shown, shown + 1);
    form.SendCommand("QX_CMD#C7");
    EXPECT_EQ(env.dialogs.leftOpen, 0);
  }
}

}  // namespace
