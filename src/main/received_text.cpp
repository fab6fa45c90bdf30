#include "received_text.h"

#include <cstring>

namespace {

// The bytes as a text: it ends before the first zero byte among them.
std::string TextOf(const char* data, int length) {
  return std::string(data, strnlen(data, static_cast<size_t>(length)));
}

}  // namespace

bool ReceivedText::AddReceived(const char* data, int length) {
  if (length <= 0) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  rxTicks_ = kQuietTicks;
  if (rxText_.empty()) rxPrefix_ = kReceivedPrefix;
  rxText_ += TextOf(data, length);
  const bool wasIdle = !collecting_;
  collecting_ = true;
  return wasIdle;
}

void ReceivedText::AddLine(const char* data, int length) {
  if (length <= 0) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (collecting_) {  // what came before the line is shown before it, not lost
    entries_.push_back({rxPrefix_, rxText_});
    collecting_ = false;
  }
  entries_.push_back({"", TextOf(data, length)});
  rxText_.clear();
  rxPrefix_.clear();
  rxTicks_ = 0;
}

bool ReceivedText::CountDown() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!collecting_) return true;
  const int noted = rxTicks_--;
  if (noted != 0) return false;
  entries_.push_back({rxPrefix_, rxText_});
  rxText_.clear();
  rxPrefix_.clear();
  rxTicks_ = 0;
  collecting_ = false;
  return true;
}

std::vector<LogEntry> ReceivedText::TakeEntries() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<LogEntry> taken(entries_.begin(), entries_.end());
  entries_.clear();
  return taken;
}

std::string ReceivedText::RxText() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return rxText_;
}

std::string ReceivedText::RxPrefix() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return rxPrefix_;
}

int ReceivedText::RxTicks() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return rxTicks_;
}
