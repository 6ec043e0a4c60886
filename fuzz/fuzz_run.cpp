// libFuzzer target: the whole sequence of passes on an arbitrary report, in a scratch folder.
// Beyond what the sanitizers catch, it checks the promises that hold for any report.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/file_slots.h"
#include "extract/extract.h"
#include "extract/line_scan.h"

namespace {

long long file_size(const char *name) {
  struct stat st {};
  return stat(name, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

long long line_count(const char *name) {
  std::FILE *f = std::fopen(name, "rb");
  if (f == nullptr) return -1;
  long long lines = 0;
  for (int c; (c = std::getc(f)) != EOF;) lines += c == '\n';
  std::fclose(f);
  return lines;
}

void fail(const char *what) {
  std::fprintf(stderr, "modalyx fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char folder[] = "/tmp/modalyx-fuzz-XXXXXX";
  if (mkdtemp(folder) == nullptr || chdir(folder) != 0) fail("no scratch folder");
  // The passes echo most of what they copy; the fuzzer's own messages go to standard error.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) fail("no /dev/null");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  std::FILE *report = std::fopen("report.out", "wb");
  if (report == nullptr || std::fwrite(data, 1, size, report) != size || std::fclose(report) != 0)
    fail("report not written");

  modalyx::reset_run_state();
  std::snprintf(modalyx::file_names[modalyx::SLOT_INPUT].data(), modalyx::NAME_SIZE, "report.out");
  if (!modalyx::run_passes() || modalyx::run_failed) fail("a file failed");

  // Each pass reads the report at most once, plus a few hundred lines at a section's end.
  auto n = static_cast<long long>(size);
  if (modalyx::line_reads > 4 * (n + 2) + 2100) fail("too many reads for the report's size");
  if (modalyx::freq_count > modalyx::FREQ_CAPACITY) fail("freq_count beyond its capacity");
  for (const char *name : {"fn.out", "mass.out", "mem.out", "pf.out", "fn_mem.out", "fn_mem_u.out", "fn_mem_386.out"}) {
    // A number of a few bytes can print as 300 digits, so the bound is generous but proportional.
    if (file_size(name) > 400 * (n + 1) + 4096) fail(name);
  }
  long long rows = line_count("fn_mem.out");
  if (rows != line_count("fn_mem_u.out") || rows != line_count("fn_mem_386.out")) fail("joined tables differ in lines");
  return 0;
}
