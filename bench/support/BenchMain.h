#pragma once
// Registration shared by the benchmark programs: every action at both sizes,
// in wall-clock milliseconds (writes wait for the disk), repeated so that
// run.sh can take the median on a machine shared with other work.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "support/Business.h"

namespace bench {
// ROTAWISE_BENCH_ONCE=1 runs every action once (for a profiler).
inline int times(int n) { return std::getenv("ROTAWISE_BENCH_ONCE") ? 1 : n; }
}  // namespace bench

// Registers `fn` at 500 employees and at 32,767, each with its own iteration
// count (a run at the largest size is slow to set up: its windows read the
// whole table before the timed click).
#define ROTAWISE_ACTION(fn, smallIterations, largeIterations)                              \
  BENCHMARK(fn)                                                                            \
      ->Arg(::bench::kSmall)                                                               \
      ->Iterations(::bench::times(smallIterations))                                                        \
      ->Repetitions(::bench::times(5))                                                                     \
      ->ReportAggregatesOnly(true)                                                         \
      ->UseRealTime()                                                                      \
      ->Unit(benchmark::kMillisecond);                                                     \
  BENCHMARK(fn)                                                                            \
      ->Arg(::bench::kLargest)                                                             \
      ->Iterations(::bench::times(largeIterations))                                                        \
      ->Repetitions(::bench::times(3))                                                                     \
      ->ReportAggregatesOnly(true)                                                         \
      ->UseRealTime()                                                                      \
      ->Unit(benchmark::kMillisecond)
