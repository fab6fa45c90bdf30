// The mapping of line settings onto termios2, for every setting a real
// serial line can take, including those a pseudo-terminal cannot.
#include <asm/termbits.h>
#include <gtest/gtest.h>

#include "termios_codec.h"

namespace {

LineSettings Settings(uint32_t rate, uint8_t bits, uint8_t parity, uint8_t stop) {
  LineSettings s;
  s.BaudRate = rate;
  s.ByteSize = bits;
  s.Parity = parity;
  s.StopBits = stop;
  return s;
}

LineSettings RoundTrip(const LineSettings& in) {
  struct termios2 tio = {};
  EncodeTermios(in, tio);
  LineSettings out;
  DecodeTermios(tio, in.fRtsControl, out);
  return out;
}

TEST(TermiosCodec, EveryAcceptableCombinationRoundTrips) {
  int accepted = 0;
  for (uint8_t bits = 5; bits <= 8; ++bits) {
    for (uint8_t parity = 0; parity <= 4; ++parity) {
      for (uint8_t stop = 0; stop <= 2; ++stop) {
        const LineSettings s = Settings(19200, bits, parity, stop);
        if (!IsAcceptableLineSettings(s)) continue;
        ++accepted;
        EXPECT_EQ(RoundTrip(s), s) << int(bits) << " bits, parity " << int(parity) << ", stop "
                                   << int(stop);
      }
    }
  }
  // 4 sizes x 5 parities x 2 stop settings each (1.5 only with 5 bits, 2 only without).
  EXPECT_EQ(accepted, 40);
}

TEST(TermiosCodec, RecordsNoLineCanTakeAreRefused) {
  const LineSettings refused[] = {
      Settings(19200, 8, 0, 1),  // 1.5 stop bits need 5 data bits
      Settings(19200, 5, 0, 2),  // 2 stop bits with 5 data bits
      Settings(19200, 9, 0, 0), Settings(19200, 4, 0, 0), Settings(0, 8, 0, 0),
      Settings(4294967295u, 8, 0, 0),
      Settings(19200, 8, 5, 0), Settings(19200, 8, 0, 3),
  };
  for (const auto& s : refused) EXPECT_FALSE(IsAcceptableLineSettings(s));
}

TEST(TermiosCodec, RatesOfTheSettingsListAreExact) {
  const std::pair<uint32_t, unsigned> rates[] = {
      {300, B300},     {600, B600},     {1200, B1200},   {2400, B2400},   {4800, B4800},
      {9600, B9600},   {14400, BOTHER}, {19200, B19200}, {28800, BOTHER}, {38400, B38400},
      {56000, BOTHER}, {57600, B57600}, {115200, B115200},
  };
  for (const auto& [rate, code] : rates) {
    struct termios2 tio = {};
    EncodeTermios(Settings(rate, 8, 0, 0), tio);
    EXPECT_EQ(tio.c_cflag & CBAUD, code) << rate;
    EXPECT_EQ(tio.c_ospeed, rate);
    EXPECT_EQ(tio.c_ispeed, rate);
    EXPECT_EQ(RoundTrip(Settings(rate, 8, 0, 0)).BaudRate, rate);
  }
}

TEST(TermiosCodec, FlowControlAndRts) {
  struct Case {
    bool cts;
    uint8_t rts;         // requested
    bool crtscts;        // in the record
    uint8_t readBackRts;
  };
  const Case cases[] = {
      {true, 1, true, 1},    // "HARDWARE": CTS flow, RTS on
      {false, 0, false, 0},  // "NONE"
      {false, 2, true, 2},   // RTS handshake
      {false, 1, false, 1},  // RTS on alone
  };
  for (const Case& c : cases) {
    LineSettings s = Settings(19200, 8, 0, 0);
    s.fOutxCtsFlow = c.cts;
    s.fRtsControl = c.rts;
    struct termios2 tio = {};
    EncodeTermios(s, tio);
    EXPECT_EQ((tio.c_cflag & CRTSCTS) != 0, c.crtscts);
    LineSettings out;
    DecodeTermios(tio, c.rts, out);
    EXPECT_EQ(out.fRtsControl, c.readBackRts);
  }
  // A driver switched to RTS/CTS by someone else reports a handshake.
  struct termios2 tio = {};
  tio.c_cflag = CRTSCTS | CS8;
  LineSettings out;
  DecodeTermios(tio, 0, out);
  EXPECT_EQ(out.fRtsControl, 2);
  EXPECT_TRUE(out.fOutxCtsFlow);
}

}  // namespace
