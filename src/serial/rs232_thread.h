// RS232RXThread: the one reader of an open serial port.
//
// It blocks in poll() on the port and on the control's wake-up descriptor.
// Whenever at least one whole chunk (ChunkSize bytes) is there and a hook is
// installed, it hands exactly that chunk to the hook, followed by a zero
// byte, on this thread. Bytes stay queued while no hook is installed.
//
// Threading contract:
//  - the hook runs on this thread; while it runs nothing is read;
//  - chunk size and hook live in the ReceiveControl and may be changed from
//    any thread, including from inside the hook; they apply from the next
//    delivery on, and the count handed over is the chunk size that the read
//    used;
//  - RequestStop() may be called from any thread: no hook call starts after
//    it; the destructor requests the stop and waits for the thread to end
//    (unless called from the hook itself, when it lets the thread finish);
//  - a port that hangs up or fails ends the deliveries with one "Error"
//    message box holding the system's text, never a stream of them.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "receive_control.h"

class SerialDevice;

class RS232RXThread {
 public:
  // Starts the thread at once; `device` and `control` must outlive it.
  RS232RXThread(const SerialDevice& device, ReceiveControl& control);
  ~RS232RXThread();
  RS232RXThread(const RS232RXThread&) = delete;
  RS232RXThread& operator=(const RS232RXThread&) = delete;

  void SetChunkSize(int n) { control_.SetChunkSize(n); }
  int GetChunkSize() const { return control_.ChunkSize(); }
  void Terminate() { RequestStop(); }
  void RequestStop();
  // True once the loop has ended (stop requested, or the port failed).
  bool Finished() const { return finished_.load(); }

 private:
  void Execute();
  void ShowReadError(const std::string& text);

  const SerialDevice& device_;
  ReceiveControl& control_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::thread thread_;
};
