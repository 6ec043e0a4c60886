// Everything that differs between Windows and POSIX: file modes, the console and its key wait.
#pragma once

#include <cstddef>
#include <cstdio>

namespace modalyx {

// Opens the report for reading without newline translation; a folder is refused (null).
std::FILE *open_report(const char *name);

// Creates or truncates an output file for writing in text mode.
std::FILE *open_output(const char *name);

// Opens a file the program wrote earlier for reading without newline translation.
std::FILE *open_reading(const char *name);

// The first occurrence of needle in [text, text + length), or nullptr.
const char *find_bytes(const char *text, std::size_t length, const char *needle, std::size_t needle_length);

// The last byte c in [text, text + length), or nullptr.
const char *find_last_byte(const char *text, std::size_t length, char c);

// True when standard output is a console (a terminal).
bool stdout_is_console();

// Unbuffered standard output on a console, so each message shows at once; fully buffered otherwise.
void setup_console();

// Waits for one key at the console itself, without echo; returns at once when there is no console.
void wait_for_key();

}  // namespace modalyx
