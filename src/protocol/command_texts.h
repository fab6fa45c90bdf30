// The module's command vocabulary: every command text the pages send, built
// from a list position or from an address and a value. Pure functions; the
// lists' item texts live here too, so that what a list shows and what it
// sends cannot drift apart.
//
// Every command is "QX_CMD#", a letter and its argument, sent without any
// line end. An empty result means "send nothing".
#pragma once

#include <string>
#include <vector>

namespace commands {

extern const std::vector<std::string> kUartItems;       // "QX_CMD#U0   (CUSTOM)" …
extern const std::vector<std::string> kChannelItems;    // "QX_CMD#C0  (Channel 0)" …
extern const std::vector<std::string> kOtherItems;      // "QX_CMD#H1 (Handshaking ON)" … ""
extern const std::vector<std::string> kTestModeItems;   // "QX_CMD#T0 (High Side Carrier ON)" …
std::vector<std::string> PowerItems(bool setDefault);   // "QX_CMD#P0" … (p with the box ticked)

std::string Uart(int position);         // "QX_CMD#U4"; position 6 "QX_CMD#U?"
std::string Power(int position, const std::string& itemText);  // the item; 10 "QX_CMD#P?"
std::string Channel(int position);      // "QX_CMD#C7"; position 10 "QX_CMD#C?"
std::string OtherSetting(int position); // the fixed table; the empty ninth item: ""
std::string TestMode(int position);     // "QX_CMD#T3"

// Memory: the address as "%02X" from 0 to 255; the value is the memory
// image's two-character text, passed on as it is.
std::string MemoryRead(int address);                               // "QX_CMD#L40A?"
std::string MemoryWrite(int address, const std::string& value);    // "QX_CMD#L4F47F"

}  // namespace commands
