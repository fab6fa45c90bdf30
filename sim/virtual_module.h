// The virtual module: a ModuleProtocol on its own thread at the master side
// of a pseudo-terminal. The program opens PortPath() as its serial port.
//
// Every byte in each direction is recorded for assertions (Received(): what
// the program wrote; Sent(): what the module wrote), and WaitUntil() lets a
// test wait, bounded, for a condition on them. Faults can be switched at
// run time (SetOptions), unsolicited bytes sent (Inject) and the line hung
// up (HangUp). With ModuleOptions::baud set, bytes take their wire time in
// both directions.
//
// All members may be called from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "module_protocol.h"
#include "pty.h"

class VirtualModule {
 public:
  // How long the line must be quiet to end a command of unknown length.
  static constexpr std::chrono::milliseconds kQuietGap{30};

  explicit VirtualModule(const ModuleOptions& options = {});
  ~VirtualModule();
  VirtualModule(const VirtualModule&) = delete;
  VirtualModule& operator=(const VirtualModule&) = delete;

  const std::string& PortPath() const { return pty_.SlavePath(); }

  void SetOptions(const ModuleOptions& options);
  ModuleOptions Options() const;
  bool FastAck() const;
  uint8_t Memory(int address) const;
  void SetMemory(int address, uint8_t value);
  std::vector<std::string> Commands() const;

  // Sends bytes to the program as if the module sent them unasked.
  void Inject(const std::string& bytes);
  // Closes the line: the program's port sees a hang-up.
  void HangUp();

  std::string Received() const;
  std::string Sent() const;
  void ClearRecords();
  // Waits until `condition` (called under the module's lock with the two
  // records; it must not call back into the module) holds, at most `timeout`; returns whether it held.
  bool WaitUntil(const std::function<bool(const std::string& received, const std::string& sent)>&
                     condition,
                 std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

  // Waits until at least `count` commands have been confirmed and acted upon.
  bool WaitForCommands(size_t count,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

  // Called on the module's thread for each byte block: fromProgram tells the
  // direction. For the command-line program's traffic display.
  void SetTrafficObserver(std::function<void(bool fromProgram, const std::string& bytes)> observer);

 private:
  using Clock = std::chrono::steady_clock;
  struct Timed {
    Clock::time_point due;
    char byte;
  };

  void Run();
  void Wake();
  void QueueOutput(const std::string& bytes, Clock::time_point now);
  Clock::duration ByteTime() const;
  void Notify(bool fromProgram, const std::string& bytes);

  Pty pty_;
  int wakeFd_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  ModuleProtocol protocol_;
  std::deque<Timed> input_;   // taken from the line, processed when due
  std::deque<Timed> output_;  // to be written when due
  Clock::time_point lastInputDue_{};
  Clock::time_point lastOutputDue_{};
  Clock::time_point quietSince_{};
  std::string received_;
  std::string sent_;
  std::function<void(bool, const std::string&)> observer_;
  bool stop_ = false;
  bool hangUp_ = false;
  std::thread thread_;
};
