// The mapping between the program's LineSettings record and Linux's
// termios2, kept apart from the device so that it can be checked for every
// setting, also those a pseudo-terminal cannot take (it forces 8 data bits
// and no parity).
//
// Include <asm/termbits.h> (never together with <termios.h>) to use it.
#pragma once

#include <cstdint>

#include "line_settings.h"

struct termios2;

// Beyond what any serial adapter runs at; "-1" typed as a rate reads as 4294967295.
constexpr uint32_t kMaxBaudRate = 12'000'000;

// False for a record that no serial line can take: data bits outside 5 to 8,
// "1.5" stop bits without 5 data bits, two stop bits with 5 data bits, a
// zero rate or one above kMaxBaudRate, or a field out of its range.
bool IsAcceptableLineSettings(const LineSettings& settings);

// Puts rate, data bits, parity, stop bits, CTS/RTS flow and the XON/XOFF
// characters of `settings` into `tio`, leaving its other fields alone.
void EncodeTermios(const LineSettings& settings, struct termios2& tio);

// Reads them back. Linux keeps no field for how RTS is driven, so the last
// requested value, `rtsControl`, is reconciled with CRTSCTS: with CRTSCTS
// set, RTS is a handshake (2) unless it was asked to stay on (1) or toggle
// (3); without it, a remembered handshake reads as off.
void DecodeTermios(const struct termios2& tio, uint8_t rtsControl, LineSettings& settings);
