// The hidden "In Progress" page: fixed commands as direct transactions,
// "Change Channels", "Read Module Settings", two fixed memory tables and
// the customer presets.
#include <QComboBox>
#include <QLineEdit>

#include "channel_table.h"
#include "command_texts.h"
#include "fixed_tables.h"
#include "memory_map.h"
#include "qx_tasklist.h"
#include "radio_group.h"
#include "serial_comms.h"
#include "tform1.h"
#include "trs232_form.h"
#include "ui_tform1.h"

void TForm1::SetUpEngineeringPage() {
  // A sorted list: these texts are already in order.
  ui->CustomerSettingList->addItems(
      {"Orvanta QXH-TRS", "Orvanta QXH-TS", "Pellix QXL-TRS", "Pellix QXL-TS"});
  ui->CustomerSettingList->setCurrentIndex(-1);
  ui->UpDown2->Associate(ui->Edit16);
  ui->UpDown3->Associate(ui->Edit17);
}

// Sends `command` as a transaction with echo check whatever the module
// type, replacing the one in flight; no watchdog.
void TForm1::StartDirectTransaction(const std::string& command) {
  if (Comms) Transaction.Begin(command, *Comms);
}

void TForm1::Button29Click() { StartDirectTransaction("QX_CMD#I7"); }
void TForm1::Button34Click() { StartDirectTransaction(commands::Channel(7)); }
void TForm1::Button35Click() { StartDirectTransaction("QX_CMD#T4"); }
void TForm1::Button40Click() { StartDirectTransaction("QX_CMD#T4"); }
void TForm1::Button2Click() { StartDirectTransaction(commands::MemoryWrite(memory_map::kModuleType, "08")); }

void TForm1::Button11Click() {
  // Receive channel first, then transmit channel.
  SendCommand("QX_CMD#F" + ui->Edit16->text().toStdString() + ui->Edit17->text().toStdString());
}

void TForm1::BitBtn2Click() {
  const std::string versionQuery = "QX_CMD#T3";
  switch (ui->ModuleChooserGroup->ItemIndex()) {
    case 0:  // "TS": written bare, without a log line or "ACK"
      if (Comms) Comms->WriteText(versionQuery);
      break;
    case 1:
    case 2:
      SendCommand(versionQuery);
      break;
    default:
      break;
  }
}

void TForm1::Button32Click() {
  PutSlots(memory_map::kFirstTransmitBlock,
           FixedChannelTable(fixed_tables::kBandwidthTransmit, fixed_tables::kBandwidthReceive));
  StartProgress(memory_map::kChannelTableBytes);
  StartWriteJob(memory_map::kFirstTransmitBlock, memory_map::kChannelTableBytes);
}

void TForm1::Button33Click() {
  const auto& bytes = fixed_tables::kRisingBytes;
  PutSlots(memory_map::kRisingBytes, HexTexts(bytes.data(), bytes.size()));
  StartBlindWriteJob(memory_map::kRisingBytes, static_cast<int>(bytes.size()));  // whatever the module type
  StartProgress(static_cast<int>(bytes.size()));
}

void TForm1::CustomerSettingListChange() {
  if (ui->CustomerSettingList->currentText() != "Pellix QXL-TS") return;
  // The preset's commands are queued and read back; nothing sends them.
  TaskList->Clear();
  TaskList->Add(commands::MemoryWrite(memory_map::kPresetByte1C, "27"));
  TaskList->Add(commands::MemoryWrite(memory_map::kPresetByteF4, "00"));
  TaskList->Rewind();
  TaskList->Next();
  TaskList->Next();
}

void TForm1::BitBtn7Click() {
  if (Comms) ShowRS232Settings(this, *Comms);
  TaskList->Clear();
}
