// The Advanced Configuration page ("Advanced Settings"): the group
// identifier, the custom baud rate with its hidden calculator, and the
// module frequency reset with "Calibrate". Each writer puts its bytes into
// EepromImage and hands them to a write job.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QProgressBar>

#include "cc1000_calc.h"
#include "channel_table.h"
#include "command_texts.h"
#include "convert.h"
#include "custom_baud.h"
#include "frequency_sets.h"
#include "memory_map.h"
#include "palette_colors.h"
#include "radio_group.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"

void TForm1::SetUpAdvancedPage() {
  Paint(ui->Panel2, QPalette::Window, QColor(0, 128, 128));  // teal
  Paint(ui->Panel7, QPalette::Window, QColor(128, 0, 0));    // maroon
  Paint(ui->Panel8, QPalette::Window, Qt::black);
  for (QWidget* title : {static_cast<QWidget*>(ui->Panel2Title), static_cast<QWidget*>(ui->Panel7Title),
                         static_cast<QWidget*>(ui->Label62), static_cast<QWidget*>(ui->RadioGroup1)}) {
    Paint(title, QPalette::WindowText, Qt::yellow);
  }
  Paint(ui->Button12, QPalette::ButtonText, Qt::red);
  ui->PageControl3->setTabVisible(ui->PageControl3->indexOf(ui->TabSheet7), false);
}

void TForm1::FillCustomBaudList() {
  for (const std::string& rate : CustomBaudRates()) ui->ListBox1->addItem(QString::fromStdString(rate));
  ui->ListBox1->setCurrentRow(0);  // "300"
}

void TForm1::StartProgress(int maximum) {
  ui->ProgressBar2->setMaximum(maximum);
  ui->ProgressBar2->setValue(0);
}

void TForm1::Button12Click() {
  const std::string first = ui->Edit18->text().toLatin1().toStdString();
  const std::string second = ui->Edit19->text().toLatin1().toStdString();
  // A box that fails the check keeps its slot's earlier text; both
  // addresses are written all the same.
  if (IsHexText(first)) PutSlots(memory_map::kGroupIdFirst, {first});
  if (IsHexText(second)) PutSlots(memory_map::kGroupIdSecond, {second});
  StartWriteJob(memory_map::kGroupIdFirst, 2);
  StartProgress(2);
}

void TForm1::Button38Click() {
  const QListWidgetItem* selected = ui->ListBox1->currentItem();
  if (!selected) return;  // the list is filled and an item chosen at start
  const int rate = StrToInt(selected->text().toStdString());
  const std::array<std::string, 4> bytes = CustomBaudBytes(rate);
  PutSlots(memory_map::kBaudDivisorLow, {bytes.begin(), bytes.end()});
  StartProgress(4);
  StartWriteJob(memory_map::kBaudDivisorLow, 4);
}

void TForm1::Edit21Change() {
  const int rate = StrToInt(ui->Edit21->text().toStdString());
  ui->Label59->setText(QString::fromStdString(ClosestQuarterStepRate(rate)));
}

void TForm1::Button36Click() {
  ui->Memo3->Clear();
  // Item 1 is the higher set; item 0 (and no choice) the lower one.
  const FrequencySet set = ui->RadioGroup1->ItemIndex() == 1 ? FillHigherSet() : FillLowerSet();
  const std::vector<std::string> table = ResetChannelTable(*Calc, set.second);
  PutSlots(memory_map::kFirstTransmitBlock, table);
  ui->Memo3->Append(ChannelTableListing(table));
  StartProgress(memory_map::kChannelTableBytes);
  StartWriteJob(memory_map::kFirstTransmitBlock, memory_map::kChannelTableBytes);
}

void TForm1::Button37Click() {
  // Always with echo check, whatever the module type; replaces a
  // transaction in flight.
  StartDirectTransaction(commands::Channel(7));
}
