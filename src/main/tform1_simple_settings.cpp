// The Simple Settings page: five lists with their "Update" buttons, the
// typed command and the module type, every command through SendCommand.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>

#include "command_texts.h"
#include "message_boxes.h"
#include "palette_colors.h"
#include "radio_group.h"
#include "serial_comms.h"
#include "tform1.h"
#include "trs232_form.h"
#include "ui_tform1.h"

namespace {

void Fill(QComboBox* list, const std::vector<std::string>& items) {
  list->clear();
  for (const std::string& item : items) list->addItem(QString::fromStdString(item));
}

}  // namespace

void TForm1::SetUpSimpleSettingsPage() {
  Fill(ui->UARTComboBox1, commands::kUartItems);
  Fill(ui->POWERComboBox1, commands::PowerItems(false));
  Fill(ui->FREQComboBox1, commands::kChannelItems);
  Fill(ui->OTHERComboBox1, commands::kOtherItems);
  Fill(ui->TESTMODESComboBox1, commands::kTestModeItems);
  const std::pair<QWidget*, QColor> panels[] = {
      {ui->Panel1, QColor(0, 128, 128)},  // teal
      {ui->Panel6, QColor(0, 128, 0)},    // green
      {ui->Panel3, QColor(128, 128, 0)},  // olive
      {ui->Panel4, QColor(128, 0, 0)},    // maroon
      {ui->Panel5, QColor(0, 0, 0)},      // black
  };
  for (const auto& [panel, color] : panels) Paint(panel, QPalette::Window, color);
  for (QWidget* title : {static_cast<QWidget*>(ui->Panel1Title), static_cast<QWidget*>(ui->Panel6Title),
                         static_cast<QWidget*>(ui->Panel3Title), static_cast<QWidget*>(ui->Panel4Title),
                         static_cast<QWidget*>(ui->Panel5Title), static_cast<QWidget*>(ui->CheckBox1)}) {
    Paint(title, QPalette::WindowText, Qt::yellow);
  }
  Paint(ui->UART_UPDATE_Button3, QPalette::ButtonText, Qt::red);
}

void TForm1::UART_UPDATE_Button3Click() {
  SendCommand(commands::Uart(ui->UARTComboBox1->currentIndex()));
  // Asked at once: the command's exchange goes on while the box is open.
  const BoxResult answer = Boxes().Show(
      "System Change",
      "You have sent a command to alter the Modules RS232 settings.\nDo you want to change the PC "
      "settings?",
      BoxIcon::Question, BoxButtons::YesNo);
  if (answer == BoxResult::Yes && Comms) ShowRS232Settings(this, *Comms);
}

void TForm1::Button30Click() {
  const int position = ui->POWERComboBox1->currentIndex();
  SendCommand(commands::Power(position, ui->POWERComboBox1->currentText().toStdString()));
}

void TForm1::CheckBox1Click() {
  const int position = ui->POWERComboBox1->currentIndex();
  const std::vector<std::string> items = commands::PowerItems(ui->CheckBox1->isChecked());
  for (int i = 0; i < 10; ++i) ui->POWERComboBox1->setItemText(i, QString::fromStdString(items[i]));
  ui->POWERComboBox1->setCurrentIndex(position);
}

void TForm1::Button27Click() { SendCommand(commands::Channel(ui->FREQComboBox1->currentIndex())); }

void TForm1::OtherSettingsUpdateButtonClick() {
  const std::string command = commands::OtherSetting(ui->OTHERComboBox1->currentIndex());
  if (!command.empty()) SendCommand(command);  // the empty ninth item sends nothing
}

void TForm1::TestModeUpdateButtonClick() {
  SendCommand(commands::TestMode(ui->TESTMODESComboBox1->currentIndex()));
}

void TForm1::Button3Click() { SendCommand(ui->Edit15->text().toLatin1().toStdString()); }
