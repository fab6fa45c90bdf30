// Faults of the line and of the module, injected through the virtual
// module: unplugged in the middle of each loop, wrong, late, short and
// unasked answers. The program keeps running, ends what cannot go on, shows
// at most one message, and works again once the port is opened again.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "page_test.h"
#include "radio_group.h"
#include "serial_comms.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

class UnplugTest : public PageTest {
 protected:
  explicit UnplugTest(const ModuleOptions& options = {}) : PageTest(options) {}

  // Unplugs the module once it has taken `commands` commands, then checks
  // that `loop` ends on its own with at most one box shown.
  void UnplugDuring(QTimer* loop, size_t commands) {
    // The event loop runs meanwhile: the loop's ticks come from it.
    ASSERT_TRUE(WaitFor([&] { return module_.Commands().size() >= commands; }, 20000));
    module_.HangUp();
    EXPECT_TRUE(WaitFor([&] { return !loop->isActive() && !form_.Transaction.Busy(); }, 10000));
    EXPECT_TRUE(form_.Comms->LineLost());
    const auto shown = setup_.env.boxes.Shown();
    ASSERT_LE(shown.size(), 1u);
    if (!shown.empty()) {
      EXPECT_EQ(shown[0].caption, "Error");
    }
  }

  // A new module as COM1, opened again through the settings dialog; a
  // following group-identifier job completes on it.
  void ReopenAndWriteAgain() {
    replacement_ = std::make_unique<VirtualModule>(ModuleOptions{});
    setup_.env.Register("COM1", replacement_->PortPath());
    setup_.env.dialogs.Then([](QDialog& d) { d.findChild<QPushButton*>("Button1")->click(); });
    form_.ChangeRS232Settings1Click();
    ASSERT_FALSE(form_.Comms->LineLost());
    ui_.ModuleChooserGroup->setItemIndex(2);
    ui_.Button12->click();
    ASSERT_TRUE(JobDone(form_.Timer3));
    ASSERT_TRUE(WaitFor([&] { return replacement_->Commands().size() >= 2; }));
    EXPECT_EQ(replacement_->Memory(0x1D), 0x12);
    EXPECT_EQ(replacement_->Memory(0x1E), 0x34);
  }

  std::unique_ptr<VirtualModule> replacement_;
};

TEST_F(UnplugTest, DuringReadAll) {
  form_.StartReadAll(10);
  UnplugDuring(form_.Timer1, 20);
  EXPECT_LT(form_.MemAddress, 256);  // it did not wait out the rest
  ReopenAndWriteAgain();
}

TEST_F(UnplugTest, DuringWriteJob) {
  FastTicks();
  ui_.Button36->click();  // "SET": 120 bytes
  UnplugDuring(form_.Timer3, 10);
  EXPECT_GT(form_.MemCount, 0);
  ReopenAndWriteAgain();
}

TEST_F(UnplugTest, DuringTheLinkTest) {
  ui_.PageControl1->setCurrentWidget(ui_.TabSheet2);
  ui_.CheckBox5->setChecked(true);  // "Transmit 1/Second"
  ASSERT_TRUE(WaitFor([&] { return module_.Received().find("Tavimo Evaluation Test") != std::string::npos; }));
  module_.HangUp();
  EXPECT_TRUE(WaitFor([&] { return form_.Comms->LineLost(); }));
  // The text goes on into the void once a second; nothing else happens.
  int sends = 0;
  QObject::connect(form_.Timer8, &QTimer::timeout, [&] { ++sends; });
  ASSERT_TRUE(WaitFor([&] { return sends >= 1; }, 3000));
  EXPECT_LE(setup_.env.boxes.Shown().size(), 1u);
  ui_.CheckBox5->setChecked(false);
  ui_.PageControl1->setCurrentWidget(ui_.Settings);
  ReopenAndWriteAgain();
}

class UnplugTransmitOnlyTest : public UnplugTest {
 protected:
  UnplugTransmitOnlyTest() : UnplugTest(TransmitOnlyModule()) {}
};

