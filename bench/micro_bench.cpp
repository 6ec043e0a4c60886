// Micro-benchmarks of the search primitive (block and plain) and of the number forms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "driver/file_slots.h"
#include "extract/line_scan.h"
#include "extract/number_forms.h"

namespace {

// About 12 MB of element output with page headings, and no marker.
std::FILE *sample_report() {
  static std::FILE *report = [] {
    std::FILE *f = std::tmpfile();
    char line[200];
    for (int e = 1; e <= 100000; ++e) {
      if (e % 50 == 0) std::fputs(" \n   12/11/26  10:14  NE/NASTRAN VERSION 9.2  PAGE 1\n \n", f);
      std::snprintf(line, sizeof line, "      %8d   CQUAD4   %13.6E  %13.6E  %13.6E  %13.6E  %13.6E  %13.6E\n", e,
                    e * 0.001, -e * 0.0007, e * 0.0003, 1.5, -2.25, e * 0.01);
      std::fputs(line, f);
    }
    return f;
  }();
  return report;
}

void search(benchmark::State &state, bool block) {
  modalyx::reset_line_scan();
  modalyx::file_slots[modalyx::SLOT_INPUT] = sample_report();
  modalyx::block_search = block;
  for (auto _ : state) {
    modalyx::rewind_input();
    modalyx::scan_count = 0;
    benchmark::DoNotOptimize(modalyx::find_line_with("E F F E C T I V E", 2000000));
  }
  std::fseek(sample_report(), 0, SEEK_END);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * std::ftell(sample_report()));
  modalyx::file_slots[modalyx::SLOT_INPUT] = nullptr;
  modalyx::block_search = true;
}

void BM_BlockSearch(benchmark::State &state) { search(state, true); }
void BM_PlainSearch(benchmark::State &state) { search(state, false); }

void BM_FormatFixed(benchmark::State &state) {
  char out[modalyx::FORM_SIZE];
  double v = 123.456789;
  for (auto _ : state) {
    benchmark::DoNotOptimize(modalyx::format_fixed(out, v, 10, 4));
    v += 0.001;
  }
}

void BM_FormatExp(benchmark::State &state) {
  char out[modalyx::FORM_SIZE];
  double v = 1.23456e-7;
  for (auto _ : state) {
    benchmark::DoNotOptimize(modalyx::format_exp(out, v * 386, 10, 4));
    v *= 1.0001;
  }
}

void BM_ReadNumber(benchmark::State &state) {
  double v = 0;
  for (auto _ : state) benchmark::DoNotOptimize(modalyx::read_number("  -1.234567E-03 rest", &v, true));
}

}  // namespace

BENCHMARK(BM_BlockSearch);
BENCHMARK(BM_PlainSearch);
BENCHMARK(BM_FormatFixed);
BENCHMARK(BM_FormatExp);
BENCHMARK(BM_ReadNumber);
BENCHMARK_MAIN();
