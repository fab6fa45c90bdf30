// The seam through which the program shows modal dialogs. The default runs
// the dialog's own modal loop; tests install one that drives the dialog
// from a script, so no test can hang on a modal window.
#pragma once

class QDialog;

class ModalDialogs {
 public:
  virtual ~ModalDialogs() = default;
  // Shows `dialog` modally; returns its result (QDialog::Accepted or Rejected).
  virtual int Exec(QDialog& dialog) = 0;
};

ModalDialogs& Dialogs();
// Installs `dialogs` (not owned); nullptr restores the default. Returns the
// one installed before.
ModalDialogs* InstallModalDialogs(ModalDialogs* dialogs);