TEST_F(UnplugTransmitOnlyTest, DuringBlindJob) {
  ui_.Button33->click();  // ten bytes, blind
  form_.Timer6->setInterval(5);
  UnplugDuring(form_.Timer6, 2);
  EXPECT_GT(form_.MemCount, 0);
  ReopenAndWriteAgain();
}

// A module that echoes a wrong character at one position of every command.
class ModuleFaultTest : public PageTest {};

TEST_F(ModuleFaultTest, AtEveryPositionTheTransactionEndsAndTheNextCommandWorks) {
  const std::string command = "QX_CMD#C3";
  for (int position = 1; position <= static_cast<int>(command.size()); ++position) {
    SCOPED_TRACE(position);
    ModuleOptions o;
    o.wrongCharAt = position;
    o.wrongChar = '!';
    module_.SetOptions(o);
    form_.SendCommand(command);
    EXPECT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }));
  }
  module_.SetOptions(ModuleOptions{});
  form_.SendCommand("QX_CMD#C5");
  ASSERT_TRUE(module_.WaitForCommands(1));
  EXPECT_EQ(module_.Commands().back(), "QX_CMD#C5");  // no wrong echo was confirmed
  EXPECT_TRUE(setup_.env.boxes.Shown().empty());
}

TEST_F(ModuleFaultTest, LateEchoBeforeAndAfterTheWatchdog) {
  ui_.ModuleChooserGroup->setItemIndex(2);
  struct Case {
    int latencyUs;  // before each byte: nine bytes of echo
    bool confirmed;
  };
  // The watchdog gives up at the tenth 50 ms tick (500 ms).
  for (const Case c : {Case{25000, true}, Case{90000, false}}) {
    SCOPED_TRACE(c.latencyUs);
    ModuleOptions o;
    o.latencyUs = c.latencyUs;
    module_.SetOptions(o);
    module_.ClearRecords();
    const size_t before = module_.Commands().size();
    form_.SendCommand("QX_CMD#C2");
    ASSERT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }, 3000));
    ASSERT_TRUE(module_.WaitUntil([](const std::string&, const std::string& sent) { return sent.size() == 9; }));
    if (c.confirmed) {
      EXPECT_TRUE(module_.WaitForCommands(before + 1));
    } else {
      EXPECT_EQ(module_.Received(), "QX_CMD#C2");  // no "ACK" after the watchdog
    }
  }
}

TEST_F(ModuleFaultTest, ShortRepliesZeroBytesStrayAcksAndUnaskedBursts) {
  // A read answered with one digit: the slot keeps its text, the loop goes on.
  ModuleOptions shortReply;
  shortReply.reply = ModuleOptions::Reply::Short;
  module_.SetOptions(shortReply);
  form_.EepromImage[0x0A] = "EE";
  ui_.Edit10->setText("0A");
  ui_.Button5->click();
  ASSERT_TRUE(module_.WaitForCommands(1));
  module_.SetOptions(ModuleOptions{});

  // Unasked bytes while a command runs, and between commands.
  form_.SendCommand("QX_CMD#C4");
  module_.Inject(std::string("\x06\x00zz\x06", 5));
  ASSERT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }));
  module_.Inject(std::string(300, '\x06') + std::string(50, '\0') + "burst\r\n");
  form_.SendCommand("QX_CMD#C6");  // may take a stray 0x06 for the fast acknowledgement
  // The burst has been read to its end (a stray 0x06 still on its way would
  // again look like a fast acknowledgement to the next command).
  ASSERT_TRUE(WaitFor([&] {
    return ui_.Memo2->Text().find("burst") != std::string::npos && !form_.Transaction.Busy() &&
           !form_.Timer5->isActive();
  }));
  form_.SendCommand("QX_CMD#C8");
  // Confirmed and acted upon by the module: the line is usable again.
  EXPECT_TRUE(WaitFor([&] {
    const auto done = module_.Commands();
    return !done.empty() && done.back() == "QX_CMD#C8";
  }));
  EXPECT_TRUE(setup_.env.boxes.Shown().empty());
}

}  // namespace
