// The file table and the one path by which failures reach the console and the exit status.
#include "driver/file_slots.h"

namespace modalyx {

std::array<std::FILE *, FILE_SLOTS> file_slots{};
std::array<std::array<char, NAME_SIZE>, FILE_SLOTS> file_names{};
bool run_failed = false;

void report_failure(const char *what, const char *name) {
  std::fputs(" Failed to ", stdout);
  std::fputs(what, stdout);
  std::fputs(" file: ", stdout);
  std::fputs(name, stdout);
  std::fputs(" \n", stdout);
  run_failed = true;
}

void close_slot(int slot) {
  std::FILE *f = file_slots[slot];
  if (f == nullptr) return;
  file_slots[slot] = nullptr;
  // A full disk often shows only when the last buffer is flushed by fclose.
  bool failed = std::ferror(f) != 0;
  if (std::fclose(f) != 0) failed = true;
  if (failed && slot != SLOT_INPUT) report_failure("write", file_names[slot].data());
}

void put_slot(int slot, const char *text) {
  if (file_slots[slot] != nullptr) std::fputs(text, file_slots[slot]);
}

void reset_file_slots() {
  for (int i = 0; i < FILE_SLOTS; ++i) {
    if (file_slots[i] != nullptr) std::fclose(file_slots[i]);
    file_slots[i] = nullptr;
    file_names[i].fill('\0');
  }
  run_failed = false;
}

}  // namespace modalyx
