#include "termios_codec.h"

#include <asm/termbits.h>  // termios2; must not meet <termios.h> in this file

namespace {

struct StandardRate {
  unsigned code;
  uint32_t rate;
};

// Rates with a classic code are set with it (every driver knows them); any
// other rate goes through BOTHER.
constexpr StandardRate kStandardRates[] = {
    {B50, 50},         {B75, 75},         {B110, 110},       {B134, 134},
    {B150, 150},       {B200, 200},       {B300, 300},       {B600, 600},
    {B1200, 1200},     {B1800, 1800},     {B2400, 2400},     {B4800, 4800},
    {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},
    {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

uint32_t RateOf(const struct termios2& tio) {
  const unsigned code = tio.c_cflag & CBAUD;
  if (code == BOTHER) return tio.c_ospeed;
  for (const auto& r : kStandardRates) {
    if (r.code == code) return r.rate;
  }
  return tio.c_ospeed;
}

void SetRate(struct termios2& tio, uint32_t rate) {
  tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));  // the input rate follows the output rate
  unsigned code = BOTHER;
  for (const auto& r : kStandardRates) {
    if (r.rate == rate) code = r.code;
  }
  tio.c_cflag |= code;
  tio.c_ispeed = rate;
  tio.c_ospeed = rate;
}

}  // namespace

bool IsAcceptableLineSettings(const LineSettings& s) {
  if (s.BaudRate == 0 || s.BaudRate > kMaxBaudRate || s.ByteSize < 5 || s.ByteSize > 8) return false;
  if (s.Parity > 4 || s.StopBits > 2 || s.fRtsControl > 3) return false;
  // One and a half stop bits exist only with 5 data bits, two only without.
  if (s.StopBits == 1 && s.ByteSize != 5) return false;
  if (s.StopBits == 2 && s.ByteSize == 5) return false;
  return true;
}

void EncodeTermios(const LineSettings& s, struct termios2& tio) {
  SetRate(tio, s.BaudRate);
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  static constexpr unsigned kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag |= kSizes[(s.ByteSize < 5 || s.ByteSize > 8 ? 8 : s.ByteSize) - 5];
  if (s.Parity != 0) tio.c_cflag |= PARENB;
  if (s.Parity == 1 || s.Parity == 3) tio.c_cflag |= PARODD;
  if (s.Parity >= 3) tio.c_cflag |= CMSPAR;
  if (s.StopBits != 0) tio.c_cflag |= CSTOPB;  // with 5 data bits the UART makes it 1.5
  if (s.fOutxCtsFlow || s.fRtsControl == 2) tio.c_cflag |= CRTSCTS;
  tio.c_cc[VSTART] = s.XonChar;
  tio.c_cc[VSTOP] = s.XoffChar;
}

void DecodeTermios(const struct termios2& tio, uint8_t rtsControl, LineSettings& s) {
  s.BaudRate = RateOf(tio);
  switch (tio.c_cflag & CSIZE) {
    case CS5: s.ByteSize = 5; break;
    case CS6: s.ByteSize = 6; break;
    case CS7: s.ByteSize = 7; break;
    default: s.ByteSize = 8; break;
  }
  if (!(tio.c_cflag & PARENB)) {
    s.Parity = 0;
  } else if (tio.c_cflag & CMSPAR) {
    s.Parity = (tio.c_cflag & PARODD) ? 3 : 4;
  } else {
    s.Parity = (tio.c_cflag & PARODD) ? 1 : 2;
  }
  if (!(tio.c_cflag & CSTOPB)) {
    s.StopBits = 0;
  } else {
    s.StopBits = s.ByteSize == 5 ? 1 : 2;
  }
  s.XonChar = tio.c_cc[VSTART];
  s.XoffChar = tio.c_cc[VSTOP];
  const bool ctsrts = (tio.c_cflag & CRTSCTS) != 0;
  s.fOutxCtsFlow = ctsrts;
  if (ctsrts) {
    s.fRtsControl = rtsControl == 1 || rtsControl == 3 ? rtsControl : 2;
  } else {
    s.fRtsControl = rtsControl == 2 ? 0 : rtsControl;
  }
}
