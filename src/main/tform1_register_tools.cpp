// The register tools of the hidden "DAXO Settings" page: "Set Frequency"
// shows one frequency's registers, "Load New Settings" and the channel scan
// list a table as assembler source and write it to the module.
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>

#include "cc1000_calc.h"
#include "convert.h"
#include "memory_map.h"
#include "register_listing.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "up_down.h"

void TForm1::SetUpRegisterTools() { ui->UpDown1->Associate(ui->Edit1); }

void TForm1::BitBtn1Click() {
  const double f = StrToFloat(ui->Edit1->text().toStdString());
  const double offset = OffsetFromBox(StrToFloat(ui->Edit9->text().toStdString()));
  Calc->Calculate(f, 0, offset, true);
  const std::pair<QLineEdit*, std::string> boxes[] = {
      {ui->Edit3, Calc->Freq2AText()}, {ui->Edit4, Calc->Freq1AText()}, {ui->Edit5, Calc->Freq0AText()},
      {ui->Edit6, Calc->Freq2BText()}, {ui->Edit7, Calc->Freq1BText()}, {ui->Edit8, Calc->Freq0BText()},
      {ui->Edit2, Calc->RxPllText()},  {ui->Edit14, Calc->TxPllText()}};
  for (const auto& [box, text] : boxes) box->setText(QString::fromStdString(text));
  ui->Edit1->setText(QString::fromStdString(Calc->TxFreqText()));
  const std::string lo = "LO Freq: " + Calc->LoFreqText() + " MHz";
  ui->Memo1->SetText(lo + "\r\nTX Freq: " + Calc->TxFreqText() + " MHz");
  ui->Label8->setText(QString::fromStdString(lo));
}

void TForm1::Button4Click() {
  // The offset box is read before anything changes: bad text leaves the
  // memo, the slots and a running job as they were.
  LoadSettingsChoice choice;
  choice.offset = OffsetFromBox(StrToFloat(ui->Edit9->text().toStdString()));
  choice.optimised = ui->Optimised_CB->isChecked();
  choice.matchTxToRx = ui->CheckBox3->isChecked();
  choice.transmitOnly = ui->cbIsTS1->isChecked();
  const TableListing table = LoadNewSettingsTable(*Calc, choice);
  ui->Memo1->SetText(table.listing);
  PutSlots(memory_map::kReceiveBlock, table.texts);
  StartWriteJob(memory_map::kReceiveBlock, 2 * memory_map::kBlockBytes);
}

void TForm1::Button14Click() {
  const TableListing table = ChannelScanTable(*Calc);
  ui->Memo1->SetText(table.listing);
  PutSlots(memory_map::kFirstTransmitBlock, table.texts);
  StartWriteJob(memory_map::kFirstTransmitBlock, memory_map::kChannelTableBytes);
  StartCustomPageProgress();
}
