// Every text-to-number conversion the pages use, on any text: a value or the
// conversion error, never anything else; decimal text of a number reads back
// to the same number.
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "convert.h"
#include "custom_baud.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string text = in.Rest();
  try {
    StrToInt(text);
  } catch (const EConvertError&) {
  }
  double value = 0;
  const bool isNumber = TryStrToFloat(text, &value);
  try {
    if (StrToFloat(text) != value && !std::isnan(value)) std::abort();
    if (!isNumber) std::abort();
  } catch (const EConvertError&) {
    if (isNumber) std::abort();
  }
  if (isNumber && std::isfinite(value)) {
    // Fifteen significant digits read back within their precision.
    double back = 0;
    if (!TryStrToFloat(FloatToStr(value), &back)) std::abort();
    if (std::fabs(back - value) > std::fabs(value) * 1e-14) std::abort();
  }
  IsHexText(text);
  if (size >= sizeof(int)) {
    FuzzInput numbers(data, size);
    const int rate = numbers.Value<int>();
    try {
      ClosestQuarterStepRate(rate);
    } catch (const std::domain_error&) {
    }
    if (rate > 0) CustomBaudBytes(rate);
  }
  return 0;
}
