// The application object: a QApplication whose event delivery catches the
// exceptions that escape an event handler (conversion errors and the like)
// and shows their message in a box, after which the program goes on.
#pragma once

#include <QApplication>

class EvalApplication : public QApplication {
 public:
  static constexpr const char* kHelpFile = "C:\\Dev\\PC Software\\QX V2\\QX V2.chm";

  EvalApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
