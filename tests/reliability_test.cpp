// Faults of the surroundings and hostile report contents: each ends with defined outputs, a clear
// message where something failed, and the right exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support.h"

using namespace testing_support;

namespace {

std::string opened_up_to(int slots) {
  std::string t = "\n File: r.out opened. \n";
  for (int i = 0; i < slots; ++i) t += std::string(" File: ") + OUTPUT_NAMES[i] + " opened. \n";
  return t;
}

std::string example() { return read_file(source_path("examples/bracket.out")); }

}  // namespace

TEST(Surroundings, EachOutputNameInTurnUnwritable) {
  for (int k = 0; k < 7; ++k) {
    ScratchDir dir;
    std::filesystem::permissions(dir.path, std::filesystem::perms::all);
    write_file(dir / "r.out", example());
    write_file(dir / OUTPUT_NAMES[k], "kept\n");
    std::filesystem::permissions(dir / OUTPUT_NAMES[k], std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::group_read |
                                                            std::filesystem::perms::others_read);
#ifdef _WIN32
    if (std::FILE *probe = std::fopen((dir / OUTPUT_NAMES[k]).c_str(), "a")) {
      std::fclose(probe);
      std::filesystem::permissions(dir / OUTPUT_NAMES[k], std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add);
      GTEST_SKIP() << "read-only files take writes here (Wine run by root)";
    }
#endif
    RunResult r = run_program(dir.path, "r.out\n", {true, {}});
    EXPECT_EQ(1, r.status) << OUTPUT_NAMES[k];
    EXPECT_EQ(banner() + opened_up_to(k) + " Failed to open file: " + OUTPUT_NAMES[k] + " \n", r.output);
    EXPECT_EQ("kept\n", read_file(dir / OUTPUT_NAMES[k]));
    std::filesystem::permissions(dir / OUTPUT_NAMES[k], std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);  // so that it can be removed
    for (int i = 0; i < 7; ++i) {
      if (i < k) {
        EXPECT_EQ("", read_file(dir / OUTPUT_NAMES[i])) << OUTPUT_NAMES[i];  // created empty
      } else if (i > k) {
        EXPECT_FALSE(file_exists(dir / OUTPUT_NAMES[i])) << OUTPUT_NAMES[i];
      }
    }
  }
}

