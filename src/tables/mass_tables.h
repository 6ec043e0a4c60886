// The three tables joining each mode's frequency with its effective masses.
#pragma once

namespace modalyx {

constexpr double G_TABLE = 386.0;  // factor applied to effective masses in two of the tables

// Re-reads "mem.out" and writes "fn_mem.out", "fn_mem_u.out" and "fn_mem_386.out".
void build_mass_tables();

}  // namespace modalyx
