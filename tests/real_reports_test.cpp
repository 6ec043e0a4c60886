// Real solver reports from public sources (tests/reports/SOURCES.md). Their tables are laid out a
// little differently from what the program looks for, so most give empty files; what they must give
// is worked out here from the report's own lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support.h"

using namespace testing_support;

namespace {

const std::string NOTHING_FOUND = "\n ref 1 \n\n\n ref 2 \n\n\n in pf \n\n ref 3 \n\n\n ref 4 \n\n\n\n";

std::string report_text(const std::string &name) { return read_file(source_path("tests/reports/" + name)); }

// The report's lines, each with its line feed (and carriage return) kept.
std::vector<std::string> lines_of(const std::string &text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(at, end - at));
    at = end;
  }
  return lines;
}

}  // namespace

// No eigenvalue table passes both heading tests, no effective mass table and no "CENTER OF MASS".
TEST(RealReports, WithoutTheSectionsAllFilesStayEmpty) {
  for (const char *name : {"msc-70.7.2_dakota-cylinder_modes.f06", "msc-2012.1_cofe-joined-wing_modes.f06",
                           "msc-2013.0_cofe-ten-bar_modes.f06", "msc-2019.0_cofe-superelement-cb_modes.f06",
                           "nx-12.0.2_cofe-svanberg-beam_modes.f06"}) {
    Outcome o = run_report(report_text(name));
    EXPECT_EQ(0, o.status) << name;
    EXPECT_EQ(full_transcript("r.out", NOTHING_FOUND), o.console) << name;
    for (const char *output : OUTPUT_NAMES) EXPECT_EQ("", o.files[output]) << name << ": " << output;
  }
}

// The mass summary at line 547; the fifth line is "Z 9.013320E-05 ...": 9.013320E-05 x 386.04 lbm.
TEST(RealReports, MassSummaryOfTheStaticRun) {
  std::vector<std::string> lines = lines_of(report_text("adsk-nastran-13.2_nonlinear-beam_static.out"));
  ASSERT_NE(std::string::npos, lines[546].find("CENTER OF MASS"));
  for (std::size_t i = 0; i < 546; ++i) ASSERT_EQ(std::string::npos, lines[i].find("CENTER OF MASS"));
  std::string echoed;
  std::string shown;
  for (std::size_t i = 546; i <= 550; ++i) {
    echoed += lines[i] + " \n";
    shown += " " + lines[i] + " ";
  }
  Outcome o = run_report(report_text("adsk-nastran-13.2_nonlinear-beam_static.out"));
  EXPECT_EQ(0, o.status);
  EXPECT_EQ(echoed + "\n\n mass =        0.035 lbm\n", o.files["mass.out"]);
  std::string passes =
      "\n ref 1 \n\n\n ref 2 \n\n\n in pf \n\n ref 3 \n\n\n ref 4 \n\n" + shown + "\n\n mass =        0.035 lbm\n\n\n";
  EXPECT_EQ(full_transcript("r.out", passes), o.console);
  for (const char *output : {"fn.out", "mem.out", "pf.out", "fn_mem.out", "fn_mem_u.out", "fn_mem_386.out"})
    EXPECT_EQ("", o.files[output]) << output;
}

// The eigenvalue table's second heading line lacks "CYCLES", so the first pass reads to the end and
// the participation table is not found; the effective mass table (line 2300, after a "TOTAL NUMBER"
// line) has no "TOTAL" row, so it is copied to the end of the report.
TEST(RealReports, EffectiveMassesRunToTheEndOfTheReport) {
  std::string text = report_text("mystran-11.0_bar-cantilever-lanczos_modes.f06");
  std::vector<std::string> lines = lines_of(text);
  ASSERT_NE(std::string::npos, lines[2299].find("E F F E C T I V E"));
  std::string expected = lines[2299] + " ";
  for (std::size_t i = 2300; i < lines.size(); ++i) {
    ASSERT_LT(lines[i].size(), 200u);
    ASSERT_EQ(std::string::npos, lines[i].find("TOTAL"));
    expected += lines[i] + " \n";
  }
  Outcome o = run_report(text);
  EXPECT_EQ(0, o.status);
  EXPECT_EQ(expected, o.files["mem.out"]);
  EXPECT_EQ(full_transcript("r.out", NOTHING_FOUND), o.console);
  for (const char *output : {"fn.out", "mass.out", "pf.out", "fn_mem.out", "fn_mem_u.out", "fn_mem_386.out"})
    EXPECT_EQ("", o.files[output]) << output;
}
