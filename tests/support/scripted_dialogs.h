// A modal-dialog seam for tests: each Exec shows the dialog (so its show
// handler runs), runs the next script on it, as a user would act, and
// returns its result without a modal loop. A dialog that a script leaves
// open is recorded and hidden, so no test can hang on it.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>

#include "modal_dialogs.h"

class ScriptedDialogs final : public ModalDialogs {
 public:
  using Script = std::function<void(QDialog&)>;

  ScriptedDialogs() { previous_ = InstallModalDialogs(this); }
  ~ScriptedDialogs() override { InstallModalDialogs(previous_); }

  // Scripts run in order, one per dialog shown; without one a dialog is
  // left with its close box.
  void Then(Script script) { scripts_.push_back(std::move(script)); }

  int Exec(QDialog& dialog) override {
    ++shown;
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!scripts_.empty()) {
      Script script = std::move(scripts_.front());
      scripts_.pop_front();
      script(dialog);
    } else {
      dialog.close();
    }
    if (dialog.isVisible()) {
      ++leftOpen;
      dialog.hide();
    }
    return dialog.result();
  }

  int shown = 0;     // dialogs shown
  int leftOpen = 0;  // dialogs a script did not manage to close
  size_t Pending() const { return scripts_.size(); }

 private:
  ModalDialogs* previous_;
  std::deque<Script> scripts_;
};
