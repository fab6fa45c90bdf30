// The channel table's bytes as the module memory holds them, computed with
// the CC1000 register calculator from ten channel frequencies (MHz). Each
// function returns "%02X" texts in address order from the address it
// names, and changes nothing else but `calc`'s results.
#pragma once

#include <string>
#include <vector>

#include "fixed_tables.h"
#include "frequency_sets.h"

class CC1000_Calc;

// The whole table from the first transmit block (120 texts from 0x58):
// each channel computed for receive and transmit frequency f with `offset`,
// optimised; both transmit blocks get the same entries.
std::vector<std::string> ComputedChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f,
                                              double offset);

// The table the frequency reset writes: computed with the reset offset.
std::vector<std::string> ResetChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f);

// A whole table (120 texts from 0x58) from fixed entries: `transmit` in
// both transmit blocks, `receive` in the receive block.
std::vector<std::string> FixedChannelTable(const fixed_tables::Entries& transmit,
                                           const fixed_tables::Entries& receive);

// Bytes as "%02X" texts.
std::vector<std::string> HexTexts(const uint8_t* bytes, size_t count);

// The receive and transmit blocks (80 texts from 0x80) for a module with a
// receiver: each channel computed for receive frequency f, offset 0.06,
// optimised, the transmit side following the receive frequency reached.
std::vector<std::string> ReceiverChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f);

// The receive and transmit blocks (80 texts from 0x80) for a transmit-only
// module: both blocks hold the transmit entry of a frequency 0.01 MHz above
// the transmit centre that channel f reaches (with `optimised` as given).
std::vector<std::string> TransmitOnlyChannelTable(CC1000_Calc& calc, const ChannelFrequencies& f,
                                                  bool optimised);

// The engineer's listing of the whole table (120 texts from 0x58): one
// line of four values per channel entry, each written after ", Ox", every
// line ended by "\r\n".
std::string ChannelTableListing(const std::vector<std::string>& table);
