// ReceivedText: what one port has received and not yet shown, shared by the
// port's receive thread (the hook adds bytes) and the main thread (the
// countdown timer and the flush). No widgets: the flush is the caller's.
//
// Received bytes are collected into RxText, behind the prefix "RECEIVED:\t",
// until the line has been quiet for 15 ticks; the 16th tick queues them as
// one entry. A finished line (from the program itself) is queued at once,
// behind whatever had been collected, which is queued first as an entry of
// its own. The main thread takes the queue and shows it in order, so entries
// appear in the order they were handed in, from whichever thread.
//
// Every member function may be called from any thread; one mutex guards all.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

struct LogEntry {
  std::string Prefix;
  std::string Text;
  bool operator==(const LogEntry& o) const { return Prefix == o.Prefix && Text == o.Text; }
};

class ReceivedText {
 public:
  static constexpr int kQuietTicks = 15;
  static constexpr const char* kReceivedPrefix = "RECEIVED:\t";

  // Received bytes (the hook's call of length 1): the text up to a zero byte
  // among them is collected and the countdown starts again from 15. True
  // when nothing was being collected: the countdown timer must be started.
  bool AddReceived(const char* data, int length);
  // A finished line, shown unchanged (up to a zero byte among its bytes).
  void AddLine(const char* data, int length);
  // One tick of the countdown timer. True when the timer should stop: the
  // tick found the countdown at 0 and queued the collected entry, or nothing
  // is being collected.
  bool CountDown();
  // The entries to show now, in order; the queue is emptied.
  std::vector<LogEntry> TakeEntries();

  // For tests and diagnostics.
  std::string RxText() const;
  std::string RxPrefix() const;
  int RxTicks() const;

 private:
  mutable std::mutex mutex_;
  std::string rxText_;
  std::string rxPrefix_;
  int rxTicks_ = 0;
  bool collecting_ = false;
  std::deque<LogEntry> entries_;
};
