// CC1000_Calc: the register values of the module's CC1000 transceiver for a
// wanted radio frequency.
//
// Calculate() searches the receive reference divider and local-oscillator
// side (150 kHz below or above) that come closest to the wanted receive
// frequency, optionally holding the division ratio to multiples of 0.5
// ("optimised"), and computes the transmit word for the transmit frequency,
// or for the receive frequency actually reached. The results are fetched as
// texts afterwards: "%02X" for register values, decimal text for
// frequencies. Frequencies are in MHz.
//
// Exactness: every step is evaluated in the x87 80-bit extended format
// (64-bit significand), in the order written, and rounded to double where a
// value is kept. Plain double evaluation picks other registers for some
// inputs, so the build refuses a platform without that format.
//
// Main thread only.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

static_assert(std::numeric_limits<long double>::digits == 64,
              "CC1000_Calc needs long double to be the 80-bit extended format with a 64-bit "
              "significand (x86 / x86-64); this platform has another format and no exact "
              "fallback is provided");

class CC1000_Calc {
 public:
  CC1000_Calc() = default;

  void Calculate(double rxFreq, double txFreq, double offset, bool optimised);
  int32_t FindRxSetting(double freq);

  std::string Freq2AText() const { return HexByteText(Freq2A); }
  std::string Freq1AText() const { return HexByteText(Freq1A); }
  std::string Freq0AText() const { return HexByteText(Freq0A); }
  std::string Freq2BText() const { return HexByteText(Freq2B); }
  std::string Freq1BText() const { return HexByteText(Freq1B); }
  std::string Freq0BText() const { return HexByteText(Freq0B); }
  std::string RxPllText() const { return HexByteText(RxRefDiv * 8); }
  std::string TxPllText() const { return HexByteText(TxRefDiv * 8); }
  std::string TxFreqText() const;
  // Computes LoFreq, keeps it and returns it as decimal text.
  std::string LoFreqText();

  // "%02X": upper-case, at least two digits; a negative value in 32-bit
  // two's complement (FFFFFFDF for -33).
  static std::string HexByteText(int32_t value);

  bool Optimised = false;
  bool LowSideLo = false;  // the receive local oscillator lies below the radio frequency
  double LoFreq = 0;
  double TxFreq = 0;
  double RxFreq = 0;
  double Offset = 0;
  int32_t RxRefDiv = 0;
  int32_t TxRefDiv = 0;
  int32_t Freq2A = 0, Freq1A = 0, Freq0A = 0;
  int32_t Freq2B = 0, Freq1B = 0, Freq0B = 0;

 protected:
  // The arithmetic with `Ext` as the evaluation format; the program uses
  // long double only. Other formats exist to show that the format matters.
  template <typename Ext>
  void CalculateIn(double rxFreq, double txFreq, double offset, bool optimised);
  template <typename Ext>
  int32_t FindRxSettingIn(double freq);
};
