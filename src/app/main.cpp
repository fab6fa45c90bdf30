// The application entry: title, help file, the main window, the message
// loop, and the box for an exception that escapes all of them.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "eval_application.h"
#include "message_boxes.h"
#include "qt_message_boxes.h"
#include "tform1.h"
#include "trs232_form.h"

namespace {

bool HasDisplay() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fputs(
        "daxo-eval: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "Run it under a virtual X server:   xvfb-run -a ./build/src/app/daxo-eval\n"
        "(Debian package xvfb), or without any window system:\n"
        "                                   QT_QPA_PLATFORM=offscreen ./build/src/app/daxo-eval\n",
        stderr);
    return 1;
  }
  EvalApplication app(argc, argv);
  QtMessageBoxes boxes;
  InstallMessageBoxes(&boxes);
  try {
    TForm1 form;
    TRS232Form rs232Form;  // the global instance; every use makes its own
    RS232Form = &rs232Form;
    form.show();
    app.exec();
    RS232Form = nullptr;
  } catch (const std::exception& error) {
    ShowException(error);
  }
  InstallMessageBoxes(nullptr);
  return 0;
}
