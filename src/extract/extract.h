// The four passes over the report, run by the driver in this order.
#pragma once

#include <array>

namespace modalyx {

constexpr int FREQ_CAPACITY = 2000;  // natural frequencies kept for the joined tables

// Natural frequencies in the order of the eigenvalue table's rows: entry k is the (k+1)-th row.
extern std::array<double, FREQ_CAPACITY> freq_table;
// Entries of freq_table filled.
extern int freq_count;

// The real eigenvalue table: "fn.out", the console and freq_table; closes "fn.out".
void extract_eigenvalues();
// The participation factor table, from where the eigenvalue pass stopped: "pf.out" and the console.
void extract_participation();
// The effective mass table, title to its "TOTAL" line: "mem.out".
void extract_effective_mass();
// The mass summary and the total mass in pounds mass: "mass.out" and the console.
void extract_total_mass();

// Empties freq_table and the passes' own state, so that the passes can run again in one process.
void reset_extract();

}  // namespace modalyx
