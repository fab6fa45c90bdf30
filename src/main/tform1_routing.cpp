// Receive routing and the activity log: the receive hooks collect what the
// ports receive, and the flushes show it on the page that is showing.
#include <QTabWidget>
#include <QThread>
#include <QTimer>

#include "convert.h"
#include "serial_comms.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

// What the flush writes back while the second port is open: a number comes
// back one higher (40 gives 41, 1.5 gives 2.5), any other text unchanged.
std::string Answer(const std::string& text) {
  double number;
  return TryStrToFloat(text, &number) ? FloatToStr(number + 1) : text;
}

void StartCountdown(QTimer* timer) {
  if (!timer->isActive()) timer->start();  // a running countdown keeps its rhythm
}

}  // namespace

void TForm1::RunOnMainThread(std::function<void()> work) {
  if (QThread::currentThread() == thread()) {
    work();
  } else {
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
  }
}

void TForm1::Receive(ReceivedText& rx, QTimer* countdown, void (TForm1::*flush)(),
                     const char* data, int length) {
  if (length <= 0) return;
  if (length == 1) {
    if (rx.AddReceived(data, length)) RunOnMainThread([countdown] { StartCountdown(countdown); });
  } else {
    rx.AddLine(data, length);
    RunOnMainThread([this, flush] { (this->*flush)(); });
  }
}

void TForm1::RxHook(const char* data, int length) {
  if (TForm1* form = Form1) form->Receive(form->Rx1, form->Timer5, &TForm1::FlushPort1, data, length);
}

void TForm1::RxHook2(const char* data, int length) {
  if (TForm1* form = Form1) form->Receive(form->Rx2, form->Timer7, &TForm1::FlushPort2, data, length);
}

void TForm1::Timer5Timer() {
  if (!Rx1.CountDown()) return;
  Timer5->stop();
  FlushPort1();
}

void TForm1::Timer7Timer() {
  if (!Rx2.CountDown()) return;
  Timer7->stop();
  FlushPort2();
}

void TForm1::FlushPort1() {
  for (const LogEntry& entry : Rx1.TakeEntries()) ShowPort1Entry(entry);
}

void TForm1::FlushPort2() {
  for (const LogEntry& entry : Rx2.TakeEntries()) ShowPort2Entry(entry);
}

QString TForm1::ActivePageCaption() const {
  return ui->PageControl1->tabText(ui->PageControl1->currentIndex());
}

QString TForm1::ActiveSettingsPageCaption() const {
  return ui->PageControl2->tabText(ui->PageControl2->currentIndex());
}

// On any page not named here the entry is dropped, not kept for later.
void TForm1::ShowPort1Entry(const LogEntry& entry) {
  const QString page = ActivePageCaption();
  if (page == "Module Settings" && ActiveSettingsPageCaption() == "Simple Settings") {
    ui->Memo2->Append(entry.Prefix + entry.Text + "\r\n");
  }
  if (page == "DAXO Settings") ui->Memo1->Append(entry.Prefix + entry.Text + "\r\n");
  if (page == "Communication Mode") {
    ui->RichEdit1->Append(entry.Text);  // its change handler runs before the answer
    if (Comms2 && Comms) Comms->WriteText(Answer(entry.Text));
  }
}

void TForm1::ShowPort2Entry(const LogEntry& entry) {
  if (ActivePageCaption() != "Communication Mode") return;
  ui->RichEdit2->AddLine(entry.Prefix + entry.Text);
  if (Comms2) Comms2->WriteText(Answer(entry.Text));
}

void TForm1::Memo2Change() { ui->Memo2->MoveCaretToEnd(); }

void TForm1::Memo2DblClick() { ui->Memo2->Clear(); }
