// The receive thread's delivery rules through real pseudo-terminals.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "hook_recorder.h"
#include "pty.h"
#include "rs232_thread.h"
#include "scripted_boxes.h"
#include "serial_comms.h"
#include "serial_device.h"

namespace {

HookRecorder& Recorder() { return HookRecorder::Instance(); }

class ReceiveThreadTest : public ::testing::Test {
 protected:
  void SetUp() override { Recorder().Clear(); }
  ScriptedBoxes boxes_;
  Pty pty_;
};

TEST_F(ReceiveThreadTest, BurstWithChunkOneGivesOneCallPerByteInOrder) {
  SerialComms comms(pty_.SlavePath());
  comms.SetReceiveHook(&HookRecorder::Hook);
  pty_.Write("QX_CM");
  ASSERT_TRUE(Recorder().WaitForCount(5));
  const auto d = Recorder().Deliveries();
  ASSERT_EQ(d.size(), 5u);
  for (size_t i = 0; i < d.size(); ++i) {
    EXPECT_EQ(d[i].bytes, std::string(1, "QX_CM"[i]));
    EXPECT_EQ(d[i].count, 1);
    EXPECT_EQ(d[i].textLength, 1u);  // reads as a one-character text
    EXPECT_NE(d[i].thread, std::this_thread::get_id());
  }
}

TEST_F(ReceiveThreadTest, ChunkIsDeliveredOnlyWhenWhole) {
  SerialComms comms(pty_.SlavePath());
  comms.SetChunkSize(2);
  comms.SetReceiveHook(&HookRecorder::Hook);
  pty_.Write("3");
  pty_.Write("F");
  ASSERT_TRUE(Recorder().WaitForCount(1));
  const auto d = Recorder().Deliveries();
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].bytes, "3F");
  EXPECT_EQ(d[0].count, 2);
  EXPECT_TRUE(d[0].zeroAfter);
}

TEST_F(ReceiveThreadTest, ChunkWithAZeroByteIsDeliveredWhole) {
  SerialComms comms(pty_.SlavePath());
  comms.SetChunkSize(3);
  comms.SetReceiveHook(&HookRecorder::Hook);
  pty_.Write(std::string("a\0b", 3));
  ASSERT_TRUE(Recorder().WaitForCount(1));
  const auto d = Recorder().Deliveries().at(0);
  EXPECT_EQ(d.bytes, std::string("a\0b", 3));
  EXPECT_EQ(d.count, 3);
  EXPECT_EQ(d.textLength, 1u);  // as a text it ends at the zero byte
  EXPECT_TRUE(d.zeroAfter);
}

SerialComms* gComms = nullptr;

// Raises the chunk size to 3 on its first call, as a transaction does.
void RaiseChunkOnFirstCall(const char* data, int count) {
  if (Recorder().Count() == 0) gComms->SetChunkSize(3);
  HookRecorder::Hook(data, count);
}

TEST_F(ReceiveThreadTest, ChunkSizeChangedInsideTheHookAppliesToTheNextDelivery) {
  SerialComms comms(pty_.SlavePath());
  gComms = &comms;
  comms.SetReceiveHook(&RaiseChunkOnFirstCall);
  pty_.Write("x0A");  // all queued at once: the change must still apply in between
  pty_.Write("B");
  ASSERT_TRUE(Recorder().WaitForCount(2));
  const auto d = Recorder().Deliveries();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].bytes, "x");
  EXPECT_EQ(d[0].count, 1);
  EXPECT_EQ(d[1].bytes, "0AB");
  EXPECT_EQ(d[1].count, 3);
  gComms = nullptr;
}

// Swaps itself for the recorder, as a transaction puts back the old hook.
void HandOverToRecorder(const char* data, int count) {
  gComms->SetReceiveHook(&HookRecorder::Hook);
  HookRecorder::Hook(data, count);
}

TEST_F(ReceiveThreadTest, HookReplacedInsideTheHookTakesTheNextChunk) {
  SerialComms comms(pty_.SlavePath());
  gComms = &comms;
  comms.SetReceiveHook(&HandOverToRecorder);
  pty_.Write("QX");
  ASSERT_TRUE(Recorder().WaitForCount(2));
  EXPECT_EQ(Recorder().AllBytes(), "QX");
  EXPECT_EQ(comms.GetReceiveHook(), &HookRecorder::Hook);
  gComms = nullptr;
}

TEST_F(ReceiveThreadTest, BytesWaitUntilAHookIsInstalled) {
  SerialComms comms(pty_.SlavePath());
  pty_.Write("hello");
  // With no hook the thread leaves the bytes queued, whatever the timing.
  comms.SetReceiveHook(&HookRecorder::Hook);
  ASSERT_TRUE(Recorder().WaitForCount(5));
  EXPECT_EQ(Recorder().AllBytes(), "hello");

  comms.SetReceiveHook(nullptr);
  pty_.Write("kept");
  comms.SetReceiveHook(&HookRecorder::Hook);
  ASSERT_TRUE(Recorder().WaitForCount(9));
  EXPECT_EQ(Recorder().AllBytes(), "hellokept");
}

TEST_F(ReceiveThreadTest, NoDeliveryAfterTermination) {
  auto device = SerialDevice::Open(pty_.SlavePath());
  ASSERT_TRUE(device);
  ReceiveControl control;
  control.SetHook(&HookRecorder::Hook);
  {
    RS232RXThread thread(*device, control);
    pty_.Write("a");
    ASSERT_TRUE(Recorder().WaitForCount(1));
    thread.Terminate();
    pty_.Write("bcd");
  }  // the destructor waits for the thread
  EXPECT_EQ(Recorder().AllBytes(), "a");
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(ReceiveThreadTest, DestroyedPortDeliversNothingMore) {
  auto comms = std::make_unique<SerialComms>(pty_.SlavePath());
  comms->SetReceiveHook(&HookRecorder::Hook);
  std::atomic<bool> writing{true};
  std::thread writer([&] {
    while (writing) pty_.Write("z");
  });
  ASSERT_TRUE(Recorder().WaitForCount(10));
  comms.reset();
  const size_t after = Recorder().Count();
  writing = false;
  writer.join();
  EXPECT_EQ(Recorder().Count(), after);
}

TEST_F(ReceiveThreadTest, HangUpStopsDeliveriesWithOneMessage) {
  Pty other;
  SerialComms comms(pty_.SlavePath());
  comms.SetReceiveHook(&HookRecorder::Hook);
  pty_.Write("a");
  ASSERT_TRUE(Recorder().WaitForCount(1));

  pty_.HangUp();  // as when a USB adapter is pulled out
  ASSERT_TRUE(boxes_.WaitForCount(1));
  EXPECT_EQ(boxes_.Shown()[0].caption, "Error");
  EXPECT_FALSE(boxes_.Shown()[0].text.empty());

  // A later SetPort works again, and the dead port raised no further box.
  comms.SetPort(other.SlavePath());
  ASSERT_EQ(comms.State(), SerialComms::PortState::Open);
  other.Write("b");
  ASSERT_TRUE(Recorder().WaitForCount(2));
  EXPECT_EQ(Recorder().AllBytes(), "ab");
  EXPECT_EQ(boxes_.Shown().size(), 1u);
}

}  // namespace
