// One open serial device: the thin layer between SerialComms and the
// operating system. Only serial_device_posix.cpp knows termios.
//
// Open() takes the device for exclusive use: an advisory lock (which also
// holds against a second open in this process and for root) and the
// terminal's exclusive mode. The line is put in raw mode: bytes pass
// unchanged in both directions.
//
// Threading: Write() and Read() may be called from any thread; the caller
// serialises writes. Everything else is for the thread that owns the object.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "line_settings.h"

class SerialDevice {
 public:
  // Opens `path`; on failure returns nullptr and puts the system's reason in
  // *error (when given).
  static std::unique_ptr<SerialDevice> Open(const std::string& path, std::string* error = nullptr);
  // Whether `path` is a terminal that could be opened for exclusive use now.
  // Opens and closes it without changing its settings.
  static bool Probe(const std::string& path);
  ~SerialDevice();
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;

  int Fd() const { return fd_; }

  // Reads the record from the driver. False when the driver cannot be asked.
  bool GetLineSettings(LineSettings& settings) const;
  // Writes the whole record, or nothing: a record that the line cannot take
  // (data bits outside 5 to 8, "1.5" stop bits without 5 data bits, two stop
  // bits with 5 data bits, a zero rate) is refused and false returned.
  bool SetLineSettings(const LineSettings& settings);

  void SetTimeouts(const CommTimeouts& timeouts) { timeouts_ = timeouts; }
  const CommTimeouts& Timeouts() const { return timeouts_; }

  // Number of received bytes waiting in the driver's input queue.
  int InputQueueCount() const;
  // Reads what is queued, up to `size` bytes, without waiting. Returns the
  // count, 0 when nothing is queued, -1 when the device failed (hang-up,
  // device gone); *error then holds the system's text.
  long Read(void* buffer, size_t size, std::string* error) const;
  // Writes all `size` bytes, waiting for room within the write time-out
  // (multiplier per byte plus constant). Returns the bytes written.
  size_t Write(const void* data, size_t size) const;

 private:
  SerialDevice(int fd, std::string path);
  int fd_;
  std::string path_;
  CommTimeouts timeouts_;
  // Linux has no record field for how RTS is driven; the last value asked for
  // is kept here and reconciled with CRTSCTS when the record is read.
  uint8_t rtsControl_ = 0;
  struct SavedTermios;
  std::unique_ptr<SavedTermios> original_;  // found at open, restored at close
};
