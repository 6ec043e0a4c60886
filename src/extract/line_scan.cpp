// The report is read through one fixed block buffer; lines are cut from it into line_buf with the
// same pieces that fgets into a 200-byte buffer would give.
#include "extract/line_scan.h"

#include <cstdio>
#include <cstring>

#include "driver/file_slots.h"
#include "extract/number_forms.h"

namespace modalyx {

std::array<char, LINE_BUF_SIZE> line_buf{};
std::array<std::array<char, TOKEN_SIZE>, TOKEN_COUNT> token_buf{};
std::array<double, TOKEN_COUNT> token_value{};
long scan_count = 0;
long long line_reads = 0;

namespace {

constexpr std::size_t INPUT_BLOCK = std::size_t{1} << 18;  // bytes read from the report at once

std::array<char, INPUT_BLOCK> in_block;  // report bytes not yet handed out
std::size_t in_pos = 0;                  // next byte of in_block to hand out
std::size_t in_end = 0;                  // end of the bytes in in_block
bool at_end = false;                     // a read found the end of the report
bool read_failed = false;                // a read error was reported already

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool fill_block() {
  std::FILE *f = file_slots[SLOT_INPUT];
  if (f == nullptr) return false;
  std::size_t n = std::fread(in_block.data(), 1, in_block.size(), f);
  if (n == 0) {
    // A failed read must not pass for the end of an intact report.
    if (std::ferror(f) && !read_failed) {
      read_failed = true;
      report_failure("read", file_names[SLOT_INPUT].data());
    }
    return false;
  }
  in_pos = 0;
  in_end = n;
  return true;
}

}  // namespace

bool read_line() {
  ++line_reads;
  if (at_end) return false;
  constexpr std::size_t most = sizeof line_buf - 1;
  std::size_t n = 0;
  while (n < most) {
    if (in_pos == in_end && !fill_block()) break;
    std::size_t want = in_end - in_pos < most - n ? in_end - in_pos : most - n;
    const char *from = in_block.data() + in_pos;
    const void *nl = std::memchr(from, '\n', want);
    std::size_t take = nl != nullptr ? static_cast<std::size_t>(static_cast<const char *>(nl) - from) + 1 : want;
    std::memcpy(line_buf.data() + n, from, take);
    n += take;
    in_pos += take;
    if (nl != nullptr) break;
  }
  if (n == 0) {
    at_end = true;
    return false;
  }
  line_buf[n] = '\0';
  return true;
}

bool input_ended() { return at_end; }

bool has_marker(const char *text) { return std::strstr(line_buf.data(), text) != nullptr; }

void echo_line(int slot) {
  put_slot(slot, line_buf.data());
  put_slot(slot, " \n");
}

void show_line() {
  std::fputs(" ", stdout);
  std::fputs(line_buf.data(), stdout);
  std::fputs(" ", stdout);
}

void split_words(int n) {
  const char *p = line_buf.data();
  for (int i = 0; i < n && i < TOKEN_COUNT; ++i) {
    while (is_space(*p)) ++p;
    if (*p == '\0') break;
    const char *word = p;
    while (*p != '\0' && !is_space(*p)) ++p;
    auto length = static_cast<std::size_t>(p - word);
    std::size_t kept = length < sizeof token_buf[i] - 1 ? length : sizeof token_buf[i] - 1;
    std::memcpy(token_buf[i].data(), word, kept);
    token_buf[i][kept] = '\0';
    // The value comes from the whole word, so a long number is never misread for having been cut.
    token_value[i] = word_number(word);
  }
}

bool find_line_with(const char *marker, long bound) {
  for (;;) {
    bool got = read_line();
    if (has_marker(marker)) return true;
    ++scan_count;
    if (scan_count >= bound || !got) return false;
  }
}

void rewind_input() {
  std::FILE *f = file_slots[SLOT_INPUT];
  if (f != nullptr) {
    if (std::fseek(f, 0, SEEK_SET) != 0 && !read_failed) {
      read_failed = true;
      report_failure("rewind", file_names[SLOT_INPUT].data());
    }
    std::clearerr(f);
  }
  in_pos = in_end = 0;
  at_end = false;
}

void reset_line_scan() {
  line_buf.fill('\0');
  for (auto &t : token_buf) t.fill('\0');
  token_value.fill(0.0);
  scan_count = 0;
  line_reads = 0;
  in_pos = in_end = 0;
  at_end = false;
  read_failed = false;
}

}  // namespace modalyx
