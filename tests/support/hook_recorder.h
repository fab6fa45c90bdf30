// Receive hooks are plain functions, so tests record deliveries in one
// global recorder: every hook call's bytes (with the zero byte that follows
// them), its count and its thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Delivery {
  std::string bytes;        // exactly `count` bytes
  int count;
  size_t textLength;        // strlen of the buffer: where it ends as a text
  bool zeroAfter;           // the byte after the chunk is zero
  std::thread::id thread;
};

class HookRecorder {
 public:
  static HookRecorder& Instance() {
    static HookRecorder recorder;
    return recorder;
  }

  // The hook to install.
  static void Hook(const char* data, int count) { Instance().Record(data, count); }

  void Record(const char* data, int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    deliveries_.push_back({std::string(data, static_cast<size_t>(count)), count,
                           std::strlen(data), data[count] == '\0', std::this_thread::get_id()});
    changed_.notify_all();
  }

  void Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    deliveries_.clear();
  }
  std::vector<Delivery> Deliveries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return deliveries_;
  }
  size_t Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return deliveries_.size();
  }
  std::string AllBytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string all;
    for (const auto& d : deliveries_) all += d.bytes;
    return all;
  }
  bool WaitForCount(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return deliveries_.size() >= count; });
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Delivery> deliveries_;
};
