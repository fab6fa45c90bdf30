// Calculator benchmark: Calculate calls per second, and the channel-scan
// workload (500 receive frequencies from 433.3 MHz upward in 1 kHz steps,
// optimised, as the scan tool asks them).
#include <benchmark/benchmark.h>

#include "cc1000_calc.h"

namespace {

void BM_Calculate(benchmark::State& state) {
  CC1000_Calc calc;
  for (auto _ : state) {
    calc.Calculate(433.92, 0, 0.07, true);
    benchmark::DoNotOptimize(calc.Freq1B);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Calculate);

void BM_ChannelScan(benchmark::State& state) {
  CC1000_Calc calc;
  const int steps = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < steps; ++i) {
      calc.Calculate(433.3 + 0.001 * i, 0, 0, true);
      benchmark::DoNotOptimize(calc.RxFreq);
    }
  }
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(BM_ChannelScan)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
