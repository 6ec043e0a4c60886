// The report is read through one fixed block buffer; lines are cut from it into line_buf with the
// same pieces that fgets into a 200-byte buffer would give.
#include "extract/line_scan.h"

#include <cstdio>
#include <cstring>

#include "driver/file_slots.h"
#include "driver/platform.h"
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

namespace {

constexpr std::size_t PIECE = sizeof line_buf - 1;  // characters of one read at most

// Puts the piece [from, to) of the block into line_buf, as read_line would have left it.
void keep_piece(const char *from, const char *to) {
  auto length = static_cast<std::size_t>(to - from);
  std::memcpy(line_buf.data(), from, length);
  line_buf[length] = '\0';
}

std::size_t offset_in_block(const char *p) { return static_cast<std::size_t>(p - in_block.data()); }

// One turn of the search: read a piece and test it.
enum class Turn { found, go_on, stop };
Turn plain_turn(const char *marker, long bound) {
  bool got = read_line();
  if (has_marker(marker)) return Turn::found;
  ++scan_count;
  return scan_count >= bound || !got ? Turn::stop : Turn::go_on;
}

// The search has reached its bound inside the line [line, line_end): the piece of the last turn
// is consumed and left in line_buf.
bool stop_at_bound(const char *line, const char *line_end, long bound) {
  long turns = bound - scan_count > 1 ? bound - scan_count : 1;  // a search always takes one turn
  const char *piece = line + static_cast<std::size_t>(turns - 1) * PIECE;
  const char *piece_end = line_end - piece > static_cast<std::ptrdiff_t>(PIECE) ? piece + PIECE : line_end;
  keep_piece(piece, piece_end);
  in_pos = offset_in_block(piece_end);
  scan_count += turns;
  return false;
}

// Searches the whole lines of the block at once and counts the turns they would have taken: a line
// of n characters with its line feed is (n + 198) / 199 pieces. A hit counts only where the plain
// test would see it: within one piece, and before any zero byte in that piece.
bool block_find(const char *marker, long bound) {
  const std::size_t marker_length = std::strlen(marker);
  for (;;) {
    if (at_end || (in_pos == in_end && !fill_block())) {
      // At the end the unchanged last piece is tested once more, exactly as a plain turn does.
      return plain_turn(marker, bound) == Turn::found;
    }
    const char *begin = in_block.data() + in_pos;
    const char *last_nl = find_last_byte(begin, in_end - in_pos, '\n');
    if (last_nl == nullptr) {
      // No whole line left in the block: a piece the plain way, which refills the block.
      Turn turn = plain_turn(marker, bound);
      if (turn != Turn::go_on) return turn == Turn::found;
      continue;
    }
    const char *region_end = last_nl + 1;
    const char *cursor = begin;  // the first piece not yet counted
    const char *from = begin;    // where the marker is looked for next
    const char *last_line = begin;
    for (;;) {
      const char *hit = find_bytes(from, static_cast<std::size_t>(region_end - from), marker, marker_length);
      const char *line_end = nullptr;
      while (cursor != region_end) {
        line_end =
            static_cast<const char *>(std::memchr(cursor, '\n', static_cast<std::size_t>(region_end - cursor))) + 1;
        if (hit != nullptr && hit < line_end) break;
        auto pieces = static_cast<long>((static_cast<std::size_t>(line_end - cursor) + PIECE - 1) / PIECE);
        if (scan_count + pieces >= bound) return stop_at_bound(cursor, line_end, bound);
        scan_count += pieces;
        last_line = cursor;
        cursor = line_end;
      }
      if (hit == nullptr) break;
      auto before =
          static_cast<long>(static_cast<std::size_t>(hit - cursor) / PIECE);  // pieces of the line before the hit's
      if (before > 0 && scan_count + before >= bound) return stop_at_bound(cursor, line_end, bound);
      const char *piece = cursor + before * static_cast<long>(PIECE);
      const char *piece_end = line_end - piece > static_cast<std::ptrdiff_t>(PIECE) ? piece + PIECE : line_end;
      if (hit + marker_length <= piece_end &&
          std::memchr(piece, '\0', static_cast<std::size_t>(hit - piece)) == nullptr) {
        scan_count += before;
        keep_piece(piece, piece_end);
        in_pos = offset_in_block(piece_end);
        return true;
      }
      from = hit + 1;  // the plain test would not see this one
    }
    // Every line of the region was a turn without the marker; the last piece stays in line_buf.
    auto last_length = static_cast<std::size_t>(region_end - last_line);
    keep_piece(last_line + (last_length - 1) / PIECE * PIECE, region_end);
    in_pos = offset_in_block(region_end);
  }
}

}  // namespace

bool block_search = true;

bool find_line_with(const char *marker, long bound) {
  if (block_search) return block_find(marker, bound);
  for (;;) {
    Turn turn = plain_turn(marker, bound);
    if (turn != Turn::go_on) return turn == Turn::found;
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
