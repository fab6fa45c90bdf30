// The line-settings and time-out records of one serial port, as plain values.
//
// SerialComms keeps a cached LineSettings and changes single fields of it;
// the device layer (serial_device.h) maps the record onto the operating
// system's line discipline and back. The field names and encodings are the
// program's own and do not depend on the platform.
#pragma once

#include <cstdint>

struct LineSettings {
  uint32_t BaudRate = 19200;  // bits per second
  uint8_t ByteSize = 8;       // data bits, 5 to 8
  uint8_t Parity = 0;         // 0 none, 1 odd, 2 even, 3 mark, 4 space
  uint8_t StopBits = 0;       // 0 one, 1 one and a half, 2 two
  uint8_t XonChar = 0;
  uint8_t XoffChar = 0;
  bool fOutxCtsFlow = false;  // output waits for CTS
  uint8_t fRtsControl = 0;    // 0 RTS off, 1 RTS on, 2 RTS handshake, 3 RTS toggle

  bool operator==(const LineSettings& o) const {
    return BaudRate == o.BaudRate && ByteSize == o.ByteSize && Parity == o.Parity &&
           StopBits == o.StopBits && XonChar == o.XonChar && XoffChar == o.XoffChar &&
           fOutxCtsFlow == o.fOutxCtsFlow && fRtsControl == o.fRtsControl;
  }
  bool operator!=(const LineSettings& o) const { return !(*this == o); }
};

// Milliseconds. Reads in this program only take bytes that are already
// queued, so only the write time-out bounds a call in practice.
struct CommTimeouts {
  uint32_t ReadIntervalTimeout = 0;
  uint32_t ReadTotalTimeoutMultiplier = 0;
  uint32_t ReadTotalTimeoutConstant = 0;
  uint32_t WriteTotalTimeoutMultiplier = 0;
  uint32_t WriteTotalTimeoutConstant = 0;
};
