// The cost of reading and printing one number, for typical and extreme texts.

#include "pages/NumberText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void ParseTypical(benchmark::State& state) {
    const std::u16string text = u"1.600000";
    for (auto _ : state) benchmark::DoNotOptimize(ParseNumberText(text));
}
BENCHMARK(ParseTypical);

void ParseWithTail(benchmark::State& state) {
    const std::u16string text = u"  +.5e+1 mm";
    for (auto _ : state) benchmark::DoNotOptimize(ParseNumberText(text));
}
BENCHMARK(ParseWithTail);

void ParseLongPaste(benchmark::State& state) {
    const std::u16string text = u"1" + std::u16string(32766, u'0');
    for (auto _ : state) benchmark::DoNotOptimize(ParseNumberText(text));
}
BENCHMARK(ParseLongPaste);

void FormatTypical(benchmark::State& state) {
    double value = 25.4;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatValue(value));
        value += 1e-9;
    }
}
BENCHMARK(FormatTypical);

void FormatHuge(benchmark::State& state) {
    const double value = 1.633123935319537e16;
    for (auto _ : state) benchmark::DoNotOptimize(FormatValue(value));
}
BENCHMARK(FormatHuge);

}  // namespace

BENCHMARK_MAIN();
