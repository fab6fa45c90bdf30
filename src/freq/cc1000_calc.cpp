#include "cc1000_calc.h"

#include <cmath>
#include <cstdio>

#include "convert.h"

namespace {

// Decimal constants are the doubles nearest to them (0.001 and 1e-6 of the
// transmit frequency excepted); the others are exact in any format.
constexpr double kIf = 0.15;          // intermediate frequency, MHz
constexpr double kHalfSep = 0.032;    // half the tone separation, MHz
constexpr double kSep = 0.064;        // tone separation, MHz
constexpr double kMinRef = 1.053;     // admissible receive reference, MHz
constexpr double kMaxRef = 2.46;
constexpr double kMinWord = 4194304;  // admissible frequency word
constexpr double kMaxWord = 16751615;

// Truncation toward zero into 32 bits that is defined for every input: the
// requests far outside the bands saturate, and NaN gives 0.
template <typename Ext>
int32_t Trunc32(Ext value) {
  if (std::isnan(value)) return 0;
  if (value >= Ext(2147483647)) return std::numeric_limits<int32_t>::max();
  if (value <= Ext(-2147483648.0)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

void CC1000_Calc::Calculate(double rxFreq, double txFreq, double offset, bool optimised) {
  CalculateIn<long double>(rxFreq, txFreq, offset, optimised);
}

int32_t CC1000_Calc::FindRxSetting(double freq) { return FindRxSettingIn<long double>(freq); }

template <typename Ext>
void CC1000_Calc::CalculateIn(double rxFreq, double txFreq, double offset, bool optimised) {
  Optimised = optimised;
  Offset = offset;
  FindRxSettingIn<Ext>(static_cast<double>(Ext(rxFreq) + Ext(offset)));

  // The transmit reference is the integer quotient: 2 285 714 Hz for divider 7.
  TxRefDiv = rxFreq >= 500 ? 7 : 10;
  const Ext txRef = Ext(16000000 / TxRefDiv);
  const double fTx = txFreq > 0 ? static_cast<double>(Ext(txFreq) + Ext(offset)) : RxFreq;

  // The word of the lower tone, 32 kHz below the centre, plus 0.5 for rounding.
  const double w =
      static_cast<double>((Ext(fTx) * Ext(1000000) - Ext(32000)) * Ext(16384) / txRef -
                          Ext(8192) + Ext(0.5));
  Freq2B = Trunc32(Ext(w) / Ext(65536));
  Freq1B = Trunc32((Ext(w) - Ext(Freq2B) * Ext(65536)) / Ext(256));
  Freq0B = Trunc32(Ext(w) - Ext(Freq2B) * Ext(65536) - Ext(Freq1B) * Ext(256));
  if (Freq0B == 256) {
    Freq0B = 0;
    ++Freq1B;
    if (Freq1B == 256) {
      Freq1B = 0;
      ++Freq2B;
    }
  }

  // The centre frequency the word really produces: half the separation is
  // added to the word before scaling and again, as 0.032 MHz, after it.
  const Ext halfSepWord = Ext(0.001L) * Ext(64) * Ext(0.5);
  const double t = static_cast<double>(
      (Ext(w) + Ext(8192) + halfSepWord) * (Ext(1) / Ext(16384)) * txRef * Ext(1e-6L) +
      Ext(kHalfSep));
  TxFreq = static_cast<double>(Ext(t) - Ext(offset));
}

template <typename Ext>
int32_t CC1000_Calc::FindRxSettingIn(double x) {
  LowSideLo = true;
  Ext best = Ext(x) * Ext(1000000);  // an error in Hz: any closer candidate wins
  for (int c : {-1, +1}) {
    for (int d = 1; d <= 16; ++d) {
      const double fRef = static_cast<double>(Ext(16) / Ext(d));
      const double g = static_cast<double>((Ext(x) * Ext(1000000) + Ext(c) * Ext(150000)) /
                                           (Ext(fRef) * Ext(1000000)));
      // The ratio rounded to a multiple of 0.5, a tie going down.
      const double twoG = static_cast<double>(Ext(2) * Ext(g));
      const Ext down = Ext(twoG) - Ext(std::floor(twoG));
      const Ext up = Ext(std::ceil(twoG)) - Ext(twoG);
      const double t = static_cast<double>(up >= down ? Ext(std::floor(twoG)) / Ext(2)
                                                      : Ext(std::ceil(twoG)) / Ext(2));
      double v = static_cast<double>(Ext(fRef) * Ext(t));  // local oscillator, MHz
      double w = static_cast<double>(Ext(v) - Ext(c) * Ext(kIf));  // radio frequency received

      if (!(Ext(kMinRef) <= Ext(fRef) && Ext(fRef) <= Ext(kMaxRef))) continue;
      double b = static_cast<double>(Ext(v) * Ext(16384) / Ext(fRef) - Ext(8192));
      const double dWord = static_cast<double>((Ext(w) * Ext(1000000) - Ext(32000)) *
                                                   Ext(16384) / (Ext(fRef) * Ext(1000000)) -
                                               Ext(8192));
      if (!(b >= kMinWord && b <= kMaxWord && dWord >= kMinWord && dWord <= kMaxWord)) continue;
      const Ext s = Ext(64000) * Ext(16384) / (Ext(fRef) * Ext(1000000));
      if (!(s >= Ext(0) && s <= Ext(2047))) continue;
      const Ext err = std::fabs(std::trunc(Ext(x) * Ext(1000000) - Ext(w) * Ext(1000000)));
      if (!(err < best)) continue;  // of equal candidates the first found stays

      best = err;
      if (c == +1) LowSideLo = false;
      if (!Optimised) {  // the choice stands; the registers take the exact ratio
        v = static_cast<double>(Ext(fRef) * Ext(g));
        w = static_cast<double>(Ext(v) - Ext(c) * Ext(kIf));
        b = static_cast<double>(Ext(v) * Ext(16384) / Ext(fRef) - Ext(8192));
      }
      RxFreq = w;
      RxRefDiv = d;
      // The word rounded to a multiple of 256; the low byte holds the side.
      Freq2A = Trunc32(Ext(b) / Ext(65536));
      const int32_t m = Trunc32((Ext(b) - Ext(Freq2A) * Ext(65536)) / Ext(256));
      const int32_t l = Trunc32(Ext(b) - Ext(Freq2A) * Ext(65536) - Ext(m) * Ext(256));
      Freq1A = l >= 256 - l ? m + 1 : m;
      if (Freq1A == 256) {
        Freq1A = 0;
        ++Freq2A;
      }
      Freq0A = 0;
    }
  }
  if (!LowSideLo) Freq0A = 1;
  return RxRefDiv;
}

std::string CC1000_Calc::TxFreqText() const { return FloatToStr(TxFreq); }

std::string CC1000_Calc::LoFreqText() {
  using Ext = long double;
  const Ext rf = Ext(RxFreq) + Ext(Offset);
  LoFreq = static_cast<double>(LowSideLo ? rf - Ext(kIf) - Ext(kSep) : rf + Ext(kSep));
  return FloatToStr(LoFreq);
}

std::string CC1000_Calc::HexByteText(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X", static_cast<uint32_t>(value));
  return text;
}

template void CC1000_Calc::CalculateIn<double>(double, double, double, bool);
template void CC1000_Calc::CalculateIn<long double>(double, double, double, bool);
