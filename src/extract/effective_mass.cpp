// Third pass: the effective mass table, title to "TOTAL" line, to "mem.out".
#include "driver/file_slots.h"
#include "extract/extract.h"
#include "extract/line_scan.h"

namespace modalyx {
namespace {

constexpr const char *MEM_TITLE = "E F F E C T I V E";
constexpr long MEM_BOUND = 1000000;  // turns of the title search
constexpr long MEM_LINES = 500;      // lines after the title are copied until this count is passed

}  // namespace

void extract_effective_mass() {
  scan_count = 0;
  // "TOTAL" rows of earlier tables (part definitions, bulk data counts) are passed over: only the
  // "TOTAL" row after the title ends the copy.
  if (find_line_with(MEM_TITLE, MEM_BOUND)) {
    put_slot(SLOT_MEM, line_buf.data());
    put_slot(SLOT_MEM, " ");
    long copied = 0;
    while (read_line()) {
      echo_line(SLOT_MEM);
      if (has_marker("TOTAL") || ++copied > MEM_LINES) break;
    }
  }
  rewind_input();
}

}  // namespace modalyx
