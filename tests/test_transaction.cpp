// The command transaction against real ptys: a virtual module, or a script
// of bytes where a module must misbehave in a precise way.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "pty.h"
#include "scripted_boxes.h"
#include "qx_cmd.h"
#include "serial_comms.h"
#include "virtual_module.h"

namespace {

using namespace std::chrono_literals;

// The log and the fast-ack box, as the transaction hands them out.
struct Recorded {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> lines;
  std::vector<bool> fastAck;
  std::string before;  // bytes the port's own hook received
};
Recorded* gRecorded = nullptr;

void RecordLine(const char* data, int length) {
  std::lock_guard<std::mutex> lock(gRecorded->mutex);
  gRecorded->lines.emplace_back(data, static_cast<size_t>(length));
  gRecorded->changed.notify_all();
}
void RecordFastAck(bool checked) {
  std::lock_guard<std::mutex> lock(gRecorded->mutex);
  gRecorded->fastAck.push_back(checked);
}
void PortHook(const char* data, int count) {
  std::lock_guard<std::mutex> lock(gRecorded->mutex);
  gRecorded->before.append(data, static_cast<size_t>(count));
  gRecorded->changed.notify_all();
}

class TransactionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gRecorded = &recorded_;
    state_.LogLine = &RecordLine;
    state_.ShowFastAck = &RecordFastAck;
    Transactions = &state_;
  }
  void TearDown() override {
    state_.Abandon();
    port_.reset();  // its receive thread calls the recording hooks until here
    Transactions = nullptr;
    gRecorded = nullptr;
  }
  void Open(const std::string& path) {
    port_ = std::make_unique<SerialComms>(path);
    port_->SetReceiveHook(&PortHook);
  }
  bool Ended() {
    for (int i = 0; i < 500 && state_.Busy(); ++i) std::this_thread::sleep_for(1ms);  // bounded poll
    return !state_.Busy();
  }
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> lock(recorded_.mutex);
    return recorded_.lines;
  }

  ScriptedBoxes boxes_;  // a module that goes away hangs the line up
  Recorded recorded_;
  TransactionState state_;
  std::unique_ptr<SerialComms> port_;
};

TEST_F(TransactionTest, ExactEchoIsConfirmedWithAck) {
  VirtualModule module;
  Open(module.PortPath());
  state_.Begin("QX_CMD#C3", *port_);
  ASSERT_TRUE(Ended());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"SENT:\t\tQX_CMD#C3", "RECEIVED:\tQX_CMD#C3",
                                               "SENT:\t\tACK"}));
  EXPECT_TRUE(module.WaitForCommands(1));
  EXPECT_EQ(module.Received(), "QX_CMD#C3ACK");
  EXPECT_EQ(recorded_.fastAck, std::vector<bool>{false});
  EXPECT_EQ(port_->GetReceiveHook(), &PortHook);  // put back
  EXPECT_EQ(port_->GetChunkSize(), 1);
}

TEST_F(TransactionTest, WrongEchoEndsWithoutAck) {
  struct Case {
    const char* name;
    std::string answer;   // what the module sends back
    std::string logged;   // after "RECEIVED:\t"
  };
  const Case cases[] = {
      {"another command", "QX_CMD#C4", "QX_CMD#C4"},
      {"fourth character", "QX_X", "QX_X"},
      {"0x06 after the first character", "Q\x06", "Q\x06"},
      {"a zero byte in the echo", std::string("QX\0", 3), "QX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    recorded_.lines.clear();
    Pty pty;
    Open(pty.SlavePath());
    state_.Begin("QX_CMD#C3", *port_);
    EXPECT_EQ(pty.Read(1000), "QX_CMD#C3");
    pty.Write(c.answer);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(Lines(), (std::vector<std::string>{"SENT:\t\tQX_CMD#C3", "RECEIVED:\t" + c.logged}));
    EXPECT_EQ(pty.Read(50), "");  // no "ACK"
    // What follows goes to the port's own hook.
    pty.Write("OK");
    std::unique_lock<std::mutex> lock(recorded_.mutex);
    EXPECT_TRUE(recorded_.changed.wait_for(lock, 5s, [&] { return recorded_.before == "OK"; }));
    recorded_.before.clear();
  }
}

TEST_F(TransactionTest, FastAcknowledgementIsAnsweredWithTheSameByte) {
  ModuleOptions options;
  options.fastAck = true;
  VirtualModule module(options);
  Open(module.PortPath());
  state_.Begin("QX_CMD#C3", *port_);
  ASSERT_TRUE(Ended());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"SENT:\t\tQX_CMD#C3",
                                               "RECEIVED:\t'0x06' (FAST ACK)",
                                               "SENT:\t\t'0x06' (FAST ACK)"}));
  EXPECT_TRUE(module.WaitForCommands(1));
  EXPECT_EQ(module.Received(), "QX_CMD#C3\x06");
  EXPECT_EQ(recorded_.fastAck, std::vector<bool>{true});
}

