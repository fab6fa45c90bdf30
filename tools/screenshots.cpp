// Makes the README's screenshots of the visible pages, offscreen, against
// the virtual module: "Simple Settings" after a few commands, "Advanced
// Settings", and "Communication Mode" in echo mode with text from the air.
//
// Usage: daxo-screenshots FOLDER
#include <QCheckBox>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>

#include "eval_application.h"
#include "message_boxes.h"
#include "stored_port.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "virtual_module.h"

namespace {

bool Wait(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 5000); }

bool Save(TForm1& form, const std::string& folder, const char* name) {
  QTest::qWait(50);  // let the last repaint land
  const std::string path = folder + "/" + name;
  if (!form.grab().save(QString::fromStdString(path))) {
    std::fprintf(stderr, "daxo-screenshots: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: daxo-screenshots FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  EvalApplication app(argc, argv);
  VirtualModule module;
  const StoredPort stored(module.PortPath());
  TForm1 form;
  form.show();
  Ui::TForm1& ui = *form.ui;
  auto idle = [&] { return !form.Transaction.Busy() && !form.Timer5->isActive(); };

  // A few commands exchanged with the module.
  ui.Button27->click();  // channel 7
  Wait([&] { return module.Commands().size() == 1 && idle(); });
  ui.Button30->click();  // power level 9
  Wait([&] { return module.Commands().size() == 2 && idle(); });
  ui.Button3->click();   // the typed command, "QX_CMD#T3": the version text comes back
  Wait([&] { return ui.Memo2->Text().find("virtual module") != std::string::npos && idle(); });
  bool ok = Save(form, folder, "simple-settings.png");

  ui.PageControl2->setCurrentWidget(ui.TabSheet6);
  ok = Save(form, folder, "advanced-settings.png") && ok;

  ui.PageControl1->setCurrentWidget(ui.TabSheet2);
  ui.CheckBox4->setChecked(true);  // echo mode
  module.Inject("Hello from module 7\r\n");
  Wait([&] { return ui.Label69->text() != "0" && !form.Timer5->isActive(); });
  ok = Save(form, folder, "communication-mode.png") && ok;
  return ok ? 0 : 1;
}
