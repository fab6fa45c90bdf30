// The Qt realisation of the message-box seam. A box asked for on another
// thread (a receive thread reporting a failed port) is shown later on the
// main thread; the caller does not wait for it.
#pragma once

#include "message_boxes.h"

class QtMessageBoxes final : public MessageBoxes {
 public:
  BoxResult Show(const std::string& caption, const std::string& text, BoxIcon icon,
                 BoxButtons buttons) override;
};
