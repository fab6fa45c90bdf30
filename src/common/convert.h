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

// A number in the general format with up to 15 significant digits, without
// trailing zeros or a trailing point, always with a decimal point whatever
// the locale: 433.92338528645833 gives "433.923385286458", 434 gives "434".
// Exponents appear only far outside everyday sizes ("1E-5", "1.5E20");
// NaN and the infinities give "NAN", "INF" and "-INF".
std::string FloatToStr(double value);

// A decimal number: optional blanks, an optional sign, digits with an
// optional decimal point, an optional exponent ("E-3"), optional blanks.
// False for anything else (hexadecimal, "INF", "NAN", an empty text).
bool TryStrToFloat(const std::string& text, double* value);

// As TryStrToFloat, raising "'%s' is not a valid floating point value".
double StrToFloat(const std::string& text);
