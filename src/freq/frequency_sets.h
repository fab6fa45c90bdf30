// The two built-in sets of ten channel frequencies (MHz) that a lower-band
// module can be given back, and the offset added before their registers
// are computed.
#pragma once

#include <array>

using ChannelFrequencies = std::array<double, 10>;

struct FrequencySet {
  ChannelFrequencies first;   // receive frequencies of the register listing
  ChannelFrequencies second;  // what the frequency reset writes, receive and transmit
};

// The stored values.
FrequencySet FillHigherSet();

// The higher set with 0.035 MHz taken off every entry, in double precision
// (433.275 becomes 433.23999999999995, not the double nearest 433.24).
FrequencySet FillLowerSet();

constexpr double kResetOffset = 0.07;
