// Fourth pass: the mass summary from "CENTER OF MASS" on, and the total mass in pounds mass.
#include <cstdio>

#include "driver/file_slots.h"
#include "extract/extract.h"
#include "extract/line_scan.h"
#include "extract/number_forms.h"

namespace modalyx {
namespace {

constexpr const char *MASS_MARKER = "CENTER OF MASS";
constexpr long MASS_BOUND = 2000000;  // turns of the marker search
constexpr int MASS_LINES = 5;         // the marker line and the four after it
constexpr double G_TOTAL = 386.04;    // the report's mass unit times this gives pounds mass

double total_mass = 0;  // pounds mass

}  // namespace

void extract_total_mass() {
  scan_count = 0;
  if (!find_line_with(MASS_MARKER, MASS_BOUND)) {
    std::fputs("\n\n", stdout);
    return;
  }
  for (int i = 1; i < MASS_LINES; ++i) {
    show_line();
    echo_line(SLOT_MASS);
    if (!read_line()) {
      std::fputs("\n\n mass not found: the report ends inside the mass summary \n\n", stdout);
      return;
    }
  }
  show_line();
  echo_line(SLOT_MASS);
  split_words(5);
  total_mass = token_value[1] * G_TOTAL;

  char number[FORM_SIZE];
  format_fixed(number, total_mass, 12, 3);
  for (std::FILE *f : {stdout, file_slots[SLOT_MASS]}) {
    if (f == nullptr) continue;
    std::fputs("\n\n mass = ", f);
    std::fputs(number, f);
    std::fputs(" lbm\n", f);
  }
  std::fputs("\n\n", stdout);
}

}  // namespace modalyx
