#include "command_texts.h"

#include <cstdio>

namespace commands {

namespace {

const char* const kPrefix = "QX_CMD#";

bool Within(int position, const std::vector<std::string>& items) {
  return position >= 0 && position < static_cast<int>(items.size());
}

std::string Hex(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
  return text;
}

}  // namespace

const std::vector<std::string> kUartItems = {
    "QX_CMD#U0   (CUSTOM)", "QX_CMD#U1   (2400)",  "QX_CMD#U2   (4800)",
    "QX_CMD#U3   (9600)",   "QX_CMD#U4   (19200)", "QX_CMD#U5   (38400)",
    "QX_CMD#U?   (GetBAUD)",
};

const std::vector<std::string> kChannelItems = {
    "QX_CMD#C0  (Channel 0)", "QX_CMD#C1  (Channel 1)", "QX_CMD#C2  (Channel 2)",
    "QX_CMD#C3  (Channel 3)", "QX_CMD#C4  (Channel 4)", "QX_CMD#C5  (Channel 5)",
    "QX_CMD#C6  (Channel 6)", "QX_CMD#C7  (Channel 7)", "QX_CMD#C8  (Channel 8)",
    "QX_CMD#C9  (Channel 9)", "QX_CMD#C?  (Get Channel)",
};

const std::vector<std::string> kOtherItems = {
    "QX_CMD#H1 (Handshaking ON)", "QX_CMD#H2 (Handshaking OFF)", "QX_CMD#I7   (Fast ACK ON)",
    "QX_CMD#I8   (Fast ACK OFF)", "QX_CMD#A00 (DCS OFF)",        "QX_CMD#A01 (DCS ON)",
    "QX_CMD#A10 (Encryption OFF)", "QX_CMD#A11 (Encryption ON)", "",
};

const std::vector<std::string> kTestModeItems = {
    "QX_CMD#T0 (High Side Carrier ON)", "QX_CMD#T1 (Modulated Carrier ON)",
    "QX_CMD#T2 (Low Side Carrier ON)",  "QX_CMD#T3 (Get Version String)",
    "QX_CMD#T4 (RAW RX Data Test)",
};

std::vector<std::string> PowerItems(bool setDefault) {
  std::vector<std::string> items;
  for (int d = 0; d <= 9; ++d) items.push_back(std::string(kPrefix) + (setDefault ? "p" : "P") + char('0' + d));
  items.push_back("QX_CMD#P?");
  return items;
}

std::string Uart(int position) {
  if (position == 6) return "QX_CMD#U?";
  return position >= 0 && position <= 5 ? kPrefix + std::string("U") + char('0' + position) : "";
}

std::string Power(int position, const std::string& itemText) {
  if (position == 10) return "QX_CMD#P?";
  return position >= 0 && position <= 9 ? itemText : "";
}

std::string Channel(int position) {
  if (position == 10) return "QX_CMD#C?";
  return position >= 0 && position <= 9 ? kPrefix + std::string("C") + char('0' + position) : "";
}

std::string OtherSetting(int position) {
  static const char* const kCommands[] = {"QX_CMD#H1",  "QX_CMD#H2",  "QX_CMD#I7",  "QX_CMD#I8",
                                          "QX_CMD#A00", "QX_CMD#A01", "QX_CMD#A10", "QX_CMD#A11"};
  return position >= 0 && position <= 7 ? kCommands[position] : "";
}

std::string TestMode(int position) {
  return Within(position, kTestModeItems) ? kPrefix + std::string("T") + std::to_string(position)
                                          : "";
}

std::string MemoryRead(int address) { return kPrefix + std::string("L4") + Hex(address) + "?"; }

std::string MemoryWrite(int address, const std::string& value) {
  return kPrefix + std::string("L4") + Hex(address) + value;
}

}  // namespace commands
