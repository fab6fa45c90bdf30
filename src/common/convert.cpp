#include "convert.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

[[noreturn]] void ThrowNotInteger(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

int DigitValue(char c, int base) {
  int value;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  } else {
    return -1;
  }
  return value < base ? value : -1;
}

}  // namespace

int StrToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) ThrowNotInteger(text);
  // Hexadecimal texts may fill all 32 bits (e.g. "$FFFFFFFF" is -1).
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) ThrowNotInteger(text);
    value = value * base + digit;
    if (value > limit) ThrowNotInteger(text);
  }
  if (base == 10) {
    return static_cast<int>(negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value));
  }
  // Negation in unsigned arithmetic, so that "-$80000000" cannot overflow.
  const auto bits = static_cast<uint32_t>(value);
  return static_cast<int32_t>(negative ? 0u - bits : bits);
}

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";  // also for -0
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  const size_t e = text.find('e');
  if (e == std::string::npos) return text;
  // "1.5e+20" -> "1.5E20", "1e-05" -> "1E-5"
  std::string exponent = text.substr(e + 2);
  exponent.erase(0, exponent.find_first_not_of('0'));
  return text.substr(0, e) + "E" + (text[e + 1] == '-' ? "-" : "") + exponent;
}

bool TryStrToFloat(const std::string& text, double* value) {
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i - start;
  };
  while (i < text.size() && text[i] == ' ') ++i;
  const bool plus = i < text.size() && text[i] == '+';
  if (plus) ++i;  // from_chars takes no plus sign
  const size_t start = i;
  if (!plus && i < text.size() && text[i] == '-') ++i;
  size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  const size_t end = i;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) return false;
  // from_chars reads this grammar whatever the locale's decimal separator.
  const auto result = std::from_chars(text.data() + start, text.data() + end, *value);
  return result.ec == std::errc();  // out of range ("1E999") is no number either
}

double StrToFloat(const std::string& text) {
  double value = 0;
  if (!TryStrToFloat(text, &value)) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
  }
  return value;
}
