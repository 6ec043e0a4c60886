// The program's open files and their names, shared by the driver and every pass.
#pragma once

#include <array>
#include <cstdio>

namespace modalyx {

constexpr int FILE_SLOTS = 20;  // slots in the file table; 0 to 7 are used
constexpr int NAME_SIZE = 260;  // a name holds at most NAME_SIZE - 1 characters

constexpr int SLOT_INPUT = 0;       // the solver report, read in binary mode
constexpr int SLOT_FN = 1;          // "fn.out"
constexpr int SLOT_MASS = 2;        // "mass.out"
constexpr int SLOT_MEM = 3;         // "mem.out", written, then re-read
constexpr int SLOT_PF = 4;          // "pf.out"
constexpr int SLOT_FN_MEM = 5;      // "fn_mem.out"
constexpr int SLOT_FN_MEM_U = 6;    // "fn_mem_u.out"
constexpr int SLOT_FN_MEM_386 = 7;  // "fn_mem_386.out"

extern std::array<std::FILE *, FILE_SLOTS> file_slots;
extern std::array<std::array<char, NAME_SIZE>, FILE_SLOTS> file_names;

// Set by any failure detected after the files were opened; the run then ends with status 1.
extern bool run_failed;

// Prints " Failed to <what> file: <name> \n" and marks the run as failed.
void report_failure(const char *what, const char *name);

// Closes the slot if it is open; a write or close that failed is reported by the slot's name.
void close_slot(int slot);

// Writes text to the slot's file; does nothing when the slot is empty.
void put_slot(int slot, const char *text);

// Opens the report named in file_names[SLOT_INPUT] and the seven outputs, runs the passes and
// closes every file. False when a file did not open (the console says which).
bool run_passes();

// Returns all program-wide state to its start, so that run_passes can run again in one process.
void reset_run_state();

// The whole run: dialogue, files, passes, output list and key wait. Returns the exit status.
int run();

// Closes and empties the file table and clears the failure flag.
void reset_file_slots();

}  // namespace modalyx
