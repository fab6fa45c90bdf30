// TRS232Form: the modal dialog in which the user chooses the main port and
// its line settings, and LoadAndOpen, the start-up routine that opens the
// port from the stored settings (or, on a first run, stores defaults and
// asks).
//
// The dialog insists on a port that opens: after a failed open, Cancel is
// disabled and OK only closes it once a port has opened. The window's close
// box and Escape still leave it, with the port unopened, so that a user
// without any working port is never locked out.
//
// Main thread only. Every use shows a new instance through the modal-dialog
// seam (ShowRS232Settings).
#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>
#include <string>

class SerialComms;
class QWidget;

namespace Ui {
class TRS232Form;
}

class TRS232Form : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kMainPortKey = "Software\\DAXO\\Eval\\RS232_1";

  explicit TRS232Form(QWidget* owner = nullptr, SerialComms* port = nullptr);
  ~TRS232Form() override;

  void LoadAndOpen(const std::string& key);
  int ListPorts(QStringList& list);
  void FormShow();
  void Button1Click();
  void Button2Click();
  // Whether the dialog may close now.
  bool FormClose();

  std::unique_ptr<Ui::TRS232Form> ui;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  void ShowComError();
  int ShowModal();

  bool CanClose = true;
  SerialComms* SerialPort;
  bool leavingWithoutPort_ = false;  // the close box or Escape, which always work
};

// Shows the dialog for `port` modally, owned by `owner`.
void ShowRS232Settings(QWidget* owner, SerialComms& port);

// The instance the application creates at start; nothing shows it.
extern TRS232Form* RS232Form;
