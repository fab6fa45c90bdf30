// The calculator's throughput: Calculate calls per second, and the channel
// scan's workload of 500 requests.
#include <chrono>

#include "cc1000_calc.h"
#include "measures.h"

namespace {

using Clock = std::chrono::steady_clock;

volatile int32_t gSink;  // keeps the results alive

}  // namespace

CalculatorFigures MeasureCalculator() {
  CC1000_Calc calc;
  CalculatorFigures figures;
  const int calls = 200000;
  auto t0 = Clock::now();
  for (int i = 0; i < calls; ++i) {
    calc.Calculate(433.92, 0, 0.07, true);
    gSink = calc.Freq1B;
  }
  figures.callsPerSecond = calls / std::chrono::duration<double>(Clock::now() - t0).count();

  const int scans = 200;
  t0 = Clock::now();
  for (int s = 0; s < scans; ++s) {
    for (int i = 0; i < 500; ++i) {
      calc.Calculate(433.3 + 0.001 * i, 0, 0, true);
      gSink = calc.RxRefDiv;
    }
  }
  figures.scanMicroseconds = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / scans;
  return figures;
}
