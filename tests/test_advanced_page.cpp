// The Advanced Configuration page and the hidden Frequency Tables sub-page
// against the virtual module: what each writer puts on the wire and leaves
// in the module's memory.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <mutex>

#include "command_texts.h"
#include "radio_group.h"
#include "page_test.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "wait.h"

namespace {

class AdvancedPageTest : public PageTest {
 protected:
  explicit AdvancedPageTest(const ModuleOptions& options = {}) : PageTest(options) {}

  int ProgressOf2() { return ui_.ProgressBar2->value(); }
};

TEST_F(AdvancedPageTest, PageAsTheUserSeesIt) {
  ui_.PageControl2->setCurrentWidget(ui_.TabSheet6);
  EXPECT_EQ(ui_.PageControl3->currentWidget(), ui_.TabSheet9);
  EXPECT_FALSE(ui_.PageControl3->isTabVisible(ui_.PageControl3->indexOf(ui_.TabSheet7)));
  EXPECT_EQ(ui_.Edit18->text(), "12");
  EXPECT_EQ(ui_.Edit18->maxLength(), 5);
  EXPECT_EQ(ui_.Edit19->text(), "34");
  EXPECT_EQ(ui_.Edit19->maxLength(), 2);
  ASSERT_EQ(ui_.ListBox1->count(), 1109);
  EXPECT_EQ(ui_.ListBox1->currentItem()->text(), "300");
  EXPECT_TRUE(ui_.ListBox1->currentItem()->isSelected());
  EXPECT_EQ(ui_.ListBox1->item(1108)->text(), "83333");
  EXPECT_EQ(ui_.RadioGroup1->ItemIndex(), 0);
  EXPECT_TRUE(ui_.GroupBox2->isHidden());
  EXPECT_EQ(ui_.ProgressBar2->maximum(), 100);
  for (int n = 0; n < 10; ++n) {
    auto* box = form_.findChild<QComboBox*>(QString("FreqComboCH%1").arg(n));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), QString::number(420 + n));
    EXPECT_EQ(box->count(), 0);
  }
  EXPECT_FALSE(ui_.Optimised_CB->isChecked());
}

TEST_F(AdvancedPageTest, GroupIdentifierWritesBothAddresses) {
  ui_.Button12->click();
  EXPECT_EQ(ui_.ProgressBar2->maximum(), 2);
  ASSERT_TRUE(JobDone(form_.Timer3));
  ASSERT_TRUE(module_.WaitForCommands(2));
  EXPECT_EQ(module_.Commands(), (std::vector<std::string>{"QX_CMD#L41D12", "QX_CMD#L41E34"}));
  EXPECT_EQ(ModuleBytes(0x1D, 2), "12 34");
  EXPECT_EQ(ProgressOf2(), 2);

  // A box failing the check keeps its slot's earlier text; it is written all the same.
  module_.ClearRecords();
  ui_.Edit18->setText("56");
  ui_.Edit19->setText("ab");
  ui_.Button12->click();
  ASSERT_TRUE(JobDone(form_.Timer3));
  ASSERT_TRUE(module_.WaitForCommands(4));
  EXPECT_EQ(module_.Received(), "QX_CMD#L41D56ACKQX_CMD#L41E34ACK");
  EXPECT_EQ(form_.EepromImage[0x1E], "34");
}

TEST_F(AdvancedPageTest, FiveCharacterGroupIdentifierGoesOnTheWireWhole) {
  ui_.Edit18->setText("1A2B3");
  ui_.Button12->click();
  EXPECT_EQ(form_.EepromImage[0x1D], "1A2B3");
  EXPECT_TRUE(WaitFor([&] { return module_.Received().rfind("QX_CMD#L41D1A2B3", 0) == 0; }));
}

