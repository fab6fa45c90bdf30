// The Communication Mode page and the hidden port controls, against virtual
// modules on real ptys.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "radio_group.h"
#include "serial_comms.h"
#include "stored_module.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "wait.h"

namespace {

class CommunicationPageTest : public WindowWithModule {
 protected:

  void ShowPage() { ui_.PageControl1->setCurrentWidget(ui_.TabSheet2); }
  bool ModuleReceived(const std::string& bytes) {
    return WaitFor([&] { return module_.Received() == bytes; });
  }
};

TEST_F(CommunicationPageTest, ControlsAtStart) {
  EXPECT_EQ(ui_.Edit20->text(), "Tavimo Evaluation Test");
  EXPECT_EQ(ui_.Edit20->maxLength(), 200);
  EXPECT_EQ(ui_.Label65->text(), "22");
  EXPECT_EQ(ui_.Label69->text(), "0");
  EXPECT_FALSE(ui_.CheckBox5->isChecked());
  EXPECT_FALSE(ui_.CheckBox4->isChecked());
  for (QWidget* hidden : {static_cast<QWidget*>(ui_.Label67), static_cast<QWidget*>(ui_.Button42),
                          static_cast<QWidget*>(ui_.Button41), static_cast<QWidget*>(ui_.RichEdit2),
                          static_cast<QWidget*>(ui_.CheckBox2)}) {
    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
  }
  EXPECT_FALSE(ui_.Label68->isHidden());
  EXPECT_FALSE(ui_.Label69->isHidden());
  EXPECT_EQ(ui_.TabSheet4->toolTip(), "Modify PC Comm Settings");
  EXPECT_EQ(ui_.RadioGroup3->Items(), (QStringList{"19200", "38400"}));
  EXPECT_EQ(ui_.RadioGroup4->Items(), (QStringList{"COM1", "COM4"}));
  EXPECT_EQ(ui_.RadioGroup3->ItemIndex(), -1);
}

TEST_F(CommunicationPageTest, SendTextWritesTheTextUnchanged) {
  ui_.BitBtn6->click();
  EXPECT_TRUE(ModuleReceived("Tavimo Evaluation Test"));
  QTest::keyClicks(ui_.Edit20, "!");
  EXPECT_EQ(ui_.Label65->text(), "23");
  ui_.Edit20->setText(QString(250, 'x'));  // takes no more than 200 characters
  EXPECT_EQ(ui_.Label65->text(), "200");
  ui_.Edit20->clear();
  EXPECT_EQ(ui_.Label65->text(), "0");
  module_.ClearRecords();
  ui_.BitBtn6->click();  // nothing to write
  EXPECT_EQ(ui_.Memo2->Text(), "");  // and nothing is logged
}

TEST_F(CommunicationPageTest, OncePerSecondOnlyWhileThePageShows) {
  ui_.Edit20->setText("T");
  ui_.CheckBox5->setChecked(true);
  form_.Timer8Timer();  // on the Simple Settings page: nothing
  EXPECT_EQ(module_.Received(), "");
  ShowPage();
  form_.Timer8Timer();
  form_.Timer8Timer();
  EXPECT_TRUE(ModuleReceived("TT"));
  ui_.CheckBox5->setChecked(false);
  form_.Timer8Timer();
  EXPECT_EQ(form_.Timer8->interval(), 1000);
  ui_.CheckBox5->setChecked(true);
  EXPECT_TRUE(WaitFor([&] { return module_.Received() == "TTT"; }, 3000));  // the running timer
}

TEST_F(CommunicationPageTest, EchoModeSendsBackCountsAndKeepsThirteenLinesAtMost) {
  ShowPage();
  ui_.CheckBox5->setChecked(true);
  module_.Inject("before");
  ASSERT_TRUE(WaitFor([&] { return ui_.RichEdit1->Text() == "before"; }));
  ui_.CheckBox4->click();  // echo mode on
  EXPECT_EQ(ui_.RichEdit1->Text(), "");
  EXPECT_EQ(ui_.RichEdit1->height(), 64);
  EXPECT_FALSE(ui_.CheckBox5->isChecked());
  EXPECT_FALSE(ui_.CheckBox5->isEnabled());
  for (QWidget* shown : {static_cast<QWidget*>(ui_.Button42), static_cast<QWidget*>(ui_.Label67),
                         static_cast<QWidget*>(ui_.Button41), static_cast<QWidget*>(ui_.RichEdit2)}) {
    EXPECT_FALSE(shown->isHidden());
  }

  module_.Inject("Tavimo Evaluation Test");
  ASSERT_TRUE(ModuleReceived("Tavimo Evaluation Test"));
  ASSERT_TRUE(WaitFor([&] { return ui_.Label69->text() == "1"; }));
  EXPECT_EQ(ui_.RichEdit1->Text(), "");
  EXPECT_EQ(ui_.RichEdit2->Text(), "Tavimo Evaluation Test");

  // Thirteen lines in the echo window: the next echo starts an empty one.
  ui_.RichEdit2->Clear();
  for (int i = 0; i < 13; ++i) ui_.RichEdit2->AddLine("line");
  module_.Inject("next\r\n");
  ASSERT_TRUE(WaitFor([&] { return ui_.Label69->text() == "2"; }));
  EXPECT_EQ(ui_.RichEdit2->Text(), "next\r\n");

  ui_.Button41->click();  // clearing the window keeps the count
  EXPECT_EQ(ui_.RichEdit2->Text(), "");
  EXPECT_EQ(ui_.Label69->text(), "2");
  ui_.Button42->click();
  EXPECT_EQ(ui_.Label69->text(), "0");

  ui_.CheckBox4->click();  // echo mode off
  EXPECT_EQ(ui_.RichEdit1->height(), 345);
  EXPECT_TRUE(ui_.CheckBox5->isEnabled());
  EXPECT_FALSE(ui_.CheckBox5->isChecked());
  EXPECT_TRUE(ui_.RichEdit2->isHidden());
  EXPECT_TRUE(ui_.Label69->isHidden());
  ui_.Button28->click();
  EXPECT_EQ(ui_.RichEdit1->Text(), "");
}

TEST_F(CommunicationPageTest, SecondPortAnswersNumbersOneHigher) {
  VirtualModule second;
  setup_.env.Register("COM4", second.PortPath());
  ShowPage();
  ui_.CheckBox2->setChecked(true);  // "Open 2nd Comm"
  ASSERT_NE(form_.Comms2, nullptr);
  EXPECT_EQ(form_.Comms2->GetBaudRate(), "19200");
  module_.Inject("40");
  EXPECT_TRUE(ModuleReceived("41"));
  second.Inject("7");
  EXPECT_TRUE(WaitFor([&] { return second.Received() == "8"; }));
  EXPECT_TRUE(WaitFor([&] { return ui_.RichEdit2->Text() == "RECEIVED:\t7\r\n"; }));
  ui_.CheckBox2->setChecked(false);
  EXPECT_EQ(form_.Comms2, nullptr);
}

TEST_F(CommunicationPageTest, SecondPortThatCannotOpenReportsAndStaysClosed) {
  ui_.CheckBox2->setChecked(true);  // no COM4 registered
  EXPECT_EQ(form_.Comms2, nullptr);
  EXPECT_TRUE(ui_.CheckBox2->isChecked());
  const auto shown = setup_.env.boxes.Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Cannot Access the Selected Port");
  ui_.CheckBox2->setChecked(false);
  EXPECT_EQ(form_.Comms2, nullptr);
}

TEST_F(CommunicationPageTest, PcSettingsPageChangesTheBaudRateOnly) {
  form_.Comms->SetFlowControl("HARDWARE");
  ui_.RadioGroup3->Click(1);
  EXPECT_EQ(form_.Comms->GetBaudRate(), "38400");
  EXPECT_EQ(form_.Comms->GetFlowControl(), "HARDWARE");
  EXPECT_EQ(form_.Comms->GetPort(), "COM1");
}

TEST_F(CommunicationPageTest, PortChoiceEndsTheTransactionAndReplacesThePort) {
  VirtualModule com4;
  setup_.env.Register("COM4", com4.PortPath());
  module_.SetOptions([] {
    ModuleOptions o;
    o.echo = false;  // the transaction stays in flight
    return o;
  }());
  form_.SendCommand("QX_CMD#C3");
  ASSERT_TRUE(form_.Transaction.Busy());
  ui_.RadioGroup4->Click(1);  // "COM4"
  EXPECT_FALSE(form_.Transaction.Busy());
  ASSERT_NE(form_.Comms, nullptr);
  EXPECT_EQ(form_.Comms->GetPort(), "COM4");
  EXPECT_EQ(form_.Comms->GetReceiveHook(), &TForm1::RxHook);
  form_.SendCommand("QX_CMD#C5");
  EXPECT_TRUE(WaitFor([&] { return com4.Received() == "QX_CMD#C5ACK"; }));

  // A port that cannot be opened leaves no main port: sending does nothing.
  setup_.env.Unregister("COM1");
  ui_.RadioGroup4->Click(0);
  EXPECT_EQ(form_.Comms, nullptr);
  EXPECT_EQ(setup_.env.boxes.Shown().back().text, "Cannot Access the Selected Port");
  form_.SendCommand("QX_CMD#C3");
  ui_.BitBtn6->click();
  form_.ChangeRS232Settings1Click();
  EXPECT_EQ(setup_.env.dialogs.shown, 0);
  module_.Inject("still shown");  // nobody listens to the old port any more
  ui_.RadioGroup3->Click(0);
}

}  // namespace
