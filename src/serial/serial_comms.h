// SerialComms: one serial port of the program, opened by name for exclusive
// use, with fixed time-outs, line settings read and changed as the texts the
// settings dialog lists ("19200", "8", "1.5", "HARDWARE"), writes, and the
// receive thread that hands received chunks to a replaceable hook.
//
// States: None (built without a port, PortName "0"), Open, Failed (the last
// SetPort could not open its port; PortName keeps the failed name).
//
// Threading contract:
//  - main thread only: constructors, destructor, SetPort, the line-settings
//    setters and getters, GetPort, State;
//  - any thread, including the receive thread and its hook: WriteText,
//    WriteByte (each one whole write, never interleaved with another),
//    SetChunkSize, SetReceiveHook, GetReceiveHook, GetChunkSize (atomics
//    replaced whole);
//  - SetPort and the destructor wait for the receive thread to end, so they
//    must not be called from a receive hook.
#pragma once

#include <exception>
#include <memory>
#include <mutex>
#include <string>

#include "line_settings.h"
#include "receive_control.h"

class RS232RXThread;
class SerialDevice;

class SerialComms {
 public:
  // Thrown by the constructor that opens a port when the port cannot be opened.
  struct Error : std::exception {
    const char* Message = "Cannot Access the Selected Port";
    const char* what() const noexcept override { return Message; }
  };

  enum class PortState { None, Open, Failed };

  SerialComms();
  explicit SerialComms(const std::string& name);
  ~SerialComms();
  SerialComms(const SerialComms&) = delete;
  SerialComms& operator=(const SerialComms&) = delete;

  PortState State() const { return state_; }
  bool IsFailed() const { return state_ == PortState::Failed; }

  void SetPort(const std::string& name);
  std::string GetPort() const { return PortName; }

  void SetBaudRate(const std::string& text);
  std::string GetBaudRate();
  void SetDataBits(const std::string& text);
  std::string GetDataBits();
  void SetStopBits(const std::string& text);
  std::string GetStopBits();
  void SetFlowControl(const std::string& text);
  std::string GetFlowControl();

  int WriteText(const std::string& text);
  int WriteText(const char* text);
  int WriteByte(unsigned char value);

  void SetChunkSize(int n) { control_.SetChunkSize(n); }
  int GetChunkSize() const { return control_.ChunkSize(); }
  bool SetReceiveHook(ReceiveHook hook) {
    control_.SetHook(hook);
    return true;
  }
  ReceiveHook GetReceiveHook() const { return control_.Hook(); }

  // The settings-store key under which this port's settings are kept.
  std::string RegistryKey;

  // The device path now open (for messages and tests), or "".
  std::string DevicePath() const;

  // True when the port is open but its line has gone (hang-up or read
  // error, reported once by the receive thread): nothing more will arrive
  // until the port is opened again. Main thread.
  bool LineLost() const;

 private:
  bool ReadLineSettings();  // port -> cache; false without an open port
  void WriteLineSettings(); // cache -> port
  void ApplyFixedTimeouts();
  void StopReceiveThread();
  void StartReceiveThread();
  int Write(const void* data, size_t size);

  PortState state_ = PortState::None;
  std::string PortName = "0";
  std::string devicePath_;
  LineSettings LineSettings_;  // cache of the last record read or written
  ReceiveControl control_;
  // Guards device_ against a write from another thread while SetPort
  // replaces it, and keeps the bytes of two writes from interleaving.
  mutable std::mutex writeMutex_;
  std::unique_ptr<SerialDevice> device_;
  std::unique_ptr<RS232RXThread> RxThread;
};
