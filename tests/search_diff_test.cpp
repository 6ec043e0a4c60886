// The block search must give what the plain line-by-line search gives, byte for byte: every output
// file and the console, on fixtures, real reports, the fuzz corpus, generated and crafted reports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/file_slots.h"
#include "extract/line_scan.h"
#include "report_generator.h"
#include "support.h"

using namespace testing_support;

namespace {

// Console and outputs of the passes on one report, run in this process.
std::string run_in_process(const std::string &report, bool block) {
  ScratchDir dir;
  std::string here = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.path);
  modalyx::reset_run_state();
  modalyx::block_search = block;
  std::snprintf(modalyx::file_names[modalyx::SLOT_INPUT].data(), modalyx::NAME_SIZE, "%s", report.c_str());
  testing::internal::CaptureStdout();
  modalyx::run_passes();
  std::fflush(stdout);
  std::string all = testing::internal::GetCapturedStdout();
  for (const char *name : OUTPUT_NAMES) all += std::string("\n=== ") + name + "\n" + read_file(name);
  std::filesystem::current_path(here);
  modalyx::block_search = true;
  return all;
}

void expect_same(const std::string &report) {
  EXPECT_EQ(run_in_process(report, false), run_in_process(report, true)) << report;
}

std::vector<std::string> files_in(const std::string &folder) {
  std::vector<std::string> files;
  if (std::filesystem::is_directory(folder))
    for (const auto &entry : std::filesystem::directory_iterator(folder))
      if (entry.is_regular_file() && entry.path().filename() != "SOURCES.md") files.push_back(entry.path().string());
  return files;
}

}  // namespace

TEST(BlockSearch, SameAsPlainOnStoredReports) {
  std::vector<std::string> reports = {source_path("examples/bracket.out")};
  for (const char *folder : {"tests/reports", "fuzz/corpus", "tests/fixtures/fuzz"})
    for (const std::string &file : files_in(source_path(folder))) reports.push_back(file);
  for (const std::string &report : reports) expect_same(report);
}

TEST(BlockSearch, SameAsPlainOnGeneratedReports) {
  ScratchDir dir;
  const ReportShape shapes[] = {
      {3000, 55, false, "MEPF", '\0', 0, 11},  // over a megabyte: lines cross block boundaries
      {200, 40, true, "FPEM", '\0', 0, 12},   {50, 20, false, "MPF", '\0', 0, 13},
      {80, 30, false, "EFPM", 'P', 40, 14},   {80, 0, true, "MEPF", 'M', 2, 15},
  };
  for (const ReportShape &shape : shapes) {
    write_file(dir / "r.out", generate_report(shape).text);
    expect_same(dir / "r.out");
  }
}

// Markers next to the 199-character piece boundaries and zero bytes, and lines longer than a block.
TEST(BlockSearch, SameAsPlainOnCraftedReports) {
  const std::string eigen = "R E A L   E I G E N V A L U E S";
  const std::string tail = "\n \n MODE CYCLES\n NUMBER\n 1 a b 1.0E+01\n MAX\n P A R T\n h\n 1 E\n \n";
  std::vector<std::string> reports = {
      std::string(190, ' ') + eigen + tail,                 // split by the boundary: not found
      std::string(199, ' ') + eigen + tail,                 // starts the second piece
      std::string(199 - eigen.size(), ' ') + eigen + tail,  // ends the first piece
      std::string(398, '-') + eigen + "  E F F E C T I V E" + tail,
      std::string("ab\0", 3) + eigen + tail + std::string("x\0P A R T\n", 10),  // after a zero byte
      std::string(600000, 'x') + "\n" + eigen + tail,                           // a line longer than a block
      std::string(262143, 'y') + "\n" + eigen + tail,                           // a line ending at the block's end
      eigen + tail + " CENTER OF MASS",                                         // marker on the last line, no line feed
      eigen,                                                                    // the title is the whole report
      "",
  };
  ScratchDir dir;
  for (const std::string &report : reports) {
    write_file(dir / "r.out", report);
    expect_same(dir / "r.out");
  }
}
