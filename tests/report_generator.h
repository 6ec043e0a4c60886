// Realistic solver reports for tests: any number of modes, page headings, CRLF or LF line ends,
// the four sections in any order or absent, and a report cut off inside any section.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace testing_support {

struct ReportShape {
  int modes = 10;
  int page_lines = 0;  // a page heading before every this many lines; 0: none
  bool crlf = false;
  std::string sections = "MEPF";  // in report order: Mass summary, Eigenvalues, Participation, eFfective mass
  char cut_in = '\0';             // the report ends inside this section...
  int cut_after = 0;              // ...after this many of its lines
  unsigned seed = 1;
};

struct GeneratedReport {
  std::string text;
  std::vector<double> frequencies;            // per mode, as the eigenvalue table prints them
  std::vector<std::array<double, 6>> masses;  // per mode, the effective masses as printed
  double mass = 0;                            // the mass on the summary's fifth line
};

GeneratedReport generate_report(const ReportShape &shape);

}  // namespace testing_support
