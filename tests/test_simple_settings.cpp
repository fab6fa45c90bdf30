// The Simple Settings page end to end: what each control sends through a
// real pty to the virtual module, and the activity log it leaves.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "command_texts.h"
#include "radio_group.h"
#include "serial_comms.h"
#include "stored_module.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "wait.h"

namespace {

class SimpleSettingsTest : public WindowWithModule {
 protected:
  explicit SimpleSettingsTest(const ModuleOptions& options = {}) : WindowWithModule(options) {}

  bool Idle() { return WaitFor([&] { return !form_.Transaction.Busy(); }); }
  // The module's record and the log once the exchange of `command` is over.
  void ExpectExchange(const std::string& command) {
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(WaitFor([&] { return module_.Received() == command + "ACK"; })) << module_.Received();
    const std::string log = "SENT:\t\t" + command + "\r\nRECEIVED:\t" + command + "\r\nSENT:\t\tACK\r\n";
    EXPECT_TRUE(WaitFor([&] { return ui_.Memo2->Text().rfind(log, 0) == 0; })) << ui_.Memo2->Text();
  }
  // Starts a fresh record once earlier answers have been shown.
  void Reset() {
    WaitFor([&] { return !form_.Timer5->isActive() && form_.Rx1.RxText().empty(); });
    module_.ClearRecords();
    ui_.Memo2->Clear();
  }
};

TEST_F(SimpleSettingsTest, StartsWithThePresetChoosers) {
  EXPECT_EQ(ui_.ModuleChooserGroup->ItemText(), "TRS");
  EXPECT_EQ(ui_.FrequencyChooser->ItemText(), "QXL");
  EXPECT_EQ(ui_.UARTComboBox1->currentText(), "QX_CMD#U4   (19200)");
  EXPECT_EQ(ui_.POWERComboBox1->currentText(), "QX_CMD#P9");
  EXPECT_EQ(ui_.FREQComboBox1->currentText(), "QX_CMD#C7  (Channel 7)");
  EXPECT_EQ(ui_.OTHERComboBox1->currentText(), "QX_CMD#H1 (Handshaking ON)");
  EXPECT_EQ(ui_.TESTMODESComboBox1->currentText(), "QX_CMD#T0 (High Side Carrier ON)");
  EXPECT_EQ(ui_.Edit15->text(), "QX_CMD#T3");
  EXPECT_EQ(ui_.CheckBox1->toolTip(), "Enable to set Default power setting for the current channel.");
  EXPECT_FALSE(ui_.FAST_ACK_CB->isEnabled());
}

TEST_F(SimpleSettingsTest, EveryPositionOfEveryListSendsItsCommand) {
  struct List {
    QComboBox* list;
    QPushButton* update;
    std::vector<std::string> commands;  // by position; "" sends nothing
  };
  const List lists[] = {
      {ui_.POWERComboBox1, ui_.Button30,
       {"QX_CMD#P0", "QX_CMD#P1", "QX_CMD#P2", "QX_CMD#P3", "QX_CMD#P4", "QX_CMD#P5", "QX_CMD#P6",
        "QX_CMD#P7", "QX_CMD#P8", "QX_CMD#P9", "QX_CMD#P?"}},
      {ui_.FREQComboBox1, ui_.Button27,
       {"QX_CMD#C0", "QX_CMD#C1", "QX_CMD#C2", "QX_CMD#C3", "QX_CMD#C4", "QX_CMD#C5", "QX_CMD#C6",
        "QX_CMD#C7", "QX_CMD#C8", "QX_CMD#C9", "QX_CMD#C?"}},
      {ui_.OTHERComboBox1, ui_.OtherSettingsUpdateButton,
       {"QX_CMD#H1", "QX_CMD#H2", "QX_CMD#I7", "QX_CMD#I8", "QX_CMD#A00", "QX_CMD#A01",
        "QX_CMD#A10", "QX_CMD#A11", ""}},
      {ui_.TESTMODESComboBox1, ui_.TestModeUpdateButton,
       {"QX_CMD#T0", "QX_CMD#T1", "QX_CMD#T2", "QX_CMD#T3", "QX_CMD#T4"}},
  };
  for (const List& l : lists) {
    ASSERT_EQ(l.list->count(), static_cast<int>(l.commands.size()));
    for (size_t position = 0; position < l.commands.size(); ++position) {
      const std::string& command = l.commands[position];
      SCOPED_TRACE(command.empty() ? "empty item" : command);
      Reset();
      l.list->setCurrentIndex(static_cast<int>(position));
      l.update->click();
      if (command.empty()) {
        EXPECT_EQ(ui_.Memo2->Text(), "");  // nothing sent, nothing logged
        EXPECT_FALSE(form_.Transaction.Busy());
        continue;
      }
      ASSERT_TRUE(Idle());
      ASSERT_TRUE(WaitFor([&] { return module_.Received() == command + "ACK"; })) << module_.Received();
      // Queries and the version string are answered after the exchange; the
      // settings asked for are the last ones set in this loop.
      std::string reply;
      if (command == "QX_CMD#P?") reply = "P9\r\n";
      if (command == "QX_CMD#C?") reply = "C9\r\n";
      if (command == "QX_CMD#T3") reply = ModuleProtocol::kVersion;
      const std::string log = "SENT:\t\t" + command + "\r\nRECEIVED:\t" + command +
                              "\r\nSENT:\t\tACK\r\n" +
                              (reply.empty() ? "" : "RECEIVED:\t" + reply + "\r\n");
      EXPECT_TRUE(WaitFor([&] { return ui_.Memo2->Text() == log; })) << ui_.Memo2->Text();
      if (command == "QX_CMD#I7") {  // the module is now in fast-acknowledge mode
        Reset();
        form_.SendCommand("QX_CMD#I8");
        ASSERT_TRUE(Idle());
        ASSERT_TRUE(WaitFor([&] { return module_.Received() == "QX_CMD#I8\x06"; }));
        EXPECT_TRUE(WaitFor([&] { return ui_.FAST_ACK_CB->isChecked(); }));
        EXPECT_TRUE(WaitFor([&] {
          return ui_.Memo2->Text() ==
                 "SENT:\t\tQX_CMD#I8\r\nRECEIVED:\t'0x06' (FAST ACK)\r\nSENT:\t\t'0x06' (FAST ACK)\r\n";
        })) << ui_.Memo2->Text();
      }
    }
  }
  EXPECT_FALSE(ui_.FAST_ACK_CB->isChecked());
}

TEST_F(SimpleSettingsTest, UartUpdateAsksAboutThePcSettings) {
  for (int position = 0; position < 7; ++position) {
    const std::string command = commands::Uart(position);
    SCOPED_TRACE(command);
    const bool yes = position % 2 == 0;
    Reset();
    const size_t boxesBefore = setup_.env.boxes.Shown().size();
    const int dialogsBefore = setup_.env.dialogs.shown;
    setup_.env.boxes.Answer(yes ? BoxResult::Yes : BoxResult::No);
    ui_.UARTComboBox1->setCurrentIndex(position);
    ui_.UART_UPDATE_Button3->click();
    const auto shown = setup_.env.boxes.Shown();
    ASSERT_EQ(shown.size(), boxesBefore + 1);
    EXPECT_EQ(shown.back().caption, "System Change");
    EXPECT_EQ(shown.back().text,
              "You have sent a command to alter the Modules RS232 settings.\nDo you want to change "
              "the PC settings?");
    EXPECT_EQ(shown.back().icon, BoxIcon::Question);
    EXPECT_EQ(shown.back().buttons, BoxButtons::YesNo);
    EXPECT_EQ(setup_.env.dialogs.shown, dialogsBefore + (yes ? 1 : 0));
    ASSERT_TRUE(Idle());
    EXPECT_TRUE(WaitFor([&] { return module_.Received() == command + "ACK"; })) << module_.Received();
  }
  EXPECT_EQ(form_.Comms->GetBaudRate(), "19200");  // the dialogs were left unchanged
}

TEST_F(SimpleSettingsTest, SetDefaultSwitchesThePowerItemsKeepingTheSelection) {
  ui_.POWERComboBox1->setCurrentIndex(5);
  ui_.CheckBox1->click();
  EXPECT_EQ(ui_.POWERComboBox1->currentIndex(), 5);
  EXPECT_EQ(ui_.POWERComboBox1->currentText(), "QX_CMD#p5");
  EXPECT_EQ(ui_.POWERComboBox1->itemText(10), "QX_CMD#P?");
  ui_.Button30->click();
  ExpectExchange("QX_CMD#p5");
  Reset();
  ui_.POWERComboBox1->setCurrentIndex(10);
  ui_.Button30->click();
  ExpectExchange("QX_CMD#P?" );
  ui_.POWERComboBox1->setCurrentIndex(3);
  ui_.CheckBox1->click();
  EXPECT_EQ(ui_.POWERComboBox1->currentText(), "QX_CMD#P3");
}

TEST_F(SimpleSettingsTest, TypedCommandsGoOutAsTyped) {
  ui_.Button3->click();  // the default text
  const std::string log = std::string("SENT:\t\tQX_CMD#T3\r\nRECEIVED:\tQX_CMD#T3\r\nSENT:\t\tACK\r\n") +
                          "RECEIVED:\t" + ModuleProtocol::kVersion + "\r\n";
  ASSERT_TRUE(WaitFor([&] { return ui_.Memo2->Text() == log; })) << ui_.Memo2->Text();
  EXPECT_EQ(module_.Received(), "QX_CMD#T3ACK");
  Reset();
  ui_.Edit15->clear();
  ui_.Button3->click();  // an empty command still goes through SendCommand
  EXPECT_EQ(ui_.Memo2->Text(), "SENT:\t\t\r\n");
}

class TransmitOnlyModuleTest : public SimpleSettingsTest {
 protected:
  TransmitOnlyModuleTest() : SimpleSettingsTest(TransmitOnlyModule()) {}
};

TEST_F(TransmitOnlyModuleTest, OneDelayedAckFollowsQuickCommands) {
  ui_.ModuleChooserGroup->Click(0);  // "TS"
  form_.SendCommand("QX_CMD#C3");
  form_.SendCommand("QX_CMD#C4");
  EXPECT_TRUE(form_.TS_CMD_Timer->isActive());
  EXPECT_FALSE(form_.Transaction.Busy());  // no transaction for a module that cannot echo
  ASSERT_TRUE(WaitFor([&] { return !form_.TS_CMD_Timer->isActive(); }));
  EXPECT_TRUE(WaitFor([&] { return module_.Received() == "QX_CMD#C3QX_CMD#C4ACK"; }));
  EXPECT_TRUE(module_.WaitForCommands(1));  // the module took the second command
  EXPECT_EQ(module_.Commands().back(), "QX_CMD#C4");
  EXPECT_EQ(ui_.Memo2->Text(), "SENT:\t\tQX_CMD#C3\r\nSENT:\t\tQX_CMD#C4\r\nSENT:\t\tACK\r\n");
}

TEST_F(SimpleSettingsTest, NoSelectedModuleTypeSendsNothing) {
  ui_.ModuleChooserGroup->setItemIndex(-1);
  form_.SendCommand("QX_CMD#C3");
  EXPECT_EQ(ui_.Memo2->Text(), "");
  EXPECT_FALSE(form_.Transaction.Busy());
}

class SilentModuleTest : public SimpleSettingsTest {
 protected:
  SilentModuleTest() : SimpleSettingsTest(SilentAt(0)) {}
};

TEST_F(SilentModuleTest, UnansweredCommandIsAbandonedOnTheTenthWatchdogTick) {
  ui_.ModuleChooserGroup->Click(1);  // "RS"
  form_.SendCommand("QX_CMD#C3");
  EXPECT_TRUE(form_.Timer2->isActive());
  EXPECT_TRUE(form_.Transaction.Busy());
  ASSERT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }, 3000));
  EXPECT_EQ(form_.RetryTicks, 10);
  EXPECT_FALSE(form_.Timer2->isActive());
  EXPECT_EQ(ui_.Memo2->Text(), "SENT:\t\tQX_CMD#C3\r\n");
  EXPECT_EQ(form_.Comms->GetReceiveHook(), &TForm1::RxHook);
}

}  // namespace
