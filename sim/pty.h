// A pseudo-terminal pair standing in for a serial cable: the program opens
// the slave side (SlavePath()) as its port; whoever holds the master side
// plays the module.
//
// The slave is put in raw mode at creation, so bytes pass unchanged even
// before the program configures the line. A slave descriptor is kept open by
// the Pty itself, so that the master does not see a hang-up while no
// program has the port open; it never reads from it.
#pragma once

#include <string>

class Pty {
 public:
  Pty();  // throws std::runtime_error when no pseudo-terminal can be had
  ~Pty();
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  // Closes both sides held here: the program's port sees a hang-up.
  void HangUp();
  bool IsHungUp() const { return master_ < 0; }

  // Writes the bytes to the master side (the program receives them); gives
  // up when the line stays full for a second.
  void Write(const std::string& bytes);
  // Reads what the program wrote, waiting up to `timeoutMs` for the first
  // byte; returns "" when nothing came.
  std::string Read(int timeoutMs);

 private:
  int master_ = -1;
  int slaveKeeper_ = -1;
  std::string slavePath_;
};
