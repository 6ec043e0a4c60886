// The run sequence: banner, dialogue, opening every file, the passes in their order, closing,
// the output list and the key wait.
#include <cstdio>
#include <cstring>

#include "driver/file_slots.h"
#include "driver/platform.h"
#include "extract/extract.h"
#include "extract/line_scan.h"
#include "extract/number_forms.h"
#include "tables/mass_tables.h"

namespace modalyx {
namespace {

// The fixed output names of slots 1 to 7.
constexpr const char *OUTPUT_NAMES[] = {"fn.out",     "mass.out",     "mem.out",       "pf.out",
                                        "fn_mem.out", "fn_mem_u.out", "fn_mem_386.out"};

void say(const char *text) { std::fputs(text, stdout); }

void say_name(const char *before, const char *name, const char *after) {
  say(before);
  say(name);
  say(after);
}

// Reads one word from standard input into file_names[SLOT_INPUT]; false when it does not fit.
bool read_report_name() {
  auto &name = file_names[SLOT_INPUT];
  int c = 0;
  do c = std::getchar();
  while (c != EOF && is_space(c));
  std::size_t n = 0;
  bool fits = true;
  for (; c != EOF && !is_space(c); c = std::getchar()) {
    if (n < sizeof name - 1)
      name[n++] = static_cast<char>(c);
    else
      fits = false;
  }
  name[n] = '\0';
  return fits;
}

// The exit status, once standard output has been checked like every other output.
int finish(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fputs("modalyx: failed to write standard output\n", stderr);
    return 1;
  }
  return status;
}

}  // namespace

bool run_passes() {
  file_slots[SLOT_INPUT] = open_report(file_names[SLOT_INPUT].data());
  for (int i = SLOT_FN; i <= SLOT_FN_MEM_386; ++i)
    std::snprintf(file_names[i].data(), sizeof file_names[i], "%s", OUTPUT_NAMES[i - SLOT_FN]);

  say("\n");
  for (int i = SLOT_INPUT; i <= SLOT_FN_MEM_386; ++i) {
    if (i != SLOT_INPUT) file_slots[i] = open_output(file_names[i].data());
    if (file_slots[i] == nullptr) {
      say_name(" Failed to open file: ", file_names[i].data(), " \n");
      for (int k = SLOT_INPUT; k < i; ++k) close_slot(k);
      return false;
    }
    say_name(" File: ", file_names[i].data(), " opened. \n");
  }

  say("\n ref 1 \n\n");
  extract_eigenvalues();
  say("\n ref 2 \n\n");
  extract_participation();
  say("\n ref 3 \n\n");
  extract_effective_mass();
  say("\n ref 4 \n\n");
  extract_total_mass();

  for (int i = SLOT_INPUT; i <= SLOT_PF; ++i) close_slot(i);
  build_mass_tables();
  for (int i = SLOT_FN_MEM; i <= SLOT_FN_MEM_386; ++i) close_slot(i);
  return true;
}

void reset_run_state() {
  reset_file_slots();
  reset_line_scan();
  reset_extract();
}

int run() {
  setup_console();
  say("\n\n modalyx  ver 1.6    August 17, 2007");
  say("\n\n by the modalyx developers  \n Email: modalyx@example.org \n");
  say("\n\n The input file is a NE/Nastran output file \n");
  say(" from a SOL SEMODES analysis. \n");
  say("\n\n Enter the *.out filename \n");

  if (!read_report_name()) {
    std::fprintf(stdout, " File name too long: more than %d characters \n", NAME_SIZE - 1);
    return finish(1);
  }
  if (!run_passes()) return finish(1);

  say("\n Output Files \n");
  for (int i = SLOT_FN; i <= SLOT_FN_MEM_386; ++i) say_name("\n ", file_names[i].data(), " ");
  say("\n\n press any key to continue \n");
  std::fflush(stdout);
  wait_for_key();
  return finish(run_failed ? 1 : 0);
}

}  // namespace modalyx