TEST_F(TransactionTest, ReplyOfKnownLengthIsStoredInOneStepAndNotLogged) {
  for (bool fast : {false, true}) {
    SCOPED_TRACE(fast ? "fast ack" : "echo");
    recorded_.lines.clear();
    ModuleOptions options;
    options.fastAck = fast;
    VirtualModule module(options);
    module.SetMemory(0x10, 0x3F);
    Open(module.PortPath());
    std::string slot = "old";
    state_.Begin("QX_CMD#L410?", *port_, 2, &slot);
    ASSERT_TRUE(Ended());
    {
      std::lock_guard<std::mutex> lock(state_.Lock);
      EXPECT_EQ(slot, "3F");
    }
    EXPECT_EQ(Lines().size(), 3u);
    EXPECT_EQ(Lines().back(), fast ? "SENT:\t\t'0x06' (FAST ACK)" : "SENT:\t\tACK");
    EXPECT_EQ(port_->GetChunkSize(), 1);
    EXPECT_EQ(recorded_.before, "");
  }
}

TEST_F(TransactionTest, ShortReplyWaitsAndIsHandedBackWhenAbandoned) {
  ModuleOptions options;
  options.reply = ModuleOptions::Reply::Short;
  VirtualModule module(options);
  Open(module.PortPath());
  std::string slot = "old";
  state_.Begin("QX_CMD#L40A?", *port_, 2, &slot);
  ASSERT_TRUE(module.WaitUntil([](const std::string&, const std::string& s) { return s.size() == 13; }));
  ASSERT_TRUE(state_.Busy());
  state_.Abandon();  // as the watchdog does
  std::unique_lock<std::mutex> lock(recorded_.mutex);
  EXPECT_TRUE(recorded_.changed.wait_for(lock, 5s, [&] { return recorded_.before == "0"; }));
  EXPECT_EQ(slot, "old");
}

TEST_F(TransactionTest, SecondCommandAbandonsTheFirst) {
  Pty pty;
  Open(pty.SlavePath());
  state_.Begin("QX_CMD#C3", *port_);
  pty.Write("QX_");  // part of the first echo
  bool taken = false;
  for (int i = 0; i < 500 && !taken; ++i) {  // bounded: until the hook has taken the three
    {
      std::lock_guard<std::mutex> lock(state_.Lock);
      taken = std::string(state_.EchoBuffer) == "QX_";
    }
    if (!taken) std::this_thread::sleep_for(1ms);
  }
  ASSERT_TRUE(taken);
  state_.Begin("QX_CMD#P9", *port_);
  pty.Write("CMD#C3");  // the rest is compared with the second command
  ASSERT_TRUE(Ended());
  const auto lines = Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1], "SENT:\t\tQX_CMD#P9");
  EXPECT_EQ(lines[2], "RECEIVED:\tC");
}

TEST_F(TransactionTest, CommandLongerThanTheEchoBufferEndsAtItsLimit) {
  VirtualModule module;
  Open(module.PortPath());
  const std::string command = "QX_CMD#" + std::string(250, 'Z');
  state_.Begin(command, *port_);
  ASSERT_TRUE(Ended());
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "RECEIVED:\t" + command.substr(0, 199));
  EXPECT_EQ(module.Received(), command);  // no "ACK"
}

// Abandoning races against echoes that complete: thousands of times, no
// transaction is used after it is gone and every end leaves the port's hook
// in place (run under ThreadSanitizer in CI).
TEST_F(TransactionTest, AbandonmentRacesCompletion) {
  VirtualModule module;
  Open(module.PortPath());
  for (int i = 0; i < 3000; ++i) {
    state_.Begin(i % 2 ? "QX_CMD#C3" : "QX_CMD#H1", *port_);
    if (i % 3 == 0) std::this_thread::yield();
    if (i % 5 != 0) state_.Abandon();
  }
  state_.Abandon();
  // Once the line is quiet the port's own hook is back with chunk size 1.
  EXPECT_EQ(port_->GetReceiveHook(), &PortHook);
  EXPECT_EQ(port_->GetChunkSize(), 1);
  const auto lines = Lines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("SENT:\t\tQX_CMD#", 0) == 0; }),
            3000);
}

}  // namespace
