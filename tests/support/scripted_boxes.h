// A message-box seam for tests: records every box and answers it from a
// script (default: the first button), so no test can block on a window.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "message_boxes.h"

struct ShownBox {
  std::string caption;
  std::string text;
  BoxIcon icon;
  BoxButtons buttons;
};

class ScriptedBoxes final : public MessageBoxes {
 public:
  ScriptedBoxes() { previous_ = InstallMessageBoxes(this); }
  ~ScriptedBoxes() override { InstallMessageBoxes(previous_); }

  BoxResult Show(const std::string& caption, const std::string& text, BoxIcon icon,
                 BoxButtons buttons) override {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back({caption, text, icon, buttons});
    changed_.notify_all();
    if (!answers_.empty()) {
      const BoxResult answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return buttons == BoxButtons::YesNo ? BoxResult::Yes : BoxResult::Ok;
  }

  void Answer(BoxResult result) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(result);
  }
  std::vector<ShownBox> Shown() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
  }
  // Waits, bounded, until at least `count` boxes have been shown.
  bool WaitForCount(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return shown_.size() >= count; });
  }

 private:
  MessageBoxes* previous_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<ShownBox> shown_;
  std::deque<BoxResult> answers_;
};
