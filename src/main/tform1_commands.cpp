// Sending single module commands: the transaction for echoing modules, the
// blind procedure with a delayed "ACK" for transmit-only ones.
#include <QCheckBox>
#include <QTimer>

#include "radio_group.h"
#include "serial_comms.h"
#include "tform1.h"
#include "ui_tform1.h"

void TForm1::Log(const std::string& line) { RxHook(line.data(), static_cast<int>(line.size())); }

void TForm1::SendCommand(const std::string& command) {
  if (!Comms) return;  // no main port after a failed port choice: nothing to send to
  switch (ui->ModuleChooserGroup->ItemIndex()) {
    case 0:  // "TS": cannot echo; "ACK" follows 60 ms later, once for quick commands
      Comms->WriteText(command);
      Log("SENT:\t\t" + command);
      if (!TS_CMD_Timer->isActive()) TS_CMD_Timer->start();
      break;
    case 1:  // "RS"
    case 2:  // "TRS"
      Transaction.Begin(command, *Comms);
      RetryTicks = 0;
      if (!Timer2->isActive()) Timer2->start();  // a running watchdog keeps its rhythm
      break;
    default:  // nothing selected
      break;
  }
}

void TForm1::Timer2Timer() {
  std::lock_guard<std::mutex> lock(Transaction.Lock);
  if (!Transaction.CurrentCmd) return;
  if (++RetryTicks < 10) return;
  delete Transaction.CurrentCmd;  // no echo in time: abandoned without a word
  Transaction.CurrentCmd = nullptr;
  Timer2->stop();
}

void TForm1::TS_CMD_TimerTimer() {
  TS_CMD_Timer->stop();
  if (!Comms) return;
  Comms->WriteText("ACK");
  Log("SENT:\t\tACK");
}

void TForm1::ShowFastAck(bool checked) {
  TForm1* form = Form1;
  if (!form) return;
  form->RunOnMainThread([form, checked] { form->ui->FAST_ACK_CB->setChecked(checked); });
}
