// Second pass: the participation factor table, from where the eigenvalue pass stopped.
#include <cstdio>

#include "driver/file_slots.h"
#include "extract/extract.h"
#include "extract/line_scan.h"
#include "extract/number_forms.h"

namespace modalyx {
namespace {

constexpr const char *PF_TITLE = "P A R T";
constexpr long PF_BOUND = 1000000;  // turns of the title search
constexpr long PF_ROWS = 500;       // the last row number copied; rows are counted from 0

}  // namespace

void extract_participation() {
  std::fputs("\n in pf \n", stdout);
  scan_count = 0;
  if (find_line_with(PF_TITLE, PF_BOUND)) {
    show_line();
    echo_line(SLOT_PF);
    read_line();  // the column heading is not copied
    for (long jj = 0; jj <= PF_ROWS; ++jj) {
      // The end of the report ends the table: the last line is never copied again.
      if (!read_line()) break;
      char count[FORM_SIZE];
      format_whole(count, jj);
      std::fputs(" jj=", stdout);
      std::fputs(count, stdout);
      std::fputs("\n", stdout);
      if (!has_marker("E")) break;
      echo_line(SLOT_PF);
      show_line();
    }
  }
  rewind_input();
}

}  // namespace modalyx
