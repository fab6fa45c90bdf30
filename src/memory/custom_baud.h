// The module's custom UART baud rate and group identifier, as the bytes of
// its memory that hold them.
//
// The module derives its rate from a divisor n: rate = 8 000 000 / (16 × (n + 1)).
// The rates offered are those of n = 1665 … 5; for a rate the program
// stores the nearest divisor and a timing word of about 11 000 000 / rate.
// The arithmetic runs in the 80-bit extended format in the order written,
// as the module's own tables were made with it: plain double gives other
// timing words for seven of the rates.
#pragma once

#include <array>
#include <string>
#include <vector>

// The offered rates as decimal texts, ascending and each once: "300" …
// "83333", 1109 of them.
std::vector<std::string> CustomBaudRates();

struct CustomBaudWords {
  int divisor = 0;     // n
  int timingWord = 0;  // w
};

// The divisor and timing word for `rate` (> 0).
CustomBaudWords CustomBaudFor(int rate);

// The four bytes for addresses 0x51 … 0x54 as "%02X" texts: divisor low,
// divisor high, timing word high, timing word low.
std::array<std::string, 4> CustomBaudBytes(int rate);

// The closest rate that a divisor of a quarter step reaches for `rate`, as
// the hidden calculator shows it ("0.00"). A rate of 0, or one for which no
// divisor exists, raises the platform's division-by-zero error.
std::string ClosestQuarterStepRate(int rate);

// True when every character is "0"–"9" or "A"–"F"; an empty text passes,
// lower-case letters fail.
bool IsHexText(const std::string& text);
