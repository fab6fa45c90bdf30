// Module memory access: single reads and writes, the read-all loop and the
// write jobs, one step per timer tick, between EepromImage and the module.
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "command_texts.h"
#include "gauge.h"
#include "serial_comms.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

// Ticks a loop waits for its transaction before it gives up on it.
constexpr int kWaitingTicks = 10;

std::string Hex(const char* format, int value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// One step of a memory loop. While the loop goes on its timer keeps its
// rhythm (the next tick is one interval after this one, not after this
// step's work); a step that ends the loop, or fails, stops the timer, so an
// error is shown once and not on every tick.
template <typename Step>
void RunLoopStep(QTimer* timer, Step step) {
  bool goOn = false;
  try {
    goOn = step();
  } catch (...) {
    timer->stop();
    throw;
  }
  if (!goOn) timer->stop();
}

}  // namespace

std::string TForm1::Slot(int address) {
  std::lock_guard<std::mutex> lock(Transaction.Lock);  // a reply may be filling it
  return EepromImage[static_cast<size_t>(address)];
}

void TForm1::PutSlots(int first, const std::vector<std::string>& texts) {
  std::lock_guard<std::mutex> lock(Transaction.Lock);
  for (size_t i = 0; i < texts.size(); ++i) EepromImage.at(first + i) = texts[i];
}

void TForm1::StopOtherMemoryLoops(QTimer* keep) {
  // The loops share MemAddress, MemCount and RetryTicks: a new start ends
  // the one that ran before. The same loop started again takes the new values.
  for (QTimer* loop : {Timer1, Timer3, Timer6}) {
    if (loop != keep) loop->stop();
  }
}

void TForm1::StartReadAll(int intervalMs) {
  StopOtherMemoryLoops(Timer1);
  ui->Memo1->Clear();
  MemAddress = 0;
  RetryTicks = 0;
  Timer1->setInterval(intervalMs);
  if (!Timer1->isActive()) Timer1->start();
}

void TForm1::StartWriteJob(int first, int count) { StartJob(Timer3, first, count); }

void TForm1::StartBlindWriteJob(int first, int count) { StartJob(Timer6, first, count); }

void TForm1::StartJob(QTimer* loop, int first, int count) {
  StopOtherMemoryLoops(loop);
  MemAddress = first;
  MemCount = count;
  RetryTicks = 0;
  if (!loop->isActive()) loop->start();
}

// True when a transaction is still running and this tick must wait; after
// the tenth waiting tick the transaction is ended and `*gaveUp` set.
bool TForm1::WaitingForTransaction(bool* gaveUp) {
  std::lock_guard<std::mutex> lock(Transaction.Lock);
  *gaveUp = false;
  if (!Transaction.CurrentCmd) return false;
  if (++RetryTicks < kWaitingTicks) return true;  // at least ten, so a shared count cannot skip it
  delete Transaction.CurrentCmd;
  Transaction.CurrentCmd = nullptr;
  *gaveUp = true;
  return false;
}

void TForm1::Timer1Timer() { RunLoopStep(Timer1, [this] { return ReadAllStep(); }); }
void TForm1::Timer3Timer() { RunLoopStep(Timer3, [this] { return WriteJobStep(); }); }
void TForm1::Timer6Timer() { RunLoopStep(Timer6, [this] { return BlindWriteStep(); }); }

// A loop talks to the module only while its line is there: once the port
// has lost its line (the module unplugged), the loop ends instead of
// waiting out every remaining byte.
bool TForm1::LineUp() const { return Comms && !Comms->LineLost(); }

bool TForm1::ReadAllStep() {
  bool gaveUp;
  if (WaitingForTransaction(&gaveUp)) return true;  // the slot of an abandoned read keeps its text
  RetryTicks = 0;
  if (MemAddress > 256) return false;
  if (MemAddress > 0) {
    const int a = MemAddress - 1;
    std::string listing;
    if (a % 16 == 0) listing = "\r\n" + Hex("0x%02X", a) + "\t";
    const std::string slot = Slot(a);
    listing += (slot.empty() ? "--" : slot) + ", ";  // an empty slot never shows as "(null)"
    ui->Memo1->Append(listing);
  }
  if (MemAddress >= 256 || !LineUp()) return false;
  Transaction.Begin(commands::MemoryRead(MemAddress), *Comms, 2,
                    &EepromImage[static_cast<size_t>(MemAddress)]);
  ++MemAddress;
  return true;
}

// Sends the write of MemAddress, or logs that its slot holds nothing to
// write: an empty slot would put no value on the wire.
bool TForm1::SlotToWrite(std::string* command) {
  const std::string slot = Slot(MemAddress);
  if (slot.empty()) {
    Log("SKIPPED:\t" + Hex("0x%02X", MemAddress) + " holds no value");
    return false;
  }
  *command = commands::MemoryWrite(MemAddress, slot);
  return true;
}

bool TForm1::WriteJobStep() {
  bool gaveUp;
  if (WaitingForTransaction(&gaveUp)) return true;
  if (gaveUp) return false;  // no echo: the job ends silently, the rest is not written
  RetryTicks = 0;
  if (MemAddress < 0 || MemAddress > 255 || !LineUp()) return false;
  std::string command;
  if (SlotToWrite(&command)) Transaction.Begin(command, *Comms);
  const bool more = --MemCount != 0;
  if (more) ++MemAddress;
  ShowProgress(ui->ProgressBar2, ui->ProgressBar2->maximum() - MemCount);
  ui->CGauge3->setProgress(ui->CGauge3->MaxValue() - MemCount);
  return more;
}

bool TForm1::BlindWriteStep() {
  if (TS_CMD_Timer->isActive()) return true;  // the previous byte's "ACK" is still to come
  RetryTicks = 0;
  if (MemAddress < 0 || MemAddress > 255 || !LineUp()) return false;
  std::string command;
  if (SlotToWrite(&command)) {
    Comms->WriteText(command);
    Log("SENT:\t\t" + command);
    TS_CMD_Timer->start();
  }
  const bool more = --MemCount != 0;
  if (more) ++MemAddress;
  ShowProgress(ui->ProgressBar2, ui->ProgressBar2->maximum() - MemCount);
  return more;
}

void TForm1::Button5Click() {
  if (Comms) Transaction.Begin("QX_CMD#L4" + ui->Edit10->text().toLatin1().toStdString() + "?", *Comms);
}

void TForm1::Button6Click() {
  if (!Comms) return;
  Transaction.Begin("QX_CMD#L4" + ui->Edit10->text().toLatin1().toStdString() + ui->Edit11->text().toLatin1().toStdString(),
                    *Comms);
}

void TForm1::Button9Click() { StartReadAll(50); }

void TForm1::Button7Click() { StartReadAll(10); }

void TForm1::Button1Click() { StartWriteJob(0, 256); }

void TForm1::Memo1DblClick() { ui->Memo1->Clear(); }

void TForm1::Button8Click() { SendCommand(ui->Edit12->text().toLatin1().toStdString()); }

void TForm1::Button10Click() {
  if (Comms) Comms->WriteText(ui->Edit13->text().toLatin1().toStdString());
}
