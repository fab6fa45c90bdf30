#include "module_protocol.h"

#include <cctype>
#include <cstdio>

namespace {

const std::string kPrefix = "QX_CMD#";

int HexByte(char hi, char lo) {
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  const int h = digit(hi), l = digit(lo);
  return h < 0 || l < 0 ? -1 : h * 16 + l;
}

}  // namespace

ModuleProtocol::ModuleProtocol(const ModuleOptions& options)
    : options_(options), fastAck_(options.fastAck) {
  // A recognisable pattern: each byte holds its own address.
  for (int i = 0; i < 256; ++i) memory_[i] = static_cast<uint8_t>(i);
  setting_ = {{'U', '4'}, {'P', '9'}, {'C', '7'}};
}

void ModuleProtocol::SetOptions(const ModuleOptions& options) {
  options_ = options;
  fastAck_ = options.fastAck;
}

std::string ModuleProtocol::Take(char byte) {
  switch (phase_) {
    case Phase::AwaitAck: {
      const bool confirms = awaitFastAck_ ? byte == '\x06' : byte == "ACK"[ackPos_];
      if (!confirms) {  // no confirmation: the command is dropped
        phase_ = Phase::Idle;
        command_.clear();
        return Take(byte);
      }
      if (!awaitFastAck_ && ++ackPos_ < 3) return "";
      phase_ = Phase::Idle;
      return Act();
    }
    case Phase::Command: {
      command_ += byte;
      std::string out = Echo(byte);
      if (CommandComplete()) out += Confirmable();
      return out;
    }
    case Phase::Idle:
      break;
  }
  if (byte == kPrefix[command_.size()]) {
    if (command_.empty()) {
      echoed_ = 0;
      ++commandNumber_;
    }
    command_ += byte;
    std::string out = Echo(byte);
    if (command_.size() == kPrefix.size()) phase_ = Phase::Command;
    return out;
  }
  // Not a command after all: what was collected is radio text.
  std::string out = Text(command_);
  command_.clear();
  if (byte == kPrefix[0]) return out + Take(byte);
  return out + Text(std::string(1, byte));
}

std::string ModuleProtocol::QuietGap() {
  if (phase_ == Phase::Command && command_.size() > kPrefix.size()) return Confirmable();
  return "";
}

bool ModuleProtocol::KnownLetter() const {
  if (command_.size() <= kPrefix.size()) return true;  // the letter is still to come
  const char letter = command_[kPrefix.size()];
  return std::string("UPpCHITAFL").find(letter) != std::string::npos;
}

bool ModuleProtocol::CommandComplete() const {
  const std::string rest = command_.substr(kPrefix.size());
  if (rest.empty()) return false;
  switch (rest[0]) {
    case 'U': case 'P': case 'p': case 'C': case 'H': case 'I': case 'T':
      return rest.size() == 2;
    case 'A': case 'F':
      return rest.size() == 3;
    case 'L':  // "L4" + address + "?" or + value
      return (rest.size() == 5 && rest[4] == '?') || rest.size() == 6;
    default:
      return false;  // ends with the quiet gap
  }
}

std::string ModuleProtocol::Echo(char byte) {
  if (options_.type == ModuleOptions::Type::TS || fastAck_ || (!options_.echo && Faulty())) return "";
  ++echoed_;
  return std::string(1, echoed_ == options_.wrongCharAt && Faulty() ? options_.wrongChar : byte);
}

std::string ModuleProtocol::Text(const std::string& bytes) const {
  return options_.loopback ? bytes : std::string();
}

std::string ModuleProtocol::Confirmable() {
  phase_ = Phase::AwaitAck;
  ackPos_ = 0;
  const bool receiver = options_.type != ModuleOptions::Type::TS && (options_.echo || !Faulty());
  awaitFastAck_ = receiver && fastAck_;
  return awaitFastAck_ ? std::string(1, '\x06') : std::string();
}

std::string ModuleProtocol::Act() {
  const std::string command = command_;
  command_.clear();
  commands_.push_back(command);
  const std::string rest = command.substr(kPrefix.size());
  char text[8];
  if (rest.size() == 5 && rest[0] == 'L' && rest[1] == '4' && rest[4] == '?') {
    const int address = HexByte(rest[2], rest[3]);
    if (address < 0) return "";
    std::snprintf(text, sizeof text, "%02X", memory_[address]);
    return Answer(text);
  }
  if (rest.size() == 6 && rest[0] == 'L' && rest[1] == '4') {
    const int address = HexByte(rest[2], rest[3]);
    const int value = HexByte(rest[4], rest[5]);
    if (address >= 0 && value >= 0) memory_[address] = static_cast<uint8_t>(value);
    return "";
  }
  if (rest == "I7" || rest == "I8") {
    fastAck_ = rest == "I7";
    return "";
  }
  if (rest == "T3") return Answer(kVersion);
  if (rest.size() == 2 && rest[1] == '?' && setting_.count(rest[0])) {
    return Answer(std::string(1, rest[0]) + setting_[rest[0]] + "\r\n");
  }
  if (rest.size() == 2 && std::isdigit(static_cast<unsigned char>(rest[1]))) {
    setting_[rest[0] == 'p' ? 'P' : rest[0]] = rest[1];
  }
  return "";
}

std::string ModuleProtocol::Answer(const std::string& reply) const {
  if (options_.type == ModuleOptions::Type::TS) return "";
  switch (options_.reply) {
    case ModuleOptions::Reply::None: return "";
    case ModuleOptions::Reply::Short: return reply.substr(0, 1);
    case ModuleOptions::Reply::Normal: break;
  }
  return reply;
}
