#include "eval_application.h"

#include <exception>

#include "message_boxes.h"

EvalApplication::EvalApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
  setProperty("HelpFile", QString::fromLatin1(kHelpFile));
}

bool EvalApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return false;
}
