// The joined frequency and effective-mass tables: the documented cases, then invariants that must
// hold on any generated report.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "driver/file_slots.h"
#include "extract/extract.h"
#include "report_generator.h"
#include "support.h"
#include "tables/mass_tables.h"

using namespace testing_support;

namespace {

const std::string HEADINGS =
    "                   R E A L   E I G E N V A L U E S\n \n   MODE   EIGENVALUE   RADIANS   CYCLES\n  NUMBER\n";
const std::string MEM_TITLE =
    "                   M O D A L   E F F E C T I V E   M A S S\n   MODE   T1   T2   T3   R1   R2   R3\n";

// An eigenvalue table with these frequencies, then an effective mass table with these rows.
std::string report_with(const std::vector<std::string> &frequencies, const std::string &mass_rows) {
  std::string text = HEADINGS;
  for (std::size_t i = 0; i < frequencies.size(); ++i)
    text += "  " + std::to_string(i + 1) + "  1.0E+00  1.0E+00  " + frequencies[i] + "\n";
  return text + " MAX\n" + MEM_TITLE + mass_rows;
}

std::vector<std::string> lines_of(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

std::vector<std::string> fields_of(const std::string &line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; in >> f;) fields.push_back(f);
  return fields;
}

}  // namespace

TEST(MassTables, ThreeFormsOfOneRow) {
  Outcome o = run_report(report_with({"1.0E+01", "2.55E+01"},
                                     "      2   1.0E-02   2.0E-02   0.0   0   0.0E+00   4.0E-03\n"
                                     "  TOTAL   1.0E-02   2.0E-02   0.0   0   0.0E+00   4.0E-03\n"));
  EXPECT_EQ(" 2 \t    25.5000 \t 3.8600e+000 \t 7.7200e+000 \t 0.0000e+000 \n", o.files["fn_mem.out"]);
  EXPECT_EQ(" 2 \t    25.5000 \t 1.0000e-002 \t 2.0000e-002 \t 0.0000e+000 \n", o.files["fn_mem_u.out"]);
  EXPECT_EQ(
      " 2 \t    25.5000 \t 3.8600e+000 \t 7.7200e+000 \t 0.0000e+000 \t 0.0000e+000 \t 0.0000e+000 \t 1.5440e+000 \n",
      o.files["fn_mem_386.out"]);
}

TEST(MassTables, ModeNumbersComeFromTheRows) {
  std::string rows = "  1  1.0E-02 0 0 0 0 0\n  2  2.0E-02 0 0 0 0 0\n  4  4.0E-02 0 0 0 0 0\n  3  3.0E-02 0 0 0 0 0\n";
  Outcome four = run_report(report_with({"1.0E+01", "2.0E+01", "3.0E+01", "4.0E+01"}, rows));
  EXPECT_EQ(
      " 1 \t    10.0000 \t 1.0000e-002 \t 0.0000e+000 \t 0.0000e+000 \n"
      " 2 \t    20.0000 \t 2.0000e-002 \t 0.0000e+000 \t 0.0000e+000 \n"
      " 4 \t    40.0000 \t 4.0000e-002 \t 0.0000e+000 \t 0.0000e+000 \n"
      " 3 \t    30.0000 \t 3.0000e-002 \t 0.0000e+000 \t 0.0000e+000 \n",
      four.files["fn_mem_u.out"]);
  // With three frequencies the row of mode 4 ends all three tables; mode 3 after it is not read.
  Outcome three = run_report(report_with({"1.0E+01", "2.0E+01", "3.0E+01"}, rows));
  EXPECT_EQ(
      " 1 \t    10.0000 \t 1.0000e-002 \t 0.0000e+000 \t 0.0000e+000 \n"
      " 2 \t    20.0000 \t 2.0000e-002 \t 0.0000e+000 \t 0.0000e+000 \n",
      three.files["fn_mem_u.out"]);
  EXPECT_EQ(2u, lines_of(three.files["fn_mem.out"]).size());
  EXPECT_EQ(2u, lines_of(three.files["fn_mem_386.out"]).size());
}

TEST(MassTables, RowsWithoutAModeOrSixNumbersArePassedOver) {
  std::string rows =
      "  0  1.0E-02 0 0 0 0 0\n"
      " -1  1.0E-02 0 0 0 0 0\n"
      "  1  1.0E-02 0 0 0 0\n"  // five numbers
      "  x  1.0E-02 0 0 0 0 0\n"
      "  2  1.0E-02 0 0 abc 0 0\n"
      "  1  1.5E-02 0 0 0 0 0\n"
      "  2  1.0D-02 0 0 0 0 0\n"  // D is no exponent letter here: 1.0, then "D-02" is no number
      "  TOTAL  1.0E-02 0 0 0 0 0\n";
  Outcome o = run_report(report_with({"1.0E+01", "2.0E+01"}, rows));
  EXPECT_EQ(" 1 \t    10.0000 \t 1.5000e-002 \t 0.0000e+000 \t 0.0000e+000 \n", o.files["fn_mem_u.out"]);
  EXPECT_EQ(0, o.status);
}

TEST(MassTables, NoFrequenciesNoRows) {
  Outcome o = run_report(MEM_TITLE + "  1  1.0E-02 0 0 0 0 0\n  TOTAL 1.0E-02 0 0 0 0 0\n");
  EXPECT_NE("", o.files["mem.out"]);
  for (const char *name : {"fn_mem.out", "fn_mem_u.out", "fn_mem_386.out"}) EXPECT_EQ("", o.files[name]) << name;
}

