// Collecting received text between the receive thread and the flushes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "pty.h"
#include "received_text.h"
#include "serial_comms.h"

namespace {

using Entries = std::vector<LogEntry>;
const std::string kRx = "RECEIVED:\t";

void Add(ReceivedText& rx, const std::string& bytes) {
  for (char c : bytes) rx.AddReceived(&c, 1);
}

// Ticks until the countdown is over; returns how many ticks it took.
int TicksToFlush(ReceivedText& rx) {
  int ticks = 1;
  while (!rx.CountDown()) ++ticks;
  return ticks;
}

TEST(ReceivedText, FlushOnTheSixteenthTickAfterTheLastByte) {
  ReceivedText rx;
  EXPECT_TRUE(rx.AddReceived("O", 1));   // the countdown must be started
  EXPECT_FALSE(rx.AddReceived("K", 1));  // it is running already
  EXPECT_EQ(rx.RxTicks(), 15);
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(rx.CountDown());
  Add(rx, "\r\n");  // every byte starts the count again
  EXPECT_EQ(TicksToFlush(rx), 16);
  EXPECT_EQ(rx.TakeEntries(), (Entries{{kRx, "OK\r\n"}}));
  EXPECT_EQ(rx.RxText(), "");
  EXPECT_EQ(rx.RxPrefix(), "");
  EXPECT_TRUE(rx.CountDown());  // idle: the timer may stop
  EXPECT_TRUE(rx.TakeEntries().empty());
}

TEST(ReceivedText, ZeroBytesAddNothingButCount) {
  ReceivedText rx;
  rx.AddReceived("\0", 1);
  EXPECT_EQ(rx.RxPrefix(), kRx);
  TicksToFlush(rx);
  EXPECT_EQ(rx.TakeEntries(), (Entries{{kRx, ""}}));
  Add(rx, std::string("A\0B", 3));
  TicksToFlush(rx);
  EXPECT_EQ(rx.TakeEntries(), (Entries{{kRx, "AB"}}));
}

TEST(ReceivedText, FinishedLines) {
  ReceivedText rx;
  rx.AddLine("SENT:\t\tACK", 11);
  EXPECT_EQ(rx.TakeEntries(), (Entries{{"", "SENT:\t\tACK"}}));
  // While bytes are collected, they go first, as an entry of their own.
  Add(rx, "AB");
  rx.AddLine("SENT:\t\tQX_CMD#C3", 16);
  rx.AddLine(std::string("RECEIVED:\tQX\0junk", 17).c_str(), 17);  // ends at the zero byte
  EXPECT_EQ(rx.TakeEntries(),
            (Entries{{kRx, "AB"}, {"", "SENT:\t\tQX_CMD#C3"}, {"", "RECEIVED:\tQX"}}));
  EXPECT_TRUE(rx.CountDown());
  rx.AddLine("x", 0);
  rx.AddReceived("x", -1);
  EXPECT_TRUE(rx.TakeEntries().empty());
}

ReceivedText* gRx = nullptr;
std::atomic<size_t> gBytes{0};
void CollectingHook(const char* data, int count) {
  gRx->AddReceived(data, count);
  gBytes += static_cast<size_t>(count);
}

// The receive thread delivers bytes while this thread, standing in for the
// main thread, hands in finished lines and runs the countdown: every byte and
// every line comes out exactly once, in order.
TEST(ReceivedText, BytesAndLinesFromTwoThreadsArriveWholeAndInOrder) {
  ReceivedText rx;
  gRx = &rx;
  gBytes = 0;
  Pty pty;
  SerialComms comms(pty.SlavePath());
  comms.SetReceiveHook(&CollectingHook);

  std::string sent;
  for (int i = 0; i < 3000; ++i) sent += static_cast<char>('a' + i % 26);
  std::thread module([&] {
    for (size_t at = 0; at < sent.size(); at += 50) pty.Write(sent.substr(at, 50));
  });
  Entries shown;
  for (int i = 0; i < 200; ++i) {
    const std::string line = "SENT:\t\tL" + std::to_string(i);
    rx.AddLine(line.c_str(), static_cast<int>(line.size()));
    rx.CountDown();
    for (auto& e : rx.TakeEntries()) shown.push_back(e);
  }
  module.join();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (gBytes < sent.size() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::yield();
  }
  TicksToFlush(rx);
  for (auto& e : rx.TakeEntries()) shown.push_back(e);
  gRx = nullptr;

  std::string received;
  int nextLine = 0;
  for (const LogEntry& e : shown) {
    if (e.Prefix == kRx) {
      received += e.Text;
    } else {
      EXPECT_EQ(e.Text, "SENT:\t\tL" + std::to_string(nextLine++));
    }
  }
  EXPECT_EQ(nextLine, 200);
  EXPECT_EQ(received, sent);
}

}  // namespace
