// The CC1000 register calculator against its worked examples and edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cc1000_calc.h"
#include "convert.h"

namespace {

struct Request {
  double rx, tx, offset;
  bool optimised;
};

std::string Describe(const Request& r) {
  return "Calculate(" + FloatToStr(r.rx) + ", " + FloatToStr(r.tx) + ", " + FloatToStr(r.offset) +
         (r.optimised ? ", true)" : ", false)");
}

// "2A 1A 0A RxPLL / 2B 1B 0B TxPLL", the entries a channel table holds.
std::string Registers(const CC1000_Calc& c) {
  return c.Freq2AText() + " " + c.Freq1AText() + " " + c.Freq0AText() + " " + c.RxPllText() +
         " / " + c.Freq2BText() + " " + c.Freq1BText() + " " + c.Freq0BText() + " " +
         c.TxPllText();
}

TEST(CC1000Calc, WorkedExamplesAndEdgeCases) {
  struct Case {
    Request request;
    const char* registers;
    const char* txFreq;  // "" where only the registers are given
    const char* loFreq;
  };
  const Case cases[] = {
      {{433.92, 0, 0.06, true}, "65 A0 01 78 / 43 AE 0E 50", "433.923385286458", "434.107333333333"},
      {{433.92, 0, 0, true}, "5E C0 00 70 / 43 A9 4B 50", "433.864337667411", "433.650285714286"},
      {{433.92, 0, 0, false}, "5E C3 00 70 / 43 AB 85 50", "433.920051953125", "433.706"},
      {{433.92, 433.95, 0, false}, "5E C3 00 70 / 43 AC B8 50", "433.950051953125", "433.706"},
      {{869.85, 0, 0, true}, "6C A0 01 40 / 5F 02 E8 38", "869.850074218741", "869.914"},
      // The middle receive byte rounds up to 256 and carries into the high byte.
      {{433.6866, 0, 0, false}, "58 00 01 68 / ", "", ""},
      // Two dividers receive the same frequency; the last bits of the error decide.
      {{433.355, 433.355, 0.07, true}, "65 80 01 78 / 43 97 B8 50", "", ""},
      {{433.66, 433.66, 0.07, true}, "43 A0 00 50 / 43 A3 EC 50", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.request));
    CC1000_Calc calc;
    calc.Calculate(c.request.rx, c.request.tx, c.request.offset, c.request.optimised);
    const std::string registers = Registers(calc);
    EXPECT_EQ(registers.substr(0, std::string(c.registers).size()), c.registers);
    if (*c.txFreq) {
      EXPECT_EQ(calc.TxFreqText(), c.txFreq);
    }
    if (*c.loFreq) {
      EXPECT_EQ(calc.LoFreqText(), c.loFreq);
      EXPECT_EQ(FloatToStr(calc.LoFreq), c.loFreq);
    }
    EXPECT_EQ(calc.Freq0AText(), calc.LowSideLo ? "00" : "01");
  }
}

TEST(CC1000Calc, FirstRowSearchInDetail) {
  CC1000_Calc calc;
  calc.Optimised = true;
  EXPECT_EQ(calc.FindRxSetting(433.98), 15);
  EXPECT_FALSE(calc.LowSideLo);  // local oscillator above: ratio 407, 434.1333 MHz
  EXPECT_NEAR(calc.RxFreq, 433.983333333333, 1e-9);
}

TEST(CC1000Calc, TransmitDividerFollowsTheRequestWithoutOffset) {
  const std::pair<Request, const char*> cases[] = {
      {{500, 0, 0, true}, "38"},
      {{499.999, 0, 0, true}, "50"},
      {{499.95, 0, 0.07, true}, "50"},  // 500.02 with the offset: still below
  };
  for (const auto& [request, pll] : cases) {
    CC1000_Calc calc;
    calc.Calculate(request.rx, request.tx, request.offset, request.optimised);
    EXPECT_EQ(calc.TxPllText(), pll) << Describe(request);
  }
}