TEST(MassTables, MemOutThatCannotBeReopenedFailsTheRun) {
  modalyx::reset_file_slots();
  modalyx::reset_extract();
  std::snprintf(modalyx::file_names[modalyx::SLOT_MEM].data(), modalyx::NAME_SIZE, "%s", "/nonexistent/mem.out");
  for (int slot : {modalyx::SLOT_FN_MEM, modalyx::SLOT_FN_MEM_U, modalyx::SLOT_FN_MEM_386})
    modalyx::file_slots[static_cast<std::size_t>(slot)] = std::tmpfile();
  testing::internal::CaptureStdout();
  modalyx::build_mass_tables();
  EXPECT_EQ(" Failed to reopen file: /nonexistent/mem.out \n", testing::internal::GetCapturedStdout());
  EXPECT_TRUE(modalyx::run_failed);
  for (int slot : {modalyx::SLOT_FN_MEM, modalyx::SLOT_FN_MEM_U, modalyx::SLOT_FN_MEM_386})
    EXPECT_EQ(0, std::ftell(modalyx::file_slots[static_cast<std::size_t>(slot)]));
  modalyx::reset_file_slots();
}

namespace {

// What must hold for any report.
void check_invariants(const GeneratedReport &report, Outcome o, const std::string &what) {
  std::vector<std::string> fn = lines_of(o.files["fn.out"]);
  std::vector<std::string> joined = lines_of(o.files["fn_mem.out"]);
  std::vector<std::string> unscaled = lines_of(o.files["fn_mem_u.out"]);
  std::vector<std::string> scaled = lines_of(o.files["fn_mem_386.out"]);
  ASSERT_EQ(joined.size(), unscaled.size()) << what;
  ASSERT_EQ(joined.size(), scaled.size()) << what;
  for (std::size_t i = 0; i < joined.size(); ++i) {
    std::vector<std::string> a = fields_of(joined[i]);
    std::vector<std::string> u = fields_of(unscaled[i]);
    std::vector<std::string> s = fields_of(scaled[i]);
    ASSERT_EQ(5u, a.size()) << what << ": " << joined[i];
    ASSERT_EQ(5u, u.size()) << what << ": " << unscaled[i];
    ASSERT_EQ(8u, s.size()) << what << ": " << scaled[i];
    EXPECT_EQ(a[0], u[0]) << what;
    EXPECT_EQ(a[0], s[0]) << what;
    for (std::size_t k = 1; k < 5; ++k) EXPECT_EQ(a[k], s[k]) << what;  // the same numbers, the same forms
    std::size_t mode = std::stoul(a[0]);
    ASSERT_GE(mode, 1u);
    ASSERT_LE(mode, fn.size()) << what;
    std::vector<std::string> fn_fields = fields_of(fn[mode - 1]);
    EXPECT_EQ(a[0], fn_fields[0]) << what;
    EXPECT_NEAR(std::stod(fn_fields[1]), std::stod(a[1]), 0.005 + 1e-9) << what << ": mode " << mode;
    for (std::size_t k = 0; k < 6; ++k) {
      double expected = 386 * report.masses[mode - 1][k];
      EXPECT_NEAR(expected, std::stod(s[k + 2]), 5e-5 * std::fabs(expected)) << what << ": mode " << mode;
      if (k < 3) {
        EXPECT_NEAR(report.masses[mode - 1][k], std::stod(u[k + 2]), 5e-5 * report.masses[mode - 1][k]) << what;
      }
    }
  }
  // Every data row of the report is unique, so no output may hold one twice.
  for (const char *name : OUTPUT_NAMES) {
    std::map<std::string, int> seen;
    for (const std::string &line : lines_of(o.files[name])) {
      bool row = line.find("E+") != std::string::npos || line.find("E-") != std::string::npos;
      if (row && line.find("FREE-FREE") == std::string::npos && line.find("TOTAL") == std::string::npos) {
        EXPECT_EQ(1, ++seen[line]) << what << ": " << name << " repeats " << line;
      }
    }
  }
}

}  // namespace

TEST(MassTables, InvariantsOnGeneratedReports) {
  struct Case {
    const char *what;
    ReportShape shape;
    int rows;  // table lines expected; -1: some, not all
  } cases[] = {
      {"300 modes, page headings", {300, 50, false, "MEPF", '\0', 0, 1}, 300},
      {"CRLF", {40, 30, true, "MEPF", '\0', 0, 2}, 40},
      {"cut inside the effective masses", {60, 25, false, "MEPF", 'F', 20, 3}, -1},
      {"cut inside the eigenvalues", {60, 25, false, "MFEP", 'E', 30, 4}, -1},
      {"effective masses first", {30, 0, false, "FPEM", '\0', 0, 5}, 30},
      {"no eigenvalues", {30, 20, true, "MPF", '\0', 0, 6}, 0},
      {"more modes than the copy takes", {700, 0, false, "EF", '\0', 0, 7}, -1},
      {"cut inside the mass summary", {10, 0, false, "EPFM", 'M', 3, 8}, 10},
  };
  for (const Case &c : cases) {
    GeneratedReport report = generate_report(c.shape);
    Outcome o = run_report(report.text);
    EXPECT_EQ(0, o.status) << c.what;
    check_invariants(report, o, c.what);
    auto rows = static_cast<int>(lines_of(o.files["fn_mem.out"]).size());
    if (c.rows >= 0) {
      EXPECT_EQ(c.rows, rows) << c.what;
    } else {
      EXPECT_GT(rows, 0) << c.what;  // the invariants were tested on something
      EXPECT_LT(rows, c.shape.modes) << c.what;
    }
  }
}
