// The hidden "In Progress" page against the virtual module.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "page_test.h"
#include "qx_tasklist.h"
#include "radio_group.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "up_down.h"

namespace {

using EngineeringPageTest = PageTest;

TEST_F(EngineeringPageTest, HiddenPagesCarryTheirTexts) {
  const std::pair<const char*, const char*> texts[] = {
      {"Label53", "RX  Channel     TX Channel"}, {"Button11", "Change Channels"},
      {"Button29", "Fast Ack On"},                {"Button34", "Reset Frequency"},
      {"Button35", "Sensitivity Test"},           {"Button40", "Sensitivity Mode"},
      {"Button2", "Set as RS"},                   {"Button32", "Set BW"},
      {"BitBtn7", "Set"},                         {"BitBtn2", "Read Module Settings"},
      {"BitBtn3", "Replicate"},                   {"Label2", "Module Type:"},
      {"Label26", "Frequency:"},                  {"Label40", "Not Detected"},
      {"Label14", "Offset"},                      {"Label5", "Desired Frequency"},
      {"BitBtn1", "Set Frequency"},               {"Label15", "FREQ_2A"},
      {"Label20", "FREQ_0B"},                     {"Label6", "RX PLL"},
      {"Label7", "TX PLL"},                       {"Label8", "LO Freq:"},
      {"Optimised_CB", "Use Optimised Frequencies"}, {"CheckBox3", "Match TX to RX"},
      {"cbIsTS1", "TS"},                          {"Button4", "Load New Settings"},
      {"Button13", "Set Back Compatable"},        {"Button15", "Set Optimised"},
      {"Label22", "RX Freq"},                     {"Label21", "TX Freq"},
      {"Label35", "CH 9"},                        {"Label32", "CH 1"},
      {"CheckBox15", "Match RX to TX"},           {"Button26", "Set CH9"},
      {"SetKestrin", "Set Kestrin Settings"},     {"Label62", "Module Frequency Reset (QXL-RS/TRS Only)"},
      {"Button36", "SET"},                        {"Button37", "Calibrate"},
      {"Label52", "3) Click on \"Update TRS\" or \"Update TS\" depending on what is connected"},
      {"Label49", "CH9"},                         {"BitBtn4", "Update RX Current"},
  };
  for (const auto& [name, text] : texts) {
    const QWidget* widget = form_.findChild<QWidget*>(name);
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(widget->property("text").toString().toStdString(), text) << name;
  }
  EXPECT_TRUE(ui_.Edit16->isReadOnly());
  EXPECT_EQ(ui_.UpDown2->Max(), 9);
  EXPECT_EQ(ui_.UpDown1->Max(), 100);
  EXPECT_EQ(ui_.RadioGroup2->ItemIndex(), 0);
  EXPECT_EQ(ui_.RadioGroup2->Items().size(), 6);
}

TEST_F(EngineeringPageTest, ChangeChannelsGoesThroughSendCommandForEachModuleType) {
  for (int i = 0; i < 3; ++i) ui_.UpDown2->Step(1);
  for (int i = 0; i < 12; ++i) ui_.UpDown3->Step(1);  // held at 9
  EXPECT_EQ(ui_.Edit17->text(), "9");
  for (int i = 0; i < 2; ++i) ui_.UpDown3->Step(-1);
  EXPECT_EQ(ui_.Edit16->text(), "3");
  EXPECT_EQ(ui_.Edit17->text(), "7");
  for (const int type : {2, 1, 0}) {  // TRS, RS, then TS with its blind "ACK"
    SCOPED_TRACE(type);
    module_.ClearRecords();
    ui_.ModuleChooserGroup->setItemIndex(type);
    ui_.Button11->click();
    EXPECT_TRUE(WaitFor([&] { return module_.Received() == "QX_CMD#F37ACK"; })) << module_.Received();
    EXPECT_TRUE(WaitFor([&] { return !form_.Transaction.Busy() && !form_.TS_CMD_Timer->isActive(); }));
  }
  ASSERT_TRUE(module_.WaitForCommands(3));
  EXPECT_EQ(module_.Commands(), (std::vector<std::string>(3, "QX_CMD#F37")));
}

TEST_F(EngineeringPageTest, DirectTransactionsIgnoreTheModuleType) {
  ui_.ModuleChooserGroup->setItemIndex(0);  // "TS": still echo-checked transactions
  const std::pair<QPushButton*, const char*> buttons[] = {
      {ui_.Button34, "QX_CMD#C7"}, {ui_.Button35, "QX_CMD#T4"}, {ui_.Button40, "QX_CMD#T4"},
      {ui_.Button2, "QX_CMD#L4F008"}, {ui_.Button29, "QX_CMD#I7"}};
  size_t done = 0;
  for (const auto& [button, command] : buttons) {
    button->click();
    EXPECT_FALSE(form_.TS_CMD_Timer->isActive());  // not the transmit-only procedure
    EXPECT_FALSE(form_.Timer2->isActive());        // and no watchdog
    ASSERT_TRUE(module_.WaitForCommands(++done));
    EXPECT_EQ(module_.Commands().back(), command);
    ASSERT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }));
  }
  EXPECT_EQ(module_.Memory(0xF0), 0x08);
  EXPECT_TRUE(module_.FastAck());
}

