// First pass: the real eigenvalue table, one line per mode to "fn.out" and the console.
#include <cstdio>

#include "driver/file_slots.h"
#include "extract/extract.h"
#include "extract/line_scan.h"
#include "extract/number_forms.h"

namespace modalyx {

std::array<double, FREQ_CAPACITY> freq_table{};
int freq_count = 0;

namespace {

constexpr const char *EIGEN_TITLE = "R E A L   E I G E N V A L U E S";
constexpr long EIGEN_BOUND = 2000000;  // turns of the title search

bool eigen_done = false;  // the table has been read; the search runs only until then

// Page headings inside the table may hold "E-" (a run title such as "FREE-FREE"); only a line
// that starts with a mode number is a row.
bool starts_with_whole_number() {
  long long ignored = 0;
  const char *end = read_whole(line_buf.data(), &ignored);
  return end != nullptr && (*end == '\0' || is_space(*end));
}

void write_row(double frequency) {
  char number[FORM_SIZE];
  format_fixed(number, frequency, 8, 2);
  put_slot(SLOT_FN, token_buf[0].data());
  put_slot(SLOT_FN, " \t ");
  put_slot(SLOT_FN, number);
  put_slot(SLOT_FN, " \n");
  std::fputs(token_buf[0].data(), stdout);
  std::fputs("  ", stdout);
  std::fputs(number, stdout);
  std::fputs(" \n", stdout);
}

// Reads data rows up to the "MAX" line, or to the end of the report, which ends the table too.
void read_rows() {
  bool told_full = false;
  while (read_line() && !has_marker("MAX")) {
    if ((!has_marker("E+") && !has_marker("E-")) || !starts_with_whole_number()) continue;
    split_words(7);
    write_row(token_value[3]);
    if (freq_count < FREQ_CAPACITY) {
      freq_table[freq_count++] = token_value[3];
    } else if (!told_full) {
      told_full = true;
      std::fputs("\n more than 2000 modes: modes past 2000 will have no frequency in the joined tables \n", stdout);
    }
  }
}

}  // namespace

void extract_eigenvalues() {
  scan_count = 0;
  while (!eigen_done) {
    if (!find_line_with(EIGEN_TITLE, EIGEN_BOUND)) return;
    read_line();  // the line after the title is not looked at
    read_line();
    if (has_marker("CYCLES")) {
      read_line();
      if (has_marker("NUMBER")) {
        read_rows();
        eigen_done = true;
        close_slot(SLOT_FN);
        return;
      }
    }
    ++scan_count;
    // At the end of the report every later turn would meet the same last line and fail alike.
    if (scan_count >= EIGEN_BOUND || input_ended()) return;
  }
}

void reset_extract() {
  freq_table.fill(0.0);
  freq_count = 0;
  eigen_done = false;
}

}  // namespace modalyx