TEST_F(AdvancedPageTest, CustomBaudWritesDivisorAndTimingWord) {
  struct Case {
    const char* rate;
    const char* bytes;  // 0x51 … 0x54
  };
  for (const Case& c : {Case{"300", "82 06 8F 3A"}, Case{"9615", "33 00 04 78"},
                        Case{"83333", "05 00 00 84"}, Case{"440", "6F 04 61 A7"}}) {
    SCOPED_TRACE(c.rate);
    module_.ClearRecords();
    const auto found = ui_.ListBox1->findItems(c.rate, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    ui_.ListBox1->setCurrentItem(found.front());
    ui_.Button38->click();
    EXPECT_EQ(ui_.ProgressBar2->maximum(), 4);
    ASSERT_TRUE(JobDone(form_.Timer3));
    EXPECT_TRUE(module_.WaitUntil([](const std::string& received, const std::string&) {
      return received.size() == 4 * std::string("QX_CMD#L45182ACK").size();
    }));
    EXPECT_EQ(ModuleBytes(0x51, 4), c.bytes);
    const std::vector<std::string> all = module_.Commands();
    EXPECT_EQ(std::vector<std::string>(all.end() - 4, all.end()), WritesFrom(0x51, 4));
    EXPECT_EQ(ProgressOf2(), 4);
  }
}

TEST_F(AdvancedPageTest, HiddenCalculatorShowsTheClosestRate) {
  for (const auto& [typed, shown] : {std::pair{"9600", "9615.38"}, {"19200", "19230.77"}, {"300", "299.99"}}) {
    ui_.Edit21->setText(typed);
    EXPECT_EQ(ui_.Label59->text(), shown);
  }
  // Not a whole number, or zero: the error is shown and the figure stays.
  ui_.Edit21->setText("abc");
  ui_.Edit21->setText("0");
  const auto shown = setup_.env.boxes.Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "'abc' is not a valid integer value");
  EXPECT_EQ(shown[1].text, "Floating point division by zero");
  EXPECT_EQ(ui_.Label59->text(), "299.99");
}

TEST_F(AdvancedPageTest, FrequencyResetWritesTheWholeTableAndListsIt) {
  FastTicks();
  ui_.RadioGroup1->setItemIndex(1);  // "Higher Frequency"
  ui_.Button36->click();
  EXPECT_EQ(form_.MemCount, 120);
  EXPECT_EQ(ui_.ProgressBar2->maximum(), 120);
  const std::string listing = ui_.Memo3->Text();
  EXPECT_EQ(listing.rfind(", Ox43, Ox94, Ox85, Ox50\r\n", 0), 0u);
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(120));
  EXPECT_EQ(module_.Commands(), WritesFrom(0x58, 120));
  EXPECT_EQ(ModuleBytes(0x58, 4), "43 94 85 50");   // channel 0, first transmit block
  EXPECT_EQ(ModuleBytes(0x80, 4), "57 E0 00 68");   // channel 0, receive block
  EXPECT_EQ(ModuleBytes(0x84, 4), "65 80 01 78");   // channel 1: divider 15 of the two
  EXPECT_EQ(ModuleBytes(0xCC, 4), "43 BF 52 50");   // channel 9, transmit block
  EXPECT_EQ(ModuleBytes(0x58, 40), ModuleBytes(0xA8, 40));
  std::string expected;
  for (int a = 0x58; a < 0xD0; ++a) expected += ", Ox" + Hex2(module_.Memory(a)) + ((a + 1) % 4 ? "" : "\r\n");
  EXPECT_EQ(listing, expected);
  EXPECT_EQ(ProgressOf2(), 120);

  // The lower set, the default choice: a fresh listing, not an appended one.
  module_.ClearRecords();
  ui_.RadioGroup1->setItemIndex(0);
  ui_.Button36->click();
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(240));
  EXPECT_EQ(ModuleBytes(0x80, 4), "4A 60 01 58");
  EXPECT_EQ(ModuleBytes(0xA8, 4), "43 93 1F 50");
  EXPECT_EQ(ModuleBytes(0xA0, 4), "43 C0 01 50");
  EXPECT_EQ(ModuleBytes(0xC8, 4), "43 B8 85 50");
  EXPECT_EQ(std::count(ui_.Memo3->Text().begin(), ui_.Memo3->Text().end(), '\n'), 30);
}

class CalibrateTest : public AdvancedPageTest {
 protected:
  CalibrateTest() : AdvancedPageTest(SilentAt(1)) {}
};

TEST_F(CalibrateTest, ReplacesATransactionInFlight) {
  ui_.Edit10->setText("0A");
  ui_.Button5->click();  // a read the module does not echo
  ASSERT_TRUE(WaitFor([&] { return module_.Received() == "QX_CMD#L40A?"; }));
  ASSERT_TRUE(form_.Transaction.Busy());
  ui_.ModuleChooserGroup->setItemIndex(0);  // "TS": Calibrate checks the echo all the same
  ui_.Button37->click();
  ASSERT_TRUE(module_.WaitForCommands(1));
  EXPECT_EQ(module_.Commands(), std::vector<std::string>{"QX_CMD#C7"});
  EXPECT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }));
  EXPECT_FALSE(form_.Timer3->isActive());
}

