// The serial settings dialog and the stored port settings, driven as a user
// would through scripted dialogs, against virtual modules on real ptys.
#include <gtest/gtest.h>
#include <termios.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "serial_comms.h"
#include "tform1.h"
#include "trs232_form.h"
#include "virtual_module.h"
#include "window_environment.h"

namespace {

const char* const kComErrorTail =
    "\rThe Port is either missing or already in use.\nPlease correct and try again.";

QComboBox* List(QDialog& d, const char* name) { return d.findChild<QComboBox*>(name); }
QPushButton* Button(QDialog& d, const char* name) { return d.findChild<QPushButton*>(name); }

QStringList Items(QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

void Choose(QDialog& d, const char* list, const char* text) {
  QComboBox* combo = List(d, list);
  const int index = combo->findText(QString::fromLatin1(text));
  ASSERT_GE(index, 0) << list << " has no " << text;
  combo->setCurrentIndex(index);
}

class SerialDialogTest : public ::testing::Test {
 protected:
  WindowEnvironment env_;
  VirtualModule com1_;
  void SetUp() override { env_.Register("COM1", com1_.PortPath()); }
};

TEST_F(SerialDialogTest, FirstRunStoresDefaultsAndAsksBeforeTheWindowShows) {
  bool windowVisible = true;
  env_.dialogs.Then([&](QDialog& d) {
    windowVisible = Form1->isVisible();
    EXPECT_EQ(d.windowTitle(), "RS232 Settings");
    EXPECT_EQ(env_.Stored("Com"), "COM1");  // the defaults are already stored
    EXPECT_EQ(env_.Stored("Done"), "1");
    EXPECT_EQ(Items(List(d, "ComboBox1")), QStringList{"COM1"});
    EXPECT_EQ(List(d, "ComboBox1")->currentText(), "COM1");
    EXPECT_EQ(List(d, "ComboBox2")->currentText(), "19200");
    EXPECT_EQ(List(d, "ComboBox3")->currentText(), "8");
    EXPECT_EQ(List(d, "ComboBox4")->currentText(), "1");
    EXPECT_EQ(List(d, "ComboBox5")->currentText(), "NONE");
    Button(d, "Button1")->click();
  });
  TForm1 form;
  EXPECT_FALSE(windowVisible);
  EXPECT_EQ(env_.dialogs.shown, 1);
  EXPECT_EQ(env_.dialogs.leftOpen, 0);
  ASSERT_EQ(form.Comms->State(), SerialComms::PortState::Open);
  EXPECT_EQ(form.Comms->DevicePath(), env_.PortEntry("COM1"));
  for (const auto& [name, value] : {std::pair{"Com", "COM1"}, {"Baud", "19200"}, {"Bits", "8"},
                                    {"Stop", "1"}, {"Flow", "NONE"}, {"Done", "1"}}) {
    EXPECT_EQ(env_.Stored(name), value) << name;
  }
  EXPECT_TRUE(env_.boxes.Shown().empty());
}

TEST_F(SerialDialogTest, FirstRunCancelOpensNothingAndTheNextStartUsesTheDefaults) {
  env_.dialogs.Then([](QDialog& d) { Button(d, "Button2")->click(); });
  {
    TForm1 form;
    EXPECT_EQ(form.Comms->State(), SerialComms::PortState::None);
    EXPECT_EQ(form.Comms->WriteText("lost"), 0);  // lost without a message
    EXPECT_EQ(form.Comms->GetReceiveHook(), &TForm1::RxHook);  // kept for a later open
  }
  TForm1 again;
  EXPECT_EQ(env_.dialogs.shown, 1);
  EXPECT_EQ(again.Comms->State(), SerialComms::PortState::Open);
  EXPECT_EQ(again.Comms->GetPort(), "COM1");
  EXPECT_TRUE(env_.boxes.Shown().empty());
}

TEST_F(SerialDialogTest, MissingStoredPortThenAnotherMissingPort) {
  VirtualModule com2;
  env_.Register("COM2", com2.PortPath());
  env_.Store("COM7");  // gone since the last run
  env_.dialogs.Then([&](QDialog& d) {
    ASSERT_EQ(env_.boxes.Shown().size(), 1u);  // one box before the dialog
    EXPECT_EQ(env_.boxes.Shown()[0].text, std::string("Unable to Access COM7") + kComErrorTail);
    // The failed name comes first, then the ports found, in text order.
    EXPECT_EQ(Items(List(d, "ComboBox1")), (QStringList{"COM1", "COM2", "COM7"}));
    Choose(d, "ComboBox1", "COM2");
    env_.Unregister("COM2");  // unplugged while the dialog is open
    Button(d, "Button1")->click();
    const auto shown = env_.boxes.Shown();
    ASSERT_EQ(shown.size(), 3u);  // from the port, then from the dialog
    EXPECT_EQ(shown[1].text, std::string("Unable to Access COM2") + kComErrorTail);
    EXPECT_EQ(shown[2].text, shown[1].text);
    EXPECT_EQ(shown[2].caption, "Com Error");
    EXPECT_TRUE(d.isVisible());  // the dialog stays
    EXPECT_FALSE(Button(d, "Button2")->isEnabled());
    Button(d, "Button2")->click();  // disabled: nothing happens
    EXPECT_TRUE(d.isVisible());
    Choose(d, "ComboBox1", "COM1");
    Button(d, "Button1")->click();
    EXPECT_FALSE(d.isVisible());
  });
  TForm1 form;
  EXPECT_EQ(env_.dialogs.leftOpen, 0);
  EXPECT_EQ(form.Comms->GetPort(), "COM1");
  EXPECT_EQ(form.Comms->State(), SerialComms::PortState::Open);
  EXPECT_EQ(env_.Stored("Com"), "COM1");
}

TEST_F(SerialDialogTest, WithoutAnyWorkingPortTheCloseBoxLeavesThePortUnopened) {
  env_.Unregister("COM1");
  env_.Store("COM1");
  env_.dialogs.Then([&](QDialog& d) {
    EXPECT_TRUE(Items(List(d, "ComboBox1")) == QStringList{"COM1"});
    Button(d, "Button1")->click();
    EXPECT_TRUE(d.isVisible());
    d.close();  // the window's close box still works
    EXPECT_FALSE(d.isVisible());
  });
  TForm1 form;
  EXPECT_EQ(env_.dialogs.leftOpen, 0);
  EXPECT_TRUE(form.Comms->IsFailed());
  EXPECT_EQ(form.Comms->WriteText("QX_CMD#C3"), 0);
  // One at start-up, one from OK: the name had not changed, so no new open.
  EXPECT_EQ(env_.boxes.Shown().size(), 2u);
}

TEST_F(SerialDialogTest, PortListWithAHeldPort) {
  VirtualModule com3, com10, com2;
  env_.Register("COM3", com3.PortPath());
  env_.Register("COM10", com10.PortPath());
  env_.Register("COM2", com2.PortPath());
  env_.Store("COM3");
  TForm1 form;
  ASSERT_EQ(form.Comms->GetPort(), "COM3");
  TRS232Form dialog(&form, form.Comms.get());
  QStringList list;
  EXPECT_EQ(dialog.ListPorts(list), 3);  // COM3 is listed as the current port, not counted
  EXPECT_EQ(list, (QStringList{"COM3", "COM1", "COM2", "COM10"}));
  env_.dialogs.Then([](QDialog& d) {
    EXPECT_EQ(Items(List(d, "ComboBox1")), (QStringList{"COM1", "COM10", "COM2", "COM3"}));
    EXPECT_EQ(List(d, "ComboBox1")->currentText(), "COM3");
    EXPECT_EQ(List(d, "ComboBox1")->toolTip(), "Only Available Ports are listed here.");
    Button(d, "Button2")->click();
  });
  form.ChangeRS232Settings1Click();
  EXPECT_EQ(env_.dialogs.shown, 1);
}

TEST_F(SerialDialogTest, OkWithoutChangeRewritesTheFiveValuesOnly) {
  env_.Store("COM1", "19200", "8", "1", "none");  // found case-insensitively in its list
  TForm1 form;
  env_.dialogs.Then([](QDialog& d) {
    EXPECT_EQ(List(d, "ComboBox5")->currentText(), "NONE");
    Button(d, "Button1")->click();
  });
  form.ChangeRS232Settings1Click();
  EXPECT_EQ(env_.Stored("Flow"), "NONE");  // rewritten from the port
  EXPECT_EQ(env_.Stored("Com"), "COM1");
  EXPECT_EQ(com1_.Received(), "");
  EXPECT_EQ(form.Comms->GetBaudRate(), "19200");
  EXPECT_TRUE(env_.boxes.Shown().empty());
}

TEST_F(SerialDialogTest, ChosenSettingsApplyAndARefusedStopBitsChoiceIsStoredAsChosen) {
  env_.Store("COM1");
  TForm1 form;
  env_.dialogs.Then([](QDialog& d) {
    Choose(d, "ComboBox2", "56000");
    Choose(d, "ComboBox4", "1.5");  // not with 8 data bits
    Choose(d, "ComboBox5", "HARDWARE");
    Button(d, "Button1")->click();
  });
  form.ChangeRS232Settings1Click();
  EXPECT_EQ(form.Comms->GetBaudRate(), "56000");
  EXPECT_EQ(form.Comms->GetStopBits(), "1");
  EXPECT_EQ(form.Comms->GetFlowControl(), "HARDWARE");
  EXPECT_EQ(env_.Stored("Baud"), "56000");
  EXPECT_EQ(env_.Stored("Stop"), "1.5");
  EXPECT_EQ(env_.Stored("Flow"), "HARDWARE");
  EXPECT_EQ(env_.Stored("Bits"), "8");

  // The next start applies what was stored.
  form.Comms.reset();
  TForm1 again;
  EXPECT_EQ(again.Comms->GetBaudRate(), "56000");
  EXPECT_EQ(again.Comms->GetFlowControl(), "HARDWARE");
}

TEST_F(SerialDialogTest, ListWithoutSelectionRaisesAndStoresNothing) {
  env_.Store("COM1", "19200", "8", "1", "NONE");
  TForm1 form;
  env_.dialogs.Then([&](QDialog& d) {
    List(d, "ComboBox2")->setCurrentIndex(-1);
    Button(d, "Button1")->click();
    EXPECT_TRUE(d.isVisible() == false);  // the error ended the handler; OK still closes
  });
  env_.Store("COM1", "19200", "8", "1", "weird");
  form.ChangeRS232Settings1Click();
  const auto shown = env_.boxes.Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "'' is not a valid integer value");
  EXPECT_EQ(env_.Stored("Flow"), "weird");  // the store was not written
}

TEST_F(SerialDialogTest, DamagedStoreStillLetsTheProgramStart) {
  struct Case {
    const char* what;
    std::string com, baud, bits, done;
    std::string message;  // the first box
  };
  const Case cases[] = {
      {"baud not a number", "COM1", "fast", "8", "1", "'fast' is not a valid integer value"},
      {"bits not a number", "COM1", "19200", "8.0", "1", "'8.0' is not a valid integer value"},
      {"done of another type", "COM1", "19200", "8", "yes", "'yes' is not a valid integer value"},
      {"a very long port name", std::string(5000, 'Z'), "19200", "8", "1",
       "Unable to Access " + std::string(5000, 'Z') + kComErrorTail},
      {"a path that is no port", "/etc/hostname", "19200", "8", "1",
       std::string("Unable to Access /etc/hostname") + kComErrorTail},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WindowEnvironment env;
    VirtualModule module;
    env.Register("COM1", module.PortPath());
    env.Store(c.com, c.baud, c.bits, "1", "NONE", c.done);
    env.dialogs.Then([](QDialog& d) {
      Choose(d, "ComboBox1", "COM1");
      Choose(d, "ComboBox2", "19200");  // a stored value not in a list shows no choice
      Choose(d, "ComboBox3", "8");
      Button(d, "Button1")->click();
    });
    TForm1 form;
    ASSERT_FALSE(env.boxes.Shown().empty());
    EXPECT_EQ(env.boxes.Shown()[0].text, c.message);
    EXPECT_EQ(env.dialogs.shown, 1);
    EXPECT_EQ(form.Comms->State(), SerialComms::PortState::Open);
    EXPECT_EQ(env.Stored("Baud"), "19200");  // the dialog stored sound values
    EXPECT_EQ(env.Stored("Bits"), "8");
  }
}

TEST_F(SerialDialogTest, CtrlROpensTheDialogForTheMainPort) {
  env_.Store("COM1");
  TForm1 form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  SerialComms* seen = nullptr;
  env_.dialogs.Then([&](QDialog& d) {
    EXPECT_EQ(d.parentWidget(), &form);
    EXPECT_EQ(List(d, "ComboBox1")->currentText(), "COM1");
    seen = form.Comms.get();
    Button(d, "Button2")->click();
  });
  QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(env_.dialogs.shown, 1);
  EXPECT_EQ(seen, form.Comms.get());
}

TEST(SerialDialogForm, Components) {
  WindowEnvironment env;
  TRS232Form form;  // the plain instance the application creates
  EXPECT_EQ(form.windowTitle(), "RS232 Settings");
  EXPECT_EQ(form.size(), QSize(255, 257));
  EXPECT_EQ(form.font().family(), "MS Sans Serif");
  EXPECT_EQ(Items(List(form, "ComboBox1")), (QStringList{"COM1", "COM2", "COM3", "COM4"}));
  EXPECT_EQ(Items(List(form, "ComboBox2")),
            (QStringList{"300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "28800",
                         "38400", "56000", "57600", "115200"}));
  EXPECT_EQ(Items(List(form, "ComboBox3")), (QStringList{"5", "6", "7", "8"}));
  EXPECT_EQ(Items(List(form, "ComboBox4")), (QStringList{"1", "1.5", "2"}));
  EXPECT_EQ(Items(List(form, "ComboBox5")), (QStringList{"NONE", "HARDWARE"}));
  const std::pair<const char*, const char*> labels[] = {
      {"Label1", "Port"}, {"Label2", "Baud Rate"}, {"Label3", "Data Bits"},
      {"Label4", "Stop Bits"}, {"Label5", "Flow Control"}};
  for (const auto& [name, caption] : labels) {
    EXPECT_EQ(form.findChild<QLabel*>(name)->text(), caption);
  }
  EXPECT_EQ(form.findChild<QGroupBox*>("GroupBox1")->title(), "Settings");
  EXPECT_EQ(Button(form, "Button1")->text(), "OK");
  EXPECT_EQ(Button(form, "Button2")->text(), "Cancel");
}

}  // namespace