TEST_F(EngineeringPageTest, ReadModuleSettingsWithAnEchoingModuleType) {
  ui_.BitBtn2->click();  // "TRS" at start
  EXPECT_TRUE(form_.Timer2->isActive());
  ASSERT_TRUE(module_.WaitForCommands(1));
  EXPECT_EQ(module_.Commands(), std::vector<std::string>{"QX_CMD#T3"});
  EXPECT_TRUE(WaitFor([&] { return ui_.Memo2->Text().rfind("SENT:\t\tQX_CMD#T3\r\n", 0) == 0; }));
  EXPECT_EQ(ui_.Label27->text(), "Not Detected");
}

class TransmitOnlyEngineeringTest : public PageTest {
 protected:
  TransmitOnlyEngineeringTest() : PageTest(TransmitOnlyModule()) {}
};

TEST_F(TransmitOnlyEngineeringTest, ReadModuleSettingsForTsWritesTheQueryOnly) {
  ui_.ModuleChooserGroup->setItemIndex(0);
  ui_.BitBtn2->click();
  EXPECT_TRUE(module_.WaitUntil([](const std::string& received, const std::string&) {
    return received == "QX_CMD#T3";
  }));
  // Nothing is left to follow: no "ACK" on its way, no transaction, no log line.
  EXPECT_FALSE(form_.TS_CMD_Timer->isActive());
  EXPECT_FALSE(form_.Timer2->isActive());
  EXPECT_FALSE(form_.Transaction.Busy());
  EXPECT_EQ(ui_.Memo2->Text(), "");
}

TEST_F(TransmitOnlyEngineeringTest, Button33WritesTenRisingBytesAsABlindJob) {
  // The blind job whatever module type is chosen ("TRS" here).
  ui_.Button33->click();
  EXPECT_EQ(ui_.ProgressBar2->maximum(), 10);
  EXPECT_EQ(form_.Timer6->interval(), 150);
  form_.Timer6->setInterval(5);
  ASSERT_TRUE(WaitFor([&] { return !form_.Timer6->isActive() && !form_.TS_CMD_Timer->isActive(); }, 10000));
  ASSERT_TRUE(module_.WaitForCommands(10));
  std::string expected;
  for (const std::string& command : WritesFrom(0xD0, 10)) expected += command + "ACK";
  EXPECT_EQ(module_.Received(), expected);
  EXPECT_EQ(module_.Commands().front(), "QX_CMD#L4D040");
  EXPECT_EQ(module_.Commands().back(), "QX_CMD#L4D9FF");
  EXPECT_EQ(ModuleBytes(0xD0, 10), "40 50 60 70 80 90 A0 C0 E0 FF");
  EXPECT_EQ(ui_.ProgressBar2->value(), 10);
}

TEST_F(EngineeringPageTest, SetBwWritesItsFixedTable) {
  FastTicks();
  ui_.Button32->click();
  EXPECT_EQ(ui_.ProgressBar2->maximum(), 120);
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(120));
  const auto commands = module_.Commands();
  EXPECT_EQ(commands, WritesFrom(0x58, 120));
  EXPECT_EQ(commands.front(), "QX_CMD#L45863");
  EXPECT_EQ(commands.back(), "QX_CMD#L4CF38");
  EXPECT_EQ(ModuleBytes(0x80, 4), "9B C0 00 58");
  EXPECT_EQ(ModuleBytes(0x58, 40), ModuleBytes(0xA8, 40));
  EXPECT_EQ(ui_.ProgressBar2->value(), 120);
}

TEST_F(EngineeringPageTest, SetCAndMComputesNineHundredMegahertzChannels) {
  EXPECT_EQ(ui_.Button16->text(), "Set C && M");
  FastTicks();
  ui_.Button16->click();
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(120));
  EXPECT_EQ(module_.Commands(), WritesFrom(0x58, 120));
  EXPECT_EQ(ModuleBytes(0x80, 4), "9B C0 00 58");
  EXPECT_EQ(ModuleBytes(0x58, 4), "63 14 CA 38");
  EXPECT_EQ(ModuleBytes(0xA8, 4), "63 14 CA 38");
  EXPECT_EQ(ModuleBytes(0xA4, 4), "D6 A0 01 78");
  EXPECT_EQ(ModuleBytes(0xCC, 4), "64 10 CA 38");
}

TEST_F(EngineeringPageTest, CustomerPresetsQueueAndSetEmpties) {
  QComboBox* presets = ui_.CustomerSettingList;
  EXPECT_EQ(presets->currentIndex(), -1);
  ASSERT_EQ(presets->count(), 4);
  auto choose = [&](const char* item) {
    const int index = presets->findText(item);
    presets->setCurrentIndex(index);
    emit presets->activated(index);
  };
  choose("Pellix QXL-TS");
  const QX_TaskList& list = *form_.TaskList;
  ASSERT_EQ(list.Count, 2);
  EXPECT_EQ(list.Items[0], "QX_CMD#L41C27");
  EXPECT_EQ(list.Items[1], "QX_CMD#L4F400");
  EXPECT_EQ(list.Cursor, 2);
  choose("Orvanta QXH-TS");
  EXPECT_EQ(list.Count, 2);
  EXPECT_EQ(module_.Received(), "");

  for (const bool confirmed : {true, false}) {
    choose("Pellix QXL-TS");
    if (confirmed) setup_.env.dialogs.Then([](QDialog& d) { d.findChild<QPushButton*>("Button1")->click(); });
    const int shown = setup_.env.dialogs.shown;
    ui_.BitBtn7->click();
    EXPECT_EQ(setup_.env.dialogs.shown, shown + 1);
    EXPECT_EQ(list.Count, 0) << confirmed;
  }
}

}  // namespace
