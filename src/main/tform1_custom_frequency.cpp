// The hidden "Custom Frequency Settings" page: one channel's transmit entry
// from a built-in set, the Kestrin table, and "Set C && M" (on the "In
// Progress" page), which computes a table for 907 … 916 MHz.
#include <QComboBox>
#include <QProgressBar>

#include "channel_table.h"
#include "fixed_tables.h"
#include "gauge.h"
#include "memory_map.h"
#include "message_boxes.h"
#include "radio_group.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

constexpr int kChannels = memory_map::kChannels;

}  // namespace

std::array<QComboBox*, 10> TForm1::TransmitChoiceBoxes() const {
  return {ui->ComboBox17, ui->ComboBox18, ui->ComboBox19, ui->ComboBox20, ui->ComboBox21,
          ui->ComboBox22, ui->ComboBox23, ui->ComboBox24, ui->ComboBox25, ui->ComboBox26};
}

void TForm1::TabSheet3Show() {
  if (ui->ComboBox7->count() > 0) return;  // filled once; later showings keep the choices
  QStringList channels;
  for (int k = 0; k < kChannels; ++k) channels << QString("CH%1").arg(k);
  const std::array<QComboBox*, 10> receive = {ui->ComboBox7,  ui->ComboBox8,  ui->ComboBox9,
                                              ui->ComboBox10, ui->ComboBox11, ui->ComboBox12,
                                              ui->ComboBox13, ui->ComboBox14, ui->ComboBox15,
                                              ui->ComboBox16};
  const std::array<QComboBox*, 10> transmit = TransmitChoiceBoxes();
  for (int row = 0; row < kChannels; ++row) {
    for (QComboBox* box : {receive[row], transmit[row]}) {
      box->addItems(channels);
      box->setCurrentIndex(row);
    }
  }
}

// Writes channel n's transmit entry: the entry that the row's "TX Freq"
// box chooses, from the set that RadioGroup2 chooses.
void TForm1::SetChannelEntry(int n) {
  const fixed_tables::Entries* table = nullptr;
  switch (ui->RadioGroup2->ItemIndex()) {
    case 0: table = &fixed_tables::kHigh434Transmit; break;
    case 2: table = &fixed_tables::kLowLoOnlyTransmit; break;
    case 3: table = &fixed_tables::kQxhTrsTransmit; break;
    default: break;
  }
  const std::string set = ui->RadioGroup2->ItemText().toStdString();
  if (!table) {
    Boxes().Show(kApplicationTitle, "There is no channel table for \"" + set + "\".",
                 BoxIcon::Warning, BoxButtons::Ok);
    return;
  }
  const int k = TransmitChoiceBoxes()[n]->currentIndex();
  if (k < 0 || k >= kChannels) {
    Boxes().Show(kApplicationTitle, "No entry is chosen for CH" + std::to_string(n) + ".",
                 BoxIcon::Warning, BoxButtons::Ok);
    return;
  }
  const fixed_tables::Entry& entry = (*table)[k];
  const int first = memory_map::EntryAddress(memory_map::kTransmitBlock, n);
  PutSlots(first, HexTexts(entry.data(), entry.size()));
  StartWriteJob(first, memory_map::kEntryBytes);
}

void TForm1::Button17Click() { SetChannelEntry(0); }
void TForm1::Button18Click() { SetChannelEntry(1); }
void TForm1::Button19Click() { SetChannelEntry(2); }
void TForm1::Button20Click() { SetChannelEntry(3); }
void TForm1::Button21Click() { SetChannelEntry(4); }
void TForm1::Button22Click() { SetChannelEntry(5); }
void TForm1::Button23Click() { SetChannelEntry(6); }
void TForm1::Button24Click() { SetChannelEntry(7); }
void TForm1::Button25Click() { SetChannelEntry(8); }
void TForm1::Button26Click() { SetChannelEntry(9); }

void TForm1::StartCustomPageProgress() {
  ui->ProgressBar1->setMaximum(memory_map::kChannelTableBytes);
  ui->ProgressBar1->setValue(0);
  ui->CGauge3->setMaxValue(memory_map::kChannelTableBytes);
  ui->CGauge3->setProgress(0);
}

void TForm1::SetKestrinClick() {
  PutSlots(memory_map::kFirstTransmitBlock,
           FixedChannelTable(fixed_tables::kKestrinTransmit, fixed_tables::kKestrinReceive));
  StartWriteJob(memory_map::kFirstTransmitBlock, memory_map::kChannelTableBytes);
  StartCustomPageProgress();
}

void TForm1::Button16Click() {
  ChannelFrequencies f{};
  for (int c = 0; c < kChannels; ++c) f[c] = 907 + c;
  PutSlots(memory_map::kFirstTransmitBlock, ComputedChannelTable(*Calc, f, 0.06));
  StartProgress(memory_map::kChannelTableBytes);
  StartWriteJob(memory_map::kFirstTransmitBlock, memory_map::kChannelTableBytes);
}
