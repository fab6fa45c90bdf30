// Module memory access against the virtual module: the read-all loop, the
// write jobs for echoing and transmit-only modules, and their faults.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "command_texts.h"
#include "gauge.h"
#include "radio_group.h"
#include "serial_comms.h"
#include "page_test.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "wait.h"

namespace {

class MemoryTest : public PageTest {
 protected:
  explicit MemoryTest(const ModuleOptions& options = {}) : PageTest(options) {
    for (int a = 0; a < 256; ++a) module_.SetMemory(a, static_cast<uint8_t>(255 - a));
  }

  std::string Slot(int a) { return form_.EepromImage[static_cast<size_t>(a)]; }
  std::string ExpectedListing() {
    std::string text;
    for (int a = 0; a < 256; ++a) {
      if (a % 16 == 0) text += "\r\n0x" + Hex2(a) + "\t";
      text += Hex2(255 - a) + ", ";
    }
    return text;
  }
};

TEST_F(MemoryTest, ReadAllThenWriteAllRoundTrips) {
  ui_.Button7->click();  // "Get CC Regs": 10 ms ticks
  EXPECT_EQ(form_.Timer1->interval(), 10);
  ASSERT_TRUE(JobDone(form_.Timer1));
  EXPECT_EQ(form_.MemAddress, 256);
  EXPECT_FALSE(form_.Timer1->isActive());
  EXPECT_EQ(ui_.Memo1->Text(), ExpectedListing());
  const auto reads = module_.Commands();
  ASSERT_EQ(reads.size(), 256u);
  for (int a = 0; a < 256; ++a) EXPECT_EQ(reads[a], commands::MemoryRead(a));
  EXPECT_EQ(Slot(0x20), "DF");

  for (int a = 0; a < 256; ++a) module_.SetMemory(a, 0);
  ui_.Button1->click();  // "Write All E2"
  ASSERT_TRUE(JobDone(form_.Timer3, 60000));
  ASSERT_TRUE(module_.WaitForCommands(512));
  const auto writes = module_.Commands();
  for (int a = 0; a < 256; ++a) {
    EXPECT_EQ(writes[256 + a], commands::MemoryWrite(a, Hex2(255 - a)));
    EXPECT_EQ(module_.Memory(a), 255 - a);
  }
}

class SilentReadTest : public MemoryTest {
 protected:
  SilentReadTest() : MemoryTest(SilentAt(0x20 + 1)) {}
};

TEST_F(SilentReadTest, ReadWithoutEchoWaitsTenTicksAndGoesOn) {
  form_.EepromImage[0x20] = "EE";  // the earlier text of the slot
  form_.StartReadAll(10);
  ASSERT_TRUE(JobDone(form_.Timer1));
  EXPECT_EQ(Slot(0x20), "EE");
  EXPECT_EQ(Slot(0x21), "DE");
  const std::string listing = ui_.Memo1->Text();
  EXPECT_NE(listing.find("\r\n0x20\tEE, DE, "), std::string::npos) << listing;
  EXPECT_EQ(module_.Commands().size(), 255u);  // every address but the silent one
}

TEST_F(MemoryTest, WriteJobMovesTheProgressBarPerByteSent) {
  form_.EepromImage[29] = "12";
  form_.EepromImage[30] = "34";
  ui_.ProgressBar2->setMaximum(2);
  ui_.ProgressBar2->setValue(0);
  form_.StartWriteJob(29, 2);
  ASSERT_TRUE(JobDone(form_.Timer3));
  ASSERT_TRUE(module_.WaitForCommands(2));
  EXPECT_EQ(module_.Commands(), (std::vector<std::string>{"QX_CMD#L41D12", "QX_CMD#L41E34"}));
  EXPECT_EQ(ui_.ProgressBar2->value(), 2);
  EXPECT_EQ(module_.Memory(29), 0x12);
}

TEST_F(MemoryTest, EmptySlotIsSkippedAndSaidSo) {
  form_.EepromImage[40] = "AA";
  form_.EepromImage[42] = "CC";
  form_.StartWriteJob(40, 3);
  ASSERT_TRUE(JobDone(form_.Timer3));
  ASSERT_TRUE(module_.WaitForCommands(2));
  EXPECT_EQ(module_.Commands(), (std::vector<std::string>{"QX_CMD#L428AA", "QX_CMD#L42ACC"}));
  EXPECT_EQ(module_.Received().find("(null)"), std::string::npos);
  EXPECT_NE(ui_.Memo2->Text().find("SKIPPED:\t0x29 holds no value\r\n"), std::string::npos);
}

class SecondByteSilentTest : public MemoryTest {
 protected:
  SecondByteSilentTest() : MemoryTest(SilentAt(2)) {}
};

TEST_F(SecondByteSilentTest, WriteJobStopsAfterTenTicksAtTheSilentByte) {
  for (int a = 88; a < 92; ++a) form_.EepromImage[a] = "5A";
  ui_.ProgressBar2->setMaximum(4);
  ui_.ProgressBar2->setValue(0);
  form_.StartWriteJob(88, 4);
  ASSERT_TRUE(JobDone(form_.Timer3));
  EXPECT_EQ(ui_.ProgressBar2->value(), 2);  // bytes sent, not bytes confirmed
  EXPECT_EQ(module_.Commands(), std::vector<std::string>{"QX_CMD#L4585A"});
  EXPECT_EQ(module_.Received().find("QX_CMD#L45A"), std::string::npos);  // third never sent
}

class WrongEchoTest : public MemoryTest {
 protected:
  static ModuleOptions WrongSecond() {
    ModuleOptions o;
    o.wrongCharAt = 5;
    o.faultOnly = 2;
    return o;
  }
  WrongEchoTest() : MemoryTest(WrongSecond()) {}
};

TEST_F(WrongEchoTest, WrongEchoSkipsThatByteAndTheJobGoesOn) {
  for (int a = 88; a < 91; ++a) form_.EepromImage[a] = "5A";
  form_.StartWriteJob(88, 3);
  ASSERT_TRUE(JobDone(form_.Timer3));
  ASSERT_TRUE(module_.WaitForCommands(2));
  EXPECT_EQ(module_.Commands(), (std::vector<std::string>{"QX_CMD#L4585A", "QX_CMD#L45A5A"}));
}

class BlindWriteTest : public MemoryTest {
 protected:
  BlindWriteTest() : MemoryTest(TransmitOnlyModule()) {}
};

TEST_F(BlindWriteTest, EachCommandIsFollowedByAnAck) {
  ui_.ModuleChooserGroup->setItemIndex(0);
  const int values[] = {0x40, 0x50, 0x60};
  for (int i = 0; i < 3; ++i) form_.EepromImage[208 + i] = Hex2(values[i]);
  form_.StartBlindWriteJob(208, 3);
  ASSERT_TRUE(WaitFor([&] { return !form_.Timer6->isActive() && !form_.TS_CMD_Timer->isActive(); }, 5000));
  ASSERT_TRUE(module_.WaitForCommands(3));
  EXPECT_EQ(module_.Received(), "QX_CMD#L4D040ACKQX_CMD#L4D150ACKQX_CMD#L4D260ACK");
  EXPECT_EQ(ui_.Memo2->Text(),
            "SENT:\t\tQX_CMD#L4D040\r\nSENT:\t\tACK\r\nSENT:\t\tQX_CMD#L4D150\r\nSENT:\t\tACK\r\n"
            "SENT:\t\tQX_CMD#L4D260\r\nSENT:\t\tACK\r\n");
  EXPECT_EQ(module_.Memory(0xD2), 0x60);
}

TEST_F(MemoryTest, ANewLoopEndsTheOneRunning) {
  form_.StartReadAll(50);
  form_.EepromImage[100] = "01";
  form_.StartWriteJob(100, 1);
  EXPECT_FALSE(form_.Timer1->isActive());
  ASSERT_TRUE(JobDone(form_.Timer3));
  EXPECT_TRUE(WaitFor([&] { return module_.Memory(100) == 1; }));
}

TEST_F(MemoryTest, SingleReadShowsTheValueInTheLog) {
  ui_.Edit10->setText("0A");
  ui_.Button5->click();
  EXPECT_TRUE(WaitFor([&] {
    return ui_.Memo2->Text() ==
           "SENT:\t\tQX_CMD#L40A?\r\nRECEIVED:\tQX_CMD#L40A?\r\nSENT:\t\tACK\r\nRECEIVED:\tF5\r\n";
  })) << ui_.Memo2->Text();
  EXPECT_EQ(Slot(0x0A), "");  // the image is not changed
  ui_.Edit11->setText("77");
  ui_.Button6->click();
  EXPECT_TRUE(WaitFor([&] { return module_.Memory(0x0A) == 0x77; }));
}

TEST(Gauge, ProgressIsHeldWithinItsRange) {
  TCGauge gauge;
  gauge.setMaxValue(120);
  gauge.setProgress(130);
  EXPECT_EQ(gauge.Progress(), 120);
  gauge.setProgress(-5);
  EXPECT_EQ(gauge.Progress(), 0);
  QProgressBar bar;
  bar.setRange(0, 100);
  ShowProgress(&bar, -156);  // 256 bytes on a bar of 100: 0 until 100 remain
  EXPECT_EQ(bar.value(), 0);
  ShowProgress(&bar, 300);
  EXPECT_EQ(bar.value(), 100);
}

}  // namespace
