#include "report_generator.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace testing_support {
namespace {

std::string printed(const char *format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

class Writer {
 public:
  Writer(const ReportShape &shape) : shape_(shape) {}

  // Lines of one group are never split by a page heading (a title and its column headings).
  void group(const std::vector<std::string> &lines, char section) {
    if (shape_.page_lines > 0 && since_heading_ + static_cast<int>(lines.size()) > shape_.page_lines) page_heading();
    for (const std::string &line : lines) {
      if (ended_) return;
      if (section != '\0' && section == shape_.cut_in && section_lines_++ >= shape_.cut_after) {
        ended_ = true;
        return;
      }
      put(line);
    }
  }
  void line(const std::string &text, char section) { group({text}, section); }
  bool ended() const { return ended_; }
  std::string text;

 private:
  void page_heading() {
    ++page_;
    char date[128];
    std::snprintf(date, sizeof date,
                  "                                          12/11/26  10:14  NE/NASTRAN VERSION 9.2  PAGE %5d", page_);
    for (const std::string &l : {std::string(" "), std::string(date), std::string(" "),
                                 std::string("  STAGE-2 ADAPTER FREE-FREE"), std::string(" ")})
      put(l);
    since_heading_ = 0;
  }
  void put(const std::string &l) {
    text += l + (shape_.crlf ? "\r\n" : "\n");
    ++since_heading_;
  }
  const ReportShape &shape_;
  int page_ = 0;
  int since_heading_ = 0;
  int section_lines_ = 0;
  bool ended_ = false;
};

}  // namespace

GeneratedReport generate_report(const ReportShape &shape) {
  GeneratedReport report;
  std::mt19937 random(shape.seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int m = 1; m <= shape.modes; ++m) {
    double f = std::atof(printed("%.6E", 3.0 * m + 10.0 * unit(random)).c_str());
    if (!report.frequencies.empty() && f <= report.frequencies.back()) f = report.frequencies.back() + 1;
    report.frequencies.push_back(std::atof(printed("%.6E", f).c_str()));
    std::array<double, 6> row{};
    for (double &v : row)
      v = unit(random) < 0.2 ? 0.0
                             : std::atof(printed("%.5E", std::pow(10.0, -8 * unit(random)) * unit(random)).c_str());
    report.masses.push_back(row);
  }
  report.mass = 2.590400E-02;

  Writer w(shape);
  w.line("  BRACKET ASSEMBLY, NORMAL MODES", '\0');
  w.line("        TOTAL COUNT=       214", '\0');
  w.line(" ", '\0');
  for (char section : shape.sections) {
    if (w.ended()) break;
    switch (section) {
      case 'M':
        w.group({"                              DIRECTION                                        CENTER OF MASS",
                 "                         MASS AXIS SYSTEM (S)     MASS                 X             Y             Z",
                 "                                  X           2.590400E-02        0.00000E+00   1.25000E+00   "
                 "3.50000E-01",
                 "                                  Y           2.590400E-02        4.00000E+00   0.00000E+00   "
                 "3.50000E-01",
                 "                                  Z           2.590400E-02        4.00000E+00   1.25000E+00   "
                 "0.00000E+00"},
                'M');
        break;
      case 'E':
        w.group({"                                              R E A L   E I G E N V A L U E S", " ",
                 "   MODE        EIGENVALUE            RADIANS             CYCLES            GENERALIZED         "
                 "GENERALIZED",
                 "  NUMBER                                                                      MASS              "
                 "STIFFNESS"},
                'E');
        for (int m = 1; m <= shape.modes; ++m) {
          double f = report.frequencies[static_cast<std::size_t>(m - 1)];
          double w2 = 2 * 3.141592653589793 * f;
          char row[200];
          std::snprintf(row, sizeof row, "  %6d      %.6E        %.6E        %.6E        %.6E        %.6E", m, w2 * w2,
                        w2, f, 1.0, w2 * w2);
          w.line(row, 'E');
        }
        w.line(" ", 'E');
        w.line("   MAX. ORTHOGONALITY ERROR =  2.4E-13", 'E');
        break;
      case 'P':
        w.group({"                         M O D A L   P A R T I C I P A T I O N   F A C T O R S",
                 "   MODE       T1            T2            T3            R1            R2            R3"},
                'P');
        for (int m = 1; m <= shape.modes; ++m) {
          std::string row = printed("  %5.0f ", m);
          for (double v : report.masses[static_cast<std::size_t>(m - 1)]) row += printed("  %12.5E", std::sqrt(v));
          w.line(row, 'P');
        }
        w.line(" ", 'P');
        break;
      case 'F': {
        w.group({"                         M O D A L   E F F E C T I V E   M A S S",
                 "   MODE       T1            T2            T3            R1            R2            R3"},
                'F');
        std::array<double, 6> sum{};
        for (int m = 1; m <= shape.modes; ++m) {
          std::string row = printed("  %5.0f ", m);
          for (std::size_t k = 0; k < 6; ++k) {
            row += printed("  %12.5E", report.masses[static_cast<std::size_t>(m - 1)][k]);
            sum[k] += report.masses[static_cast<std::size_t>(m - 1)][k];
          }
          w.line(row, 'F');
        }
        std::string total = "  TOTAL ";
        for (double v : sum) total += printed("  %12.5E", v);
        w.line(total, 'F');
        w.line(" ", 'F');
        break;
      }
      default:
        break;
    }
    w.line("      OTHER OUTPUT OF THE RUN", '\0');
  }
  if (!w.ended()) w.line("      *** END OF JOB ***", '\0');
  report.text = w.text;
  return report;
}

}  // namespace testing_support
