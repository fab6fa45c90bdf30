// The CC1000 calculator with arbitrary doubles (NaN, infinities, huge and
// tiny values): every register text stays a short hexadecimal text and the
// frequency texts stay decimal or "NAN"/"INF".
#include <cstdlib>

#include "cc1000_calc.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  CC1000_Calc calc;
  while (!in.Empty()) {
    const double rx = in.Value<double>(), tx = in.Value<double>(), offset = in.Value<double>();
    calc.Calculate(rx, tx, offset, in.Byte() & 1);
    for (const std::string& text : {calc.Freq2AText(), calc.Freq1AText(), calc.Freq0AText(),
                                    calc.Freq2BText(), calc.Freq1BText(), calc.Freq0BText(),
                                    calc.RxPllText(), calc.TxPllText()}) {
      if (text.size() < 2 || text.size() > 8) std::abort();
    }
    if (calc.TxFreqText().empty() || calc.LoFreqText().empty()) std::abort();
    calc.FindRxSetting(rx);
  }
  return 0;
}