TEST(CC1000Calc, FailedReceiveSearchKeepsTheReceiveSide) {
  CC1000_Calc calc;
  calc.Calculate(0, 0, 0, true);  // nothing passes: all stays zero
  EXPECT_EQ(Registers(calc).substr(0, 11), "00 00 00 00");
  EXPECT_TRUE(calc.LowSideLo);

  calc.Calculate(433.92, 0, 0.06, true);
  const double rxFreq = calc.RxFreq;
  calc.Calculate(10, 0, 0, true);  // below the bands
  EXPECT_EQ(calc.RxFreq, rxFreq);
  EXPECT_TRUE(calc.LowSideLo);
  // The transmit side follows the RxFreq left by the earlier call.
  EXPECT_EQ(Registers(calc), "65 A0 01 78 / 43 AE 0E 50");
}

TEST(CC1000Calc, TransmitBytesOutsideAByteAreFormattedInFull) {
  CC1000_Calc calc;
  calc.Calculate(433.92, 0.001, 0, true);  // a transmit frequency near 0
  EXPECT_EQ(calc.Freq2BText(), "00");
  EXPECT_EQ(calc.Freq1BText(), "FFFFFFDF");  // -33
  EXPECT_EQ(calc.Freq0BText(), "FFFFFFC4");  // -60
  calc.Calculate(433.92, 1700, 0, true);      // above 1 639 MHz with divider 10
  EXPECT_EQ(calc.Freq2BText(), "109");
  EXPECT_EQ(CC1000_Calc::HexByteText(7), "07");
  EXPECT_EQ(CC1000_Calc::HexByteText(4095), "FFF");
}

TEST(CC1000Calc, RequestsFarOutsideTheBandsAreHarmless) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double bad : {0.0, -433.92, 1e300, -1e300, inf, -inf, nan, 1e-320}) {
    SCOPED_TRACE(bad);
    CC1000_Calc calc;
    calc.Calculate(433.92, 0, 0, true);
    const std::string receive = Registers(calc).substr(0, 11);
    calc.Calculate(bad, 0, 0, true);
    EXPECT_EQ(Registers(calc).substr(0, 11), receive);  // no receive setting: kept
    EXPECT_TRUE(calc.LowSideLo);
    calc.Calculate(433.92, bad, bad, false);
    EXPECT_FALSE(calc.TxFreqText().empty());
    EXPECT_FALSE(calc.LoFreqText().empty());
    EXPECT_FALSE(calc.Freq2BText().empty());
  }
}

// The same arithmetic in plain double, to show that the format matters.
class PlainDoubleCalc : public CC1000_Calc {
 public:
  void CalculateInDouble(const Request& r) {
    CalculateIn<double>(r.rx, r.tx, r.offset, r.optimised);
  }
};

TEST(CC1000Calc, ExtendedPrecisionDecidesTies) {
  for (const Request& r : {Request{433.355, 433.355, 0.07, true}, Request{433.66, 433.66, 0.07, true}}) {
    SCOPED_TRACE(Describe(r));
    CC1000_Calc extended;
    extended.Calculate(r.rx, r.tx, r.offset, r.optimised);
    PlainDoubleCalc plain;
    plain.CalculateInDouble(r);
    EXPECT_NEAR(plain.RxFreq, extended.RxFreq, 1e-9);  // the same frequency …
    EXPECT_NE(Registers(plain), Registers(extended));  // … reached by the other divider
    EXPECT_NE(plain.RxRefDiv, extended.RxRefDiv);
  }
}

TEST(FloatToStr, FifteenSignificantDigits) {
  const std::pair<double, const char*> cases[] = {
      {433.92338528645833, "433.923385286458"}, {433.706, "433.706"}, {434, "434"},
      {0.5, "0.5"}, {-1.25, "-1.25"}, {0.0, "0"}, {-0.0, "0"}, {41, "41"}, {2.5, "2.5"},
      {1e-5, "1E-5"}, {1.5e20, "1.5E20"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FloatToStr(value), text);
}

}  // namespace
