// The joined tables: each effective-mass row of "mem.out" beside its mode's natural frequency.
#include "tables/mass_tables.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "driver/file_slots.h"
#include "driver/platform.h"
#include "extract/extract.h"
#include "extract/number_forms.h"

namespace modalyx {
namespace {

constexpr int MEM_LINE_SIZE = 300;  // lines of "mem.out" are report lines of 199 characters and a blank
constexpr int MASS_VALUES = 6;      // effective masses per row
// "mem.out" holds at most about a thousand lines; the bound keeps a name that leads to an endless
// device (a link to /dev/zero) from holding the run.
constexpr int MEM_READ_LIMIT = 4096;

// One effective-mass row: the mode number and the values of its six columns.
struct mass_row {
  long long m;
  std::array<double, MASS_VALUES> x;
};

// A whole number and six numbers (exponent letter E or e), or false.
bool read_mass_row(const char *line, mass_row *row) {
  const char *p = read_whole(line, &row->m);
  for (double &value : row->x) {
    if (p == nullptr) return false;
    p = read_number(p, &value, false);
  }
  return p != nullptr;
}

// " %ld \t %10.4lf" and, for each of the first `count` values times factor, " \t %10.4e"; then " \n".
void write_row(int slot, const mass_row &row, double frequency, int count, double factor) {
  char number[FORM_SIZE];
  format_whole(number, row.m);
  put_slot(slot, " ");
  put_slot(slot, number);
  format_fixed(number, frequency, 10, 4);
  put_slot(slot, " \t ");
  put_slot(slot, number);
  for (int k = 0; k < count; ++k) {
    format_exp(number, row.x[static_cast<std::size_t>(k)] * factor, 10, 4);
    put_slot(slot, " \t ");
    put_slot(slot, number);
  }
  put_slot(slot, " \n");
}

}  // namespace

void build_mass_tables() {
  std::FILE *mem = open_reading(file_names[SLOT_MEM].data());
  file_slots[SLOT_MEM] = mem;
  if (mem == nullptr) {
    report_failure("reopen", file_names[SLOT_MEM].data());
    return;
  }
  std::array<char, MEM_LINE_SIZE> line{};
  for (int reads = 0; reads < MEM_READ_LIMIT && std::fgets(line.data(), sizeof line, mem) != nullptr; ++reads) {
    if (std::strstr(line.data(), "E+") == nullptr && std::strstr(line.data(), "E-") == nullptr) continue;
    // The title, the "TOTAL" row and any other line with a T are not rows.
    if (std::strchr(line.data(), 'T') != nullptr) continue;
    mass_row row{};
    if (!read_mass_row(line.data(), &row)) continue;
    if (row.m > freq_count) break;
    if (row.m < 1) continue;  // no mode has a frequency there
    double frequency = freq_table[static_cast<std::size_t>(row.m - 1)];
    write_row(SLOT_FN_MEM, row, frequency, 3, G_TABLE);
    write_row(SLOT_FN_MEM_U, row, frequency, 3, 1.0);
    write_row(SLOT_FN_MEM_386, row, frequency, MASS_VALUES, G_TABLE);
  }
  if (std::ferror(mem) != 0) report_failure("read", file_names[SLOT_MEM].data());
  std::fclose(mem);
  file_slots[SLOT_MEM] = nullptr;
}

}  // namespace modalyx
