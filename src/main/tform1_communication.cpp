// The Communication Mode page (the text link test) and the hidden port
// controls: "Open 2nd Comm" and the "PC Settings" page.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "convert.h"
#include "radio_group.h"
#include "serial_comms.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

void Paint(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
}

}  // namespace

void TForm1::SetUpCommunicationPage() {
  Paint(ui->Edit20, QColor(0, 0, 128));  // navy
  Paint(ui->Label65, Qt::red);
  Paint(ui->Label69, QColor(0, 128, 0));  // green
  // Echo mode is off; the count shows all the same until the box first changes.
  for (QWidget* echoOnly : {static_cast<QWidget*>(ui->Label67), static_cast<QWidget*>(ui->Button42),
                            static_cast<QWidget*>(ui->Button41), static_cast<QWidget*>(ui->RichEdit2)}) {
    echoOnly->hide();
  }
  ui->CheckBox2->hide();  // nothing in the program shows it
}

void TForm1::Edit20Change() { ui->Label65->setText(QString::number(ui->Edit20->text().size())); }

void TForm1::BitBtn6Click() {
  if (Comms) Comms->WriteText(ui->Edit20->text().toLatin1().toStdString());
}

void TForm1::Timer8Timer() {
  if (ActivePageCaption() != "Communication Mode" || !ui->CheckBox5->isChecked()) return;
  BitBtn6Click();
}

void TForm1::CheckBox4Click() {
  const bool echo = ui->CheckBox4->isChecked();
  QRect window = ui->RichEdit1->geometry();
  if (echo) {
    ui->RichEdit1->Clear();
    window.setHeight(64);
    ui->CheckBox5->setChecked(false);
  } else {
    window.setHeight(345);
  }
  ui->RichEdit1->setGeometry(window);
  ui->CheckBox5->setEnabled(!echo);
  for (QWidget* echoOnly : {static_cast<QWidget*>(ui->Button42), static_cast<QWidget*>(ui->Label67),
                            static_cast<QWidget*>(ui->Label68), static_cast<QWidget*>(ui->Label69),
                            static_cast<QWidget*>(ui->Button41), static_cast<QWidget*>(ui->RichEdit2)}) {
    echoOnly->setVisible(echo);
  }
}

void TForm1::RichEdit1Change() {
  const std::string text = ui->RichEdit1->Text();
  if (text.empty() || !ui->CheckBox4->isChecked()) return;
  ui->RichEdit1->Clear();  // runs this handler again, which stops above
  if (Comms) Comms->WriteText(text);
  if (ui->RichEdit2->LineCount() > 12) ui->RichEdit2->Clear();
  ui->RichEdit2->Append(text);
  ui->Label69->setText(QString::number(StrToInt(ui->Label69->text().toStdString()) + 1));
}

void TForm1::Button28Click() { ui->RichEdit1->Clear(); }

void TForm1::Button41Click() { ui->RichEdit2->Clear(); }

void TForm1::Button42Click() { ui->Label69->setText(QStringLiteral("0")); }

void TForm1::CheckBox2Click() {
  if (!ui->CheckBox2->isChecked()) {
    Comms2.reset();
    return;
  }
  // A port that cannot be opened raises "Cannot Access the Selected Port";
  // the box stays ticked and Comms2 absent.
  Comms2 = std::make_unique<SerialComms>("COM4");
  Comms2->SetChunkSize(1);
  Comms2->SetReceiveHook(&TForm1::RxHook2);
}

void TForm1::RadioGroup3Click() {
  if (Comms) Comms->SetBaudRate(ui->RadioGroup3->ItemText().toStdString());
}

void TForm1::RadioGroup4Click() {
  // A transaction in flight refers to the old port: it ends first.
  Transaction.Abandon();
  Transaction.ForgetPort();
  Comms.reset();
  Comms = std::make_unique<SerialComms>(ui->RadioGroup4->ItemText().toStdString());
  Comms->SetChunkSize(1);
  Comms->SetReceiveHook(&TForm1::RxHook);
}
