// Line-by-line reading of the solver report, shared by the four extraction passes.
#pragma once

#include <array>
#include <cstddef>

namespace modalyx {

constexpr int LINE_BUF_SIZE = 200;  // a read stores at most 199 characters and the zero
constexpr int TOKEN_COUNT = 7;      // word buffers filled by split_words
constexpr int TOKEN_SIZE = 20;      // a stored word holds at most 19 characters

// The line (or line piece) last read from the report, its terminator kept.
extern std::array<char, LINE_BUF_SIZE> line_buf;
// Words of the last split; each keeps its contents until a later split reaches it.
extern std::array<std::array<char, TOKEN_SIZE>, TOKEN_COUNT> token_buf;
// The numeric value of each stored word, read from the whole word before it was cut to fit.
extern std::array<double, TOKEN_COUNT> token_value;
// Turns of the current pass's outer search.
extern long scan_count;
// Reads of the report since the start of the run, for checks that a run stays within its bounds.
extern long long line_reads;

// Reads the next line piece of the report into line_buf: up to and including the next line feed,
// at most 199 characters. At the end of the report (or on a read error) line_buf is left as it was
// and the result is false.
bool read_line();

// True once a read found the end of the report; from then on line_buf no longer changes.
bool input_ended();

// True when text occurs in line_buf, up to its first zero byte.
bool has_marker(const char *text);

// Writes line_buf to the slot's file in the form "%s \n".
void echo_line(int slot);

// Prints line_buf on the console in the form " %s ".
void show_line();

// Stores the first n (1 to 7) words of line_buf in token_buf and token_value; words the line does
// not have keep their earlier contents.
void split_words(int n);

// Reads lines until one holds marker; each line without it is one turn of scan_count. Returns
// false when the count reaches bound, or at once when the end of the report has been reached,
// since every later turn would test the same unchanged line.
bool find_line_with(const char *marker, long bound);

// True: find_line_with searches whole blocks of the report at once. False: it reads and tests one
// piece at a time; kept as the reference that the block search must match byte for byte.
extern bool block_search;

// Moves back to the report's first line and forgets the end of input.
void rewind_input();

// Forgets the report and all buffered input, and empties line_buf and the word buffers.
void reset_line_scan();

}  // namespace modalyx