TEST_F(AdvancedPageTest, UpdateTrsWritesReceiveAndTransmitBlocks) {
  FastTicks();
  ui_.UpdateTRS->click();
  EXPECT_EQ(ui_.ProgressBar2->maximum(), 80);
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(80));
  EXPECT_EQ(module_.Commands(), WritesFrom(0x80, 80));
  EXPECT_EQ(ModuleBytes(0x80, 4), "62 60 01 78");
  EXPECT_EQ(ModuleBytes(0xA8, 4), "41 83 63 50");
  EXPECT_EQ(ModuleBytes(0x8C, 4), "42 00 01 50");
  EXPECT_EQ(ModuleBytes(0xB4, 4), "41 F8 B8 50");
  EXPECT_EQ(ModuleBytes(0x58, 4), "58 59 5A 5B");  // the first transmit block is not touched
  EXPECT_EQ(ProgressOf2(), 80);
}

TEST_F(AdvancedPageTest, UpdateRxCurrentSendsOneCommand) {
  ui_.BitBtn4->click();
  ASSERT_TRUE(module_.WaitForCommands(1));
  EXPECT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }));
  EXPECT_EQ(module_.Commands(), std::vector<std::string>{"QX_CMD#L41368"});
  EXPECT_EQ(module_.Memory(0x13), 0x68);
  for (const std::string& slot : form_.EepromImage) EXPECT_TRUE(slot.empty());
}

TEST_F(AdvancedPageTest, ChannelBoxThatIsNotANumberChangesNothing) {
  form_.EepromImage[0x80] = "AA";
  for (const char* text : {"abc", "", "1,5"}) {
    ui_.FreqComboCH4->setCurrentText(text);
    ui_.UpdateTRS->click();
    ui_.UpdateTS->click();
  }
  const auto shown = setup_.env.boxes.Shown();
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown[0].text, "'abc' is not a valid floating point value");
  EXPECT_EQ(shown[2].text, "'' is not a valid floating point value");
  EXPECT_FALSE(form_.Timer3->isActive());
  EXPECT_FALSE(form_.Timer6->isActive());
  EXPECT_EQ(form_.MemAddress, 0);
  EXPECT_EQ(form_.EepromImage[0x80], "AA");
  EXPECT_EQ(form_.EepromImage[0x81], "");
  EXPECT_EQ(module_.Received(), "");
}

class UpdateTsTest : public AdvancedPageTest {
 protected:
  UpdateTsTest() : AdvancedPageTest(TransmitOnlyModule()) {}
};

TEST_F(UpdateTsTest, BlindJobPacesCommandsEachFollowedByAck) {
  std::mutex mutex;
  std::vector<std::chrono::steady_clock::time_point> commandStarts;
  module_.SetTrafficObserver([&](bool fromProgram, const std::string& bytes) {
    if (!fromProgram || bytes.find('Q') == std::string::npos) return;
    std::lock_guard<std::mutex> lock(mutex);
    commandStarts.push_back(std::chrono::steady_clock::now());
  });
  ui_.ModuleChooserGroup->setItemIndex(0);
  ui_.UpdateTS->click();
  EXPECT_EQ(ui_.ProgressBar2->maximum(), 80);
  EXPECT_TRUE(form_.Timer6->isActive());
  EXPECT_FALSE(form_.Timer3->isActive());
  // Two commands at the job's own pace, then the rest faster.
  ASSERT_TRUE(WaitFor([&] {
    std::lock_guard<std::mutex> lock(mutex);
    return commandStarts.size() >= 2;
  }));
  {
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_GE(commandStarts[1] - commandStarts[0], std::chrono::milliseconds(100));
  }
  form_.Timer6->setInterval(5);
  ASSERT_TRUE(WaitFor([&] { return !form_.Timer6->isActive() && !form_.TS_CMD_Timer->isActive(); }, 30000));
  ASSERT_TRUE(module_.WaitForCommands(80));
  module_.SetTrafficObserver(nullptr);
  std::string expected;
  for (const std::string& command : WritesFrom(0x80, 80)) expected += command + "ACK";
  EXPECT_EQ(module_.Received(), expected);
  EXPECT_EQ(ModuleBytes(0x80, 4), "41 81 86 50");
  EXPECT_EQ(ModuleBytes(0x80, 40), ModuleBytes(0xA8, 40));
  EXPECT_EQ(ProgressOf2(), 80);
}

}  // namespace
