// libFuzzer target: the whole sequence of passes on an arbitrary report, in a scratch folder.
// Beyond what the sanitizers catch, it checks the promises that hold for any report.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

std::string slurp(const char *name) {
  std::string text;
  if (std::FILE *f = std::fopen(name, "rb")) {
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) text.append(chunk, n);
    std::fclose(f);
  }
  return text;
}

// Runs the passes with the given search; returns the console and every output.
std::string run_once(bool block) {
  if (std::freopen("console.txt", "w", stdout) == nullptr) std::abort();
  modalyx::reset_run_state();
  modalyx::block_search = block;
  std::snprintf(modalyx::file_names[modalyx::SLOT_INPUT].data(), modalyx::NAME_SIZE, "report.out");
  bool opened = modalyx::run_passes();
  std::fflush(stdout);
  if (!opened || modalyx::run_failed) std::abort();
  std::string all = slurp("console.txt");
  for (int slot = modalyx::SLOT_FN; slot <= modalyx::SLOT_FN_MEM_386; ++slot) {
    const char *name = modalyx::file_names[static_cast<std::size_t>(slot)].data();
    all += std::string("\n=== ") + name + "\n" + slurp(name);
  }
  return all;
}

void fail(const char *what) {
  std::fprintf(stderr, "modalyx fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char folder[] = "/tmp/modalyx-fuzz-XXXXXX";
  if (mkdtemp(folder) == nullptr || chdir(folder) != 0) fail("no scratch folder");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  std::FILE *report = std::fopen("report.out", "wb");
  if (report == nullptr || std::fwrite(data, 1, size, report) != size || std::fclose(report) != 0)
    fail("report not written");

  // The line-by-line search is the reference; the block search must give the same bytes.
  std::string plain = run_once(false);
  long long plain_reads = modalyx::line_reads;
  std::string block = run_once(true);
  if (plain != block) fail("block search differs from the plain search");

  // Each pass reads the report at most once, plus a few hundred lines at a section's end.
  auto n = static_cast<long long>(size);
  if (plain_reads > 4 * (n + 2) + 2100) fail("too many reads for the report's size");
  if (modalyx::freq_count > modalyx::FREQ_CAPACITY) fail("freq_count beyond its capacity");
  for (int slot = modalyx::SLOT_FN; slot <= modalyx::SLOT_FN_MEM_386; ++slot) {
    const char *name = modalyx::file_names[static_cast<std::size_t>(slot)].data();
    // A number of a few bytes can print as 300 digits, so the bound is generous but proportional.
    if (file_size(name) > 400 * (n + 1) + 4096) fail(name);
  }
  long long rows = line_count("fn_mem.out");
  if (rows != line_count("fn_mem_u.out") || rows != line_count("fn_mem_386.out")) fail("joined tables differ in lines");
  return 0;
}
