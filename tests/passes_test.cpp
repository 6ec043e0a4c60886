// The four extraction passes, run as the user runs them, on small reports laid out as the solver
// prints them.
#include <gtest/gtest.h>

#include <string>

#include "support.h"

using namespace testing_support;

namespace {

const std::string TITLE = "                                  R E A L   E I G E N V A L U E S\n";
const std::string HEADINGS =
    " \n"
    "   MODE        EIGENVALUE            RADIANS             CYCLES            GENERALIZED\n"
    "  NUMBER                                                                      MASS\n";
const std::string PAGE_HEADING =
    " \n"
    "                                          12/11/26  10:14  NE/NASTRAN VERSION 9.2  PAGE     4\n"
    " \n"
    "  STAGE-2 ADAPTER FREE-FREE\n"
    " \n";
// A one-row eigenvalue table, for reports about the later sections.
const std::string ONE_MODE = TITLE + HEADINGS + "       1      6.1E+03        7.8E+01        1.25E+01\n   MAX\n";

const std::string REF_1 = "\n ref 1 \n\n";
const std::string REF_2 = "\n ref 2 \n\n\n in pf \n";
const std::string REF_3 = "\n ref 3 \n\n";
const std::string REF_4 = "\n ref 4 \n\n";
const std::string NO_MASS = "\n\n";

std::string repeat(const std::string &text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

}  // namespace

TEST(Eigenvalues, LabelIsWordOneAndFrequencyWordFour) {
  std::string report =
      "  some other output\n" + TITLE + " \n   MODE  RADIANS\n  NUMBER\n"  // no CYCLES on its line: not the table
      + TITLE + " \n   MODE   CYCLES\n    NO.\n"                           // no NUMBER: not the table
      + TITLE + HEADINGS +
      "       1      6.168503E+03        7.853982E+01        1.250000E+01        1.000000E+00\n"
      " \n" +
      PAGE_HEADING +  // the heading holds "E-": no row
      "       3      1.0E+00        2.0E+00        4.8E+01\n"
      "      10      3.0E+00        4.0E+00\n"           // too few words: word 4 stays 4.8E+01
      "      11      3.0           4.0           5.0\n"  // no exponent: no row
      "   MAX. ORTHOGONALITY ERROR =  2.4E-13\n" +
      TITLE + HEADINGS + "       9      1.0E+00        1.0E+00        9.9E+01\n   MAX\n";  // second table
  Outcome o = run_report(report);
  EXPECT_EQ(0, o.status);
  EXPECT_EQ("1 \t    12.50 \n3 \t    48.00 \n10 \t    48.00 \n", o.files["fn.out"]);
  EXPECT_EQ(
      full_transcript("r.out", REF_1 + "1     12.50 \n3     48.00 \n10     48.00 \n" + REF_2 + REF_3 + REF_4 + NO_MASS),
      o.console);
}

TEST(Eigenvalues, EndOfReportEndsTheTable) {
  Outcome o = run_report(TITLE + HEADINGS + "  1  a  b  1.5E+01\n  2  a  b  2.5E+01");
  EXPECT_EQ(0, o.status);
  EXPECT_EQ("1 \t    15.00 \n2 \t    25.00 \n", o.files["fn.out"]);
  EXPECT_EQ(full_transcript("r.out", REF_1 + "1     15.00 \n2     25.00 \n" + REF_2 + REF_3 + REF_4 + NO_MASS),
            o.console);
}

TEST(Eigenvalues, RowsPastTwoThousandAreWrittenButNotKept) {
  std::string rows;
  for (int mode = 1; mode <= 2003; ++mode) rows += "  " + std::to_string(mode) + "  1.0E+00  1.0E+00  2.0E+00\n";
  Outcome o = run_report(TITLE + HEADINGS + rows + " MAX\n");
  EXPECT_EQ(0, o.status);
  EXPECT_EQ(2003, occurrences(o.files["fn.out"], " \t     2.00 \n"));
  EXPECT_NE(std::string::npos, o.files["fn.out"].find("2003 \t     2.00 \n"));
  EXPECT_EQ(1, occurrences(o.console, "modes past 2000 will have no frequency in the joined tables"));
}

TEST(Participation, CopiesTitleAndRowsUpToALineWithoutE) {
  std::string early =
      "   M O D A L   P A R T I C I P A T I O N   (BEFORE THE EIGENVALUES)\n heading\n  1  9.9E-01\n \n";
  std::string title = "                M O D A L   P A R T I C I P A T I O N   F A C T O R S\n";
  std::string row1 = "      1    1.00000E+00   2.00000E-01\n";
  std::string row2 = "  TEXT WITH AN E GOES ON\n";
  std::string report =
      early + ONE_MODE + title + "   MODE    T1    T2\n" + row1 + row2 + "      3    0.5    0.25\n      4    1.0E+00\n";
  Outcome o = run_report(report);
  EXPECT_EQ(title + " \n" + row1 + " \n" + row2 + " \n", o.files["pf.out"]);
  EXPECT_EQ(full_transcript("r.out", REF_1 + "1     12.50 \n" + REF_2 + " " + title + "  jj=0\n " + row1 + "  jj=1\n " +
                                         row2 + "  jj=2\n" + REF_3 + REF_4 + NO_MASS),
            o.console);
}

TEST(Participation, EndOfReportEndsTheTableWithoutRepeats) {
  std::string title = "   M O D A L   P A R T I C I P A T I O N   F A C T O R S\n";
  Outcome o = run_report(ONE_MODE + title + " heading\n  1  1.0E+00\n  2  2.0E+00");
  EXPECT_EQ(title + " \n  1  1.0E+00\n \n  2  2.0E+00 \n", o.files["pf.out"]);
  EXPECT_EQ(2, occurrences(o.console, " jj="));  // no count for a read at the end
}

TEST(EffectiveMass, CopiesFromTitleToTotalPassingEarlierTotals) {
  std::string title = "                   M O D A L   E F F E C T I V E   M A S S\n";
  std::string heading = "   MODE     T1           T2\n";
  std::string row1 = "      1   1.0E-02   2.0E-02\n";
  std::string row2 = "      2   3.0E-02   4.0E-02\n";
  std::string total = "  TOTAL   4.0E-02   6.0E-02\n";
  std::string report = "        TOTAL COUNT=       214\n" + ONE_MODE + title + heading + row1 + row2 + total + " \n" +
                       title + heading + "      1   9.9E-01\n" + total;
  Outcome o = run_report(report);
  EXPECT_EQ(title + " " + heading + " \n" + row1 + " \n" + row2 + " \n" + total + " \n", o.files["mem.out"]);
}

TEST(EffectiveMass, EndOfReportEndsTheCopyWithoutRepeats) {
  std::string title = "   E F F E C T I V E   M A S S\r\n";
  Outcome o = run_report(title + " heading\r\n  1  1.0E-02\r\n");
  EXPECT_EQ(title + "  heading\r\n \n  1  1.0E-02\r\n \n", o.files["mem.out"]);
  EXPECT_EQ(0, o.status);
}

TEST(TotalMass, FiveLinesAndTheMassInPoundsMass) {
  std::string lines =
      "        DIRECTION                 CENTER OF MASS\n"
      "   MASS AXIS SYSTEM (S)     MASS        X\n"
      "          X           1.0E+00        0.0E+00\n"
      "          Y           1.0E+00        0.0E+00\n"
      "          Z           1.0E+00        0.0E+00\n";
  Outcome o = run_report(lines + ONE_MODE);  // found before the other sections: the pass starts at the top
  std::string echoed;
  std::string shown;
  for (std::size_t at = 0, end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1) {
    echoed += lines.substr(at, end - at + 1) + " \n";
    shown += " " + lines.substr(at, end - at + 1) + " ";
  }
  EXPECT_EQ(echoed + "\n\n mass =      386.040 lbm\n", o.files["mass.out"]);
  EXPECT_EQ(full_transcript("r.out", REF_1 + "1     12.50 \n" + REF_2 + REF_3 + REF_4 + shown +
                                         "\n\n mass =      386.040 lbm\n\n\n"),
            o.console);
}

TEST(TotalMass, ReportEndingInsideTheSummaryHasNoMassLine) {
  Outcome o = run_report("   CENTER OF MASS\n   MASS AXIS\n     X   1.0E+00");
  EXPECT_EQ("   CENTER OF MASS\n \n   MASS AXIS\n \n     X   1.0E+00 \n", o.files["mass.out"]);
  EXPECT_NE(std::string::npos, o.console.find("mass not found"));
  EXPECT_EQ(std::string::npos, o.console.find("lbm"));
}

TEST(Passes, LongLinesArePiecesAndCarriageReturnsAreKept) {
  // The marker lies wholly in the second piece of a 230-character line; the effective-mass title is
  // cut in two by the piece boundary and is not found.
  std::string long_mass = std::string(199, '-') + "   CENTER OF MASS           \r\n";
  std::string cut_title = std::string(190, ' ') + "E F F E C T I V E   M A S S\r\n";
  std::string report = cut_title + " TOTAL 1\r\n" + long_mass + " a\r\n b\r\n c\r\n  Z  2.0E+00  1\r\n" +
                       repeat(" \r\n", 3) + TITLE + HEADINGS + "  1  a  b  1.0E+01\r\n" + PAGE_HEADING +
                       "  2  a  b  2.0E+01\r\n MAX\r\n";
  Outcome o = run_report(report);
  EXPECT_EQ("", o.files["mem.out"]);
  EXPECT_EQ("1 \t    10.00 \n2 \t    20.00 \n", o.files["fn.out"]);
  EXPECT_EQ(
      "   CENTER OF MASS           \r\n \n a\r\n \n b\r\n \n c\r\n \n  Z  2.0E+00  1\r\n \n\n\n mass =      772.080 "
      "lbm\n",
      o.files["mass.out"]);
}

// Output files are text files: each line feed the program writes is the system's line end (CR LF on
// Windows), and a carriage return that a copied report line carries stands in front of it.
TEST(Passes, OutputLineEndsAreTheSystems) {
  ScratchDir dir;
  write_file(dir / "r.out", ONE_MODE + " P A R T\r\n heading\r\n  1  1.0E+00\r\n \r\n");
  RunResult r = run_program(dir.path, "r.out\n");
  EXPECT_EQ(0, r.status);
#ifdef _WIN32
  EXPECT_EQ("1 \t    12.50 \r\n", read_file(dir / "fn.out"));
  EXPECT_EQ(" P A R T\r\r\n \r\n  1  1.0E+00\r\r\n \r\n", read_file(dir / "pf.out"));
#else
  EXPECT_EQ("1 \t    12.50 \n", read_file(dir / "fn.out"));
  EXPECT_EQ(" P A R T\r\n \n  1  1.0E+00\r\n \n", read_file(dir / "pf.out"));
#endif
}
