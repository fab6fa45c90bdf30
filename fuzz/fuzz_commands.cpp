// The command builders and the table writers with arbitrary typed text,
// positions and frequencies: a command always starts with the prefix and
// carries the typed text byte for byte; a table always has its size.
#include <cstdlib>

#include "cc1000_calc.h"
#include "channel_table.h"
#include "command_texts.h"
#include "convert.h"
#include "fuzz_input.h"
#include "register_listing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const int position = in.Value<int>();
  const int address = in.Value<int>();
  const std::string typed = in.Text();
  for (const std::string& command : {commands::Uart(position), commands::Channel(position),
                                     commands::OtherSetting(position), commands::TestMode(position),
                                     commands::Power(position, typed), commands::MemoryRead(address)}) {
    if (!command.empty() && command.rfind("QX_CMD#", 0) != 0 && command != typed) std::abort();
  }
  const std::string write = commands::MemoryWrite(address, typed);
  if (write.size() < typed.size() || write.compare(write.size() - typed.size(), typed.size(), typed) != 0) {
    std::abort();
  }

  ChannelFrequencies f{};
  for (double& x : f) x = in.Value<double>();
  CC1000_Calc calc;
  if (ReceiverChannelTable(calc, f).size() != 80) std::abort();
  if (ResetChannelTable(calc, f).size() != 120) std::abort();
  try {
    if (TransmitOnlyChannelTable(calc, f, in.Byte() & 1).size() != 80) std::abort();
  } catch (const EConvertError&) {
    // A frequency whose transmit centre is not finite: refused as text.
  }
  LoadSettingsChoice choice;
  choice.offset = in.Value<double>();
  choice.optimised = in.Byte() & 1;
  choice.matchTxToRx = in.Byte() & 1;
  choice.transmitOnly = in.Byte() & 1;
  try {
    if (LoadNewSettingsTable(calc, choice).texts.size() != 80) std::abort();
  } catch (const EConvertError&) {
  }
  return 0;
}
