#include "modal_dialogs.h"

#include <QDialog>

namespace {

class ExecDialogs final : public ModalDialogs {
 public:
  int Exec(QDialog& dialog) override { return dialog.exec(); }
};

ExecDialogs fallback;
ModalDialogs* installed = nullptr;  // main thread only

}  // namespace

ModalDialogs& Dialogs() { return installed ? *installed : fallback; }

ModalDialogs* InstallModalDialogs(ModalDialogs* dialogs) {
  ModalDialogs* previous = installed;
  installed = dialogs;
  return previous;
}
