#include "custom_baud.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

using Ext = long double;  // 64-bit significand (checked in cc1000_calc.h)

std::string Hex2(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

// Nearest whole divisor for e = 8 000 000 / rate × step − 1, an exact half
// rounded down. e and its fraction are kept as doubles.
double NearestDivisor(int rate, Ext step) {
  Ext ext = Ext(8000000) / Ext(rate);
  ext = ext * step;
  ext = ext - 1;
  const double e = static_cast<double>(ext);
  const double f = std::trunc(e);
  const double r = e - f;
  return r > 0.5 ? f + 1 : f;
}

}  // namespace

std::vector<std::string> CustomBaudRates() {
  std::vector<std::string> rates;
  for (int n = 1665; n >= 5; --n) {
    const std::string text = std::to_string(8000000 / (16 * n + 16));
    // Ascending, so a repeated text can only be the one added last.
    if (rates.empty() || rates.back() != text) rates.push_back(text);
  }
  return rates;
}

CustomBaudWords CustomBaudFor(int rate) {
  CustomBaudWords words;
  words.divisor = static_cast<int>(NearestDivisor(rate, Ext(0.0625)));
  Ext t = Ext(1) / Ext(rate);
  t = t * 22;
  t = t * 1000000;
  t = t * Ext(0.5);
  words.timingWord = static_cast<int>(std::trunc(t));
  return words;
}

std::array<std::string, 4> CustomBaudBytes(int rate) {
  const CustomBaudWords words = CustomBaudFor(rate);
  const int n = words.divisor;
  const int high = static_cast<int>(std::trunc(n * 0.00390625));
  const int low = n - 256 * high;
  const int w = words.timingWord;
  return {Hex2(low), Hex2(high), Hex2(w / 256), Hex2(w % 256)};
}

std::string ClosestQuarterStepRate(int rate) {
  if (rate == 0) throw std::domain_error("Floating point division by zero");
  const double n = NearestDivisor(rate, Ext(0.25));
  if (n + 1 == 0) throw std::domain_error("Floating point division by zero");
  const Ext closest = Ext(8000000) / ((Ext(n) + 1) * 4);
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, closest, std::chars_format::fixed, 2);
  return std::string(text, result.ptr);
}

bool IsHexText(const std::string& text) {
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}
