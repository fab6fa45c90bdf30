// What a DAXO Tavimo module does with the bytes it receives, without any
// I/O: bytes go in one at a time, the module's answer comes out as a text.
//
// A command is "QX_CMD#" followed by a letter and its argument; its end is
// known from the letter (U P p C H I T take one character, A F two, L4 takes
// an address and then "?" or a value). A command with another letter ends
// when the line falls quiet (QuietGap()).
//
// An echoing module (types RS and TRS) echoes each character of a command as
// it arrives and, once the command is complete, waits for "ACK"; in
// fast-acknowledge mode it echoes nothing and answers the complete command
// with the byte 0x06, then waits for 0x06. After the confirmation it acts:
// memory reads answer two hexadecimal digits, queries answer a short line.
// A transmit-only module (TS) never answers but acts on "ACK" all the same.
// Bytes that are not part of a command are radio text: with loopback on they
// come straight back, as if a partner module answered.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ModuleOptions {
  enum class Type { TS, RS, TRS };
  enum class Reply { Normal, None, Short };

  Type type = Type::TRS;
  bool fastAck = false;      // fast-acknowledge mode at start ("QX_CMD#I7"/"I8" change it)
  bool echo = true;          // false: a receiver that never echoes nor acknowledges
  int wrongCharAt = 0;       // 1-based position in a command's echo to corrupt; 0 = none
  char wrongChar = '?';      // the character echoed there instead
  int faultOnly = 0;         // echo faults (no echo, wrong character) hit only the n-th command; 0 = all
  Reply reply = Reply::Normal;
  bool loopback = false;     // radio text comes back
  int latencyUs = 0;         // extra delay before each byte the module sends
  int baud = 0;              // 0: unpaced; else each byte takes 10 bit times each way
};

class ModuleProtocol {
 public:
  static constexpr const char* kVersion = "DAXO Tavimo virtual module V1.00\r\n";

  explicit ModuleProtocol(const ModuleOptions& options = {});

  // Takes one byte from the program; returns what the module sends back.
  std::string Take(char byte);
  // The line has been quiet: completes a command whose end is not known.
  std::string QuietGap();
  // True while a command waits for the line to fall quiet.
  bool WaitsForQuiet() const { return phase_ == Phase::Command && !KnownLetter(); }

  void SetOptions(const ModuleOptions& options);
  const ModuleOptions& Options() const { return options_; }
  bool FastAck() const { return fastAck_; }

  uint8_t Memory(int address) const { return memory_[address & 0xFF]; }
  void SetMemory(int address, uint8_t value) { memory_[address & 0xFF] = value; }
  // Commands confirmed and acted upon, in order.
  const std::vector<std::string>& Commands() const { return commands_; }

 private:
  enum class Phase { Idle, Command, AwaitAck };

  bool KnownLetter() const;
  bool CommandComplete() const;
  std::string Echo(char byte);
  bool Faulty() const { return options_.faultOnly == 0 || options_.faultOnly == commandNumber_; }
  std::string Text(const std::string& bytes) const;
  std::string Confirmable();  // the command is complete: answer and wait for the confirmation
  std::string Act();
  std::string Answer(const std::string& reply) const;

  ModuleOptions options_;
  bool fastAck_;
  Phase phase_ = Phase::Idle;
  std::string command_;  // the command (or the part of "QX_CMD#" seen so far)
  int echoed_ = 0;
  int commandNumber_ = 0;  // commands begun so far
  size_t ackPos_ = 0;
  bool awaitFastAck_ = false;
  std::array<uint8_t, 256> memory_;
  std::map<char, char> setting_;  // last digit set per command letter
  std::vector<std::string> commands_;
};
