// The engineers' register listings: channel tables computed with the
// CC1000 calculator and written out as microcontroller assembler source
// ("de" data lines), together with the slot texts that go to the module.
#pragma once

#include <string>
#include <vector>

class CC1000_Calc;

struct TableListing {
  std::string listing;             // the text for the memo, every line ended by "\r\n"
  std::vector<std::string> texts;  // "%02X" texts in address order
};

struct LoadSettingsChoice {
  double offset = 0;           // MHz, 434 minus the offset box
  bool optimised = false;      // "Use Optimised Frequencies"
  bool matchTxToRx = false;    // transmit follows the receive frequency reached
  bool transmitOnly = false;   // "TS": the first table holds transmit-side bytes
};

// The receive and transmit tables of the lower built-in set: 80 texts from
// 0x80, and the listing: ten receive lines, the "TX_FREQ_Table" header,
// ten transmit lines.
TableListing LoadNewSettingsTable(CC1000_Calc& calc, const LoadSettingsChoice& choice);

// The scan upward from 433.3 MHz in 1 kHz steps for the first ten distinct
// optimised transmit frequencies: 120 texts from 0x58 (receive entries in
// the receive block, transmit entries in both transmit blocks) and the
// listing of both passes.
TableListing ChannelScanTable(CC1000_Calc& calc);

// The calculator's offset for the offset box's value: 434 − value.
inline double OffsetFromBox(double value) { return 434 - value; }