#ifndef _WIN32  // a read-only folder takes new files on Windows
TEST(Surroundings, ReadOnlyFolder) {
  ScratchDir dir;
  write_file(dir / "r.out", example());
  std::filesystem::permissions(dir.path, std::filesystem::perms::owner_all, std::filesystem::perm_options::remove);
  std::filesystem::permissions(dir.path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                             std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  RunResult r = run_program(dir.path, "r.out\n", {true, {}});
  std::filesystem::permissions(dir.path, std::filesystem::perms::owner_all);
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(banner() + opened_up_to(0) + " Failed to open file: fn.out \n", r.output);
}
#endif

#ifdef MODALYX_READ_FAILURE_SHIM
TEST(Surroundings, ReportThatFailsToReadMidway) {
  ScratchDir dir;
  write_file(dir / "r.out", example());
  RunResult r = run_program(dir.path, "r.out\n",
                            {false, {"LD_PRELOAD=" MODALYX_READ_FAILURE_SHIM, "MODALYX_FAIL_READ_AFTER=2000"}});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(1, occurrences(r.output, " Failed to read file: r.out \n"));
  EXPECT_NE(std::string::npos, r.output.find("press any key"));
}
#endif

// The search bounds hold exactly on a report of more than two million lines: the mass summary ends
// on line 2,000,000, the last one its search looks at; the effective mass title on line 1,000,001 is
// one past its search; and the participation search starts on line 2,000,001, where the eigenvalue
// search stopped, so it finds the second of its two titles.
TEST(Surroundings, BoundsOfTheSearchesOnTwoMillionLines) {
  std::string report;
  report.reserve(2000010 * 3);
  for (long line = 1; line <= 2000000; ++line) {
    if (line == 1000001)
      report += " E F F E C T I V E\n";
    else if (line == 1999990)
      report += " P A R T early\n";
    else if (line == 1999996)
      report += " CENTER OF MASS\n";
    else if (line == 2000000)
      report += " Z 1.0E+00\n";
    else
      report += " .\n";
  }
  report += " P A R T late\n heading\n  1  1.0E+00\n \n";
  ScratchDir dir;
  write_file(dir / "r.out", report);
  RunResult r = run_program(dir.path, "r.out\n");
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("", read_output(dir / "mem.out"));
  EXPECT_EQ(" P A R T late\n \n  1  1.0E+00\n \n", read_output(dir / "pf.out"));
  EXPECT_EQ(" CENTER OF MASS\n \n .\n \n .\n \n .\n \n Z 1.0E+00\n \n\n\n mass =      386.040 lbm\n",
            read_output(dir / "mass.out"));
}

TEST(HostileReports, DefinedOutputsForEachCase) {
  const std::string eigen = "   R E A L   E I G E N V A L U E S\n \n MODE  CYCLES\n NUMBER\n";
  const std::string mem = " E F F E C T I V E\n heading\n";
  const std::string long_number = "1." + std::string(95, '0') + "E+01";
  std::string many_rows;
  for (int m = 1; m <= 3000; ++m) many_rows += " " + std::to_string(m) + " 1.0E+00 1.0E+00 5.0E+00\n";
  struct Case {
    const char *what;
    std::string report;
    const char *file;
    std::string expected;
  } cases[] = {
      {"empty report", "", "fn.out", ""},
      {"one line without a line feed", " CENTER OF MASS", "mass.out", " CENTER OF MASS \n"},
      {"zero bytes", eigen + " 1 a b 2.0E+01\n 2\0 a b 3.0E+01\n" + std::string("\0\0\0\n", 4) + " MAX\n", "fn.out",
       "1 \t    20.00 \n"},  // the second row ends, as text, at its zero byte
      {"bytes above 127", eigen + " 1 \xff\xfe b 2.0E+01 \xe9\n MAX\n", "fn.out", "1 \t    20.00 \n"},
      {"10,000-character line", std::string(10000, 'E') + "\n" + eigen + " 1 a b 2.0E+01\n MAX\n", "fn.out",
       "1 \t    20.00 \n"},
      {"100-character frequency word", eigen + " 1 a b " + long_number + "\n MAX\n", "fn.out", "1 \t    10.00 \n"},
      {"100-character label", eigen + " " + std::string(100, '7') + " a b 1.0E+01\n MAX\n", "fn.out",
       std::string(19, '7') + " \t    10.00 \n"},
      {"exponent beyond range", eigen + " 1 a b 1.0E+999\n 2 a b -1.0E+999\n 3 a b 1.0E-999\n MAX\n", "fn.out",
       "1 \t      inf \n2 \t     -inf \n3 \t     0.00 \n"},
      {"3,000 eigenvalue rows", eigen + many_rows + " MAX\n", "fn.out", ""},
      {"odd mode numbers",
       eigen + " 1 a b 1.0E+01\n MAX\n" + mem +
           " 0 1.0E+00 0 0 0 0 0\n -1 1.0E+00 0 0 0 0 0\n 99999999999999999999 1.0E+00 0 0 0 0 0\n 1 2.0E+00 0 0 0 0 "
           "0\n TOTAL\n",
       "fn_mem_u.out", ""},
      {"mass beyond range", eigen + " 1 a b 1.0E+01\n MAX\n" + mem + " 1 1.0E+999 0 0 0 0 0\n TOTAL\n", "fn_mem.out",
       " 1 \t    10.0000 \t        inf \t 0.0000e+000 \t 0.0000e+000 \n"},
  };
  for (const Case &c : cases) {
    Outcome o = run_report(c.report);
    EXPECT_EQ(0, o.status) << c.what;
    EXPECT_NE(std::string::npos, o.console.find("press any key")) << c.what;
    if (std::string(c.what) == "3,000 eigenvalue rows") {
      EXPECT_EQ(3000, occurrences(o.files["fn.out"], " \t     5.00 \n")) << c.what;
    } else {
      EXPECT_EQ(c.expected, o.files[c.file]) << c.what;
    }
  }
}
