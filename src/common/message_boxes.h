// The one seam through which the program shows message boxes.
//
// No handler talks to a widget toolkit's message box directly: it calls
// Boxes().Show(...). The application installs a Qt implementation at start;
// tests install a scripted one that records each box and answers it, so no
// test can hang on a modal window. Show() may be called from any thread; an
// implementation decides how a box raised off the main thread reaches the
// user.
#pragma once

#include <exception>
#include <string>

enum class BoxIcon { None, Information, Warning, Error, Question };
enum class BoxButtons { Ok, YesNo };
enum class BoxResult { Ok, Yes, No };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual BoxResult Show(const std::string& caption, const std::string& text, BoxIcon icon,
                         BoxButtons buttons) = 0;
};

// The installed implementation; until one is installed, boxes are written to
// standard error and answered with their first button.
MessageBoxes& Boxes();

// Installs `boxes` (not owned) for the whole program; nullptr restores the
// standard-error fallback. Returns the implementation installed before.
MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes);

// The application's title: the caption of the box that reports an error
// escaping an event handler.
constexpr const char* kApplicationTitle = "DAXO Tavimo Evaluation Software V2.03";

// Shows an error's message the way the program reports every failed event
// handler: a box captioned with the application's title, with an error icon.
void ShowException(const std::exception& error);

// Runs an event handler; an exception that escapes it (a conversion error,
// a port that cannot be opened) is shown and the program goes on.
template <typename Handler>
void Guarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}
