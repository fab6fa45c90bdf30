#include "trs232_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <algorithm>

#include "message_boxes.h"
#include "modal_dialogs.h"
#include "port_names.h"
#include "serial_comms.h"
#include "serial_device.h"
#include "settings_store.h"
#include "ui_trs232_form.h"

TRS232Form* RS232Form = nullptr;

namespace {

std::string Text(const QComboBox* list) { return list->currentText().toStdString(); }

// Selects the entry equal to `value`, case ignored; none when it is missing.
void SelectText(QComboBox* list, const std::string& value) {
  list->setCurrentIndex(list->findText(QString::fromStdString(value), Qt::MatchFixedString));
}

}  // namespace

TRS232Form::TRS232Form(QWidget* owner, SerialComms* port)
    : QDialog(owner), ui(std::make_unique<Ui::TRS232Form>()), SerialPort(port) {
  ui->setupUi(this);
  setFixedSize(255, 257);
  connect(ui->Button1, &QPushButton::clicked, this, [this] {
    Guarded([this] { Button1Click(); });
    if (CanClose) accept();
  });
  connect(ui->Button2, &QPushButton::clicked, this, [this] {
    Guarded([this] { Button2Click(); });
    if (CanClose) reject();
  });
}

TRS232Form::~TRS232Form() = default;

int TRS232Form::ShowModal() { return Dialogs().Exec(*this); }

void TRS232Form::ShowComError() {
  const std::string text = "Unable to Access " + SerialPort->GetPort() +
                           "\rThe Port is either missing or already in use.\nPlease correct and "
                           "try again.";
  Boxes().Show("Com Error", text, BoxIcon::Warning, BoxButtons::Ok);
}

void TRS232Form::LoadAndOpen(const std::string& key) {
  SerialPort->RegistryKey = key;
  PortSettingsStore store(key);
  PortSettingsStore::Done done;
  try {
    done = store.ReadDone();
  } catch (const std::exception& error) {  // "Done" is no integer: as after a failed open
    ShowException(error);
    ShowModal();
    return;
  }
  switch (done) {
    case PortSettingsStore::Done::NonZero:
      SerialPort->SetPort(store.ReadString("Com"));
      if (SerialPort->IsFailed()) ShowModal();
      // Read only now, so that what the dialog stored counts.
      try {
        SerialPort->SetBaudRate(store.ReadString("Baud"));
        SerialPort->SetStopBits(store.ReadString("Stop"));
        SerialPort->SetDataBits(store.ReadString("Bits"));
        SerialPort->SetFlowControl(store.ReadString("Flow"));
      } catch (const std::exception& error) {
        // A damaged store must not keep the program from starting: report
        // it and let the user choose, as after a failed open.
        ShowException(error);
        ShowModal();
      }
      return;
    case PortSettingsStore::Done::Missing:
    case PortSettingsStore::Done::Zero:
      break;
  }
  // First run: store the defaults, then ask. The port stays unopened until
  // the user leaves the dialog with OK.
  store.WriteString("Com", "COM1");
  store.WriteString("Baud", "19200");
  store.WriteString("Bits", "8");
  store.WriteString("Stop", "1");
  store.WriteString("Flow", "NONE");
  store.WriteInteger("Done", 1);
  ShowModal();
}

int TRS232Form::ListPorts(QStringList& list) {
  list.clear();
  // The program's own port is held exclusively and cannot be probed.
  if (SerialPort->GetPort() != "0") list << QString::fromStdString(SerialPort->GetPort());
  int found = 0;
  for (int n = 1; n <= 100; ++n) {
    const std::string name = "COM" + std::to_string(n);
    if (SerialDevice::Probe(ResolvePortName(name))) {
      list << QString::fromStdString(name);
      ++found;
    }
  }
  return found;
}

void TRS232Form::FormShow() {
  PortSettingsStore store(SerialPort->RegistryKey);
  QStringList ports;
  ListPorts(ports);
  // The port list is sorted: COM1, COM10, COM100, COM11, …, COM2.
  std::stable_sort(ports.begin(), ports.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  ui->ComboBox1->clear();
  ui->ComboBox1->addItems(ports);
  SelectText(ui->ComboBox1, store.ReadString("Com"));
  SelectText(ui->ComboBox2, store.ReadString("Baud"));
  SelectText(ui->ComboBox3, store.ReadString("Bits"));
  SelectText(ui->ComboBox4, store.ReadString("Stop"));
  SelectText(ui->ComboBox5, store.ReadString("Flow"));
}

void TRS232Form::Button1Click() {
  CanClose = true;
  // The same port is opened again when its line has gone (a module plugged
  // back in after it was pulled out).
  if (Text(ui->ComboBox1) != SerialPort->GetPort() || SerialPort->LineLost()) {
    SerialPort->SetPort(Text(ui->ComboBox1));
  }
  if (SerialPort->IsFailed()) {
    ShowComError();
    ui->Button2->setEnabled(false);
    CanClose = false;
  }
  // Applied also to a failed port: the choices are kept for the next open.
  if (Text(ui->ComboBox2) != SerialPort->GetBaudRate()) SerialPort->SetBaudRate(Text(ui->ComboBox2));
  if (Text(ui->ComboBox3) != SerialPort->GetDataBits()) SerialPort->SetDataBits(Text(ui->ComboBox3));
  if (Text(ui->ComboBox4) != SerialPort->GetStopBits()) SerialPort->SetStopBits(Text(ui->ComboBox4));
  if (Text(ui->ComboBox5) != SerialPort->GetFlowControl()) {
    SerialPort->SetFlowControl(Text(ui->ComboBox5));
  }
  PortSettingsStore store(SerialPort->RegistryKey);
  store.WriteString("Com", SerialPort->GetPort());
  store.WriteString("Baud", SerialPort->GetBaudRate());
  store.WriteString("Bits", SerialPort->GetDataBits());
  store.WriteString("Stop", Text(ui->ComboBox4));  // the user's choice, not the port's
  store.WriteString("Flow", SerialPort->GetFlowControl());
}

void TRS232Form::Button2Click() {
  if (!SerialPort->IsFailed()) return;
  ShowComError();
  ui->Button2->setEnabled(false);
  CanClose = false;
}

bool TRS232Form::FormClose() { return CanClose || leavingWithoutPort_; }

void TRS232Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous() && SerialPort) Guarded([this] { FormShow(); });
}

void TRS232Form::closeEvent(QCloseEvent* event) {
  leavingWithoutPort_ = true;
  QDialog::closeEvent(event);
}

void TRS232Form::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) leavingWithoutPort_ = true;
  QDialog::keyPressEvent(event);
}

void TRS232Form::done(int result) {
  if (!FormClose()) return;  // refused: the dialog stays
  QDialog::done(result);
}

void ShowRS232Settings(QWidget* owner, SerialComms& port) {
  TRS232Form dialog(owner, &port);
  Dialogs().Exec(dialog);
}
