#include "message_boxes.h"

#include <atomic>
#include <cstdio>

namespace {

class StderrBoxes final : public MessageBoxes {
 public:
  BoxResult Show(const std::string& caption, const std::string& text, BoxIcon,
                 BoxButtons buttons) override {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return buttons == BoxButtons::YesNo ? BoxResult::Yes : BoxResult::Ok;
  }
};

StderrBoxes fallback;
std::atomic<MessageBoxes*> installed{nullptr};

}  // namespace

MessageBoxes& Boxes() {
  MessageBoxes* boxes = installed.load();
  return boxes ? *boxes : fallback;
}

MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes) { return installed.exchange(boxes); }

void ShowException(const std::exception& error) {
  Boxes().Show(kApplicationTitle, error.what(), BoxIcon::Error, BoxButtons::Ok);
}
