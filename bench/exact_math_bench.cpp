// The correctly rounded sine and power: one call on the engine's arguments,
// and building the sine and the two power tables whole, as an instance does.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/correctly_rounded.h"
#include "tests/support/exact_math_cases.h"

namespace {

using namespace exact_math_cases;

void BM_SinOfSineTableArgument(benchmark::State& state) {
    const std::vector<double> arguments = sineTableArguments();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(correctlyRoundedSin(arguments[i]));
        i = i + 1 == arguments.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_SinOfSineTableArgument);

void BM_PowOfPowerTableArgument(benchmark::State& state) {
    const std::vector<PowerArguments> arguments = powerTableArguments();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(correctlyRoundedPow(arguments[i].base, arguments[i].exponent));
        i = i + 1 == arguments.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_PowOfPowerTableArgument);

// A parameter value in [0, 1] to each per-block exponent.
void BM_PowOfParameter(benchmark::State& state) {
    const double exponent = kBlockExponents[state.range(0)];
    std::vector<double> values;
    for (int i = 1; i <= 1000; ++i) {
        values.push_back(static_cast<float>(i) * 0.001f);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(correctlyRoundedPow(values[i], exponent));
        i = i + 1 == values.size() ? 0 : i + 1;
    }
    state.SetLabel(exponent == 0.2 ? "y = 0.2" : exponent == 3.0 ? "y = 3" : exponent == 5.0 ? "y = 5" : "y = 2");
}
BENCHMARK(BM_PowOfParameter)->DenseRange(0, 3);

void BM_BuildSineAndPowerTables(benchmark::State& state) {
    const std::vector<double> sineArguments = sineTableArguments();
    const std::vector<PowerArguments> powerArguments = powerTableArguments();
    std::vector<double> table(sineArguments.size() + powerArguments.size());
    for (auto _ : state) {
        std::size_t n = 0;
        for (const double x : sineArguments) {
            table[n++] = correctlyRoundedSin(x);
        }
        for (const PowerArguments& a : powerArguments) {
            table[n++] = correctlyRoundedPow(a.base, a.exponent);
        }
        benchmark::DoNotOptimize(table.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildSineAndPowerTables)->Unit(benchmark::kMillisecond);

} // namespace
