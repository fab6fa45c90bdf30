// The hidden "Frequency Tables" sub-page: the channel table computed from
// ten typed channel frequencies, written to a module with a receiver or to
// a transmit-only one, and the receive current setting.
#include <QCheckBox>
#include <QComboBox>

#include "channel_table.h"
#include "command_texts.h"
#include "convert.h"
#include "memory_map.h"
#include "tform1.h"
#include "ui_tform1.h"

// Every box is converted before anything is computed or changed: a box
// that is not a number leaves slots, job and module as they were.
ChannelFrequencies TForm1::ChannelBoxFrequencies() {
  const QComboBox* boxes[memory_map::kChannels] = {
      ui->FreqComboCH0, ui->FreqComboCH1, ui->FreqComboCH2, ui->FreqComboCH3, ui->FreqComboCH4,
      ui->FreqComboCH5, ui->FreqComboCH6, ui->FreqComboCH7, ui->FreqComboCH8, ui->FreqComboCH9};
  ChannelFrequencies f{};
  for (int n = 0; n < memory_map::kChannels; ++n) f[n] = StrToFloat(boxes[n]->currentText().toStdString());
  return f;
}

void TForm1::BitBtn4Click() { SendCommand(commands::MemoryWrite(memory_map::kReceiveCurrent, "68")); }

void TForm1::UpdateTRSClick() {
  const ChannelFrequencies f = ChannelBoxFrequencies();
  PutSlots(memory_map::kReceiveBlock, ReceiverChannelTable(*Calc, f));
  StartProgress(2 * memory_map::kBlockBytes);
  StartWriteJob(memory_map::kReceiveBlock, 2 * memory_map::kBlockBytes);
}

void TForm1::UpdateTSClick() {
  const ChannelFrequencies f = ChannelBoxFrequencies();
  PutSlots(memory_map::kReceiveBlock, TransmitOnlyChannelTable(*Calc, f, ui->Optimised_CB->isChecked()));
  StartBlindWriteJob(memory_map::kReceiveBlock, 2 * memory_map::kBlockBytes);
  StartProgress(2 * memory_map::kBlockBytes);
}
