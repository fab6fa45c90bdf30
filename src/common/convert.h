// Text-to-number conversions with the program's conversion errors.
//
// Settings, command arguments and register values travel as texts. A text
// that does not convert raises EConvertError carrying the message the user
// sees, e.g. "'abc' is not a valid integer value"; the application shows it
// in a message box and goes on with the next event.
#pragma once

#include <stdexcept>
#include <string>

class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

// A whole number in 32 bits: optional leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x". Anything else,
// including an empty text or a value outside the 32-bit range, raises
// EConvertError.
int StrToInt(const std::string& text);
