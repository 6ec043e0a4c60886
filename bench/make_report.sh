#!/usr/bin/env bash
# Writes a large solver-like report to standard output: make_report.sh LINES none|all
# "none": no section the program looks for. "all": the four sections after LINES - 10000 lines of
# other output (element stresses with page headings every 55 lines), then more output to LINES.
set -euo pipefail
lines=${1:-2000000}
kind=${2:-none}
awk -v lines="$lines" -v kind="$kind" '
function heading() {
  page++
  print " "
  printf "                                                                  12/11/26  10:14  NE/NASTRAN VERSION 9.2  PAGE %5d\n", page
  print " "
  print "  BRACKET ASSEMBLY, NORMAL MODES"
  print " "
  n += 5
}
function sections(   m, f) {
  print "                              DIRECTION                                        CENTER OF MASS"
  print "                         MASS AXIS SYSTEM (S)     MASS                 X             Y             Z"
  print "                                  X           2.590400E-02        0.00000E+00   1.25000E+00   3.50000E-01"
  print "                                  Y           2.590400E-02        4.00000E+00   0.00000E+00   3.50000E-01"
  print "                                  Z           2.590400E-02        4.00000E+00   1.25000E+00   0.00000E+00"
  print "                                              R E A L   E I G E N V A L U E S"
  print " "
  print "   MODE        EIGENVALUE            RADIANS             CYCLES            GENERALIZED         GENERALIZED"
  print "  NUMBER                                                                      MASS              STIFFNESS"
  for (m = 1; m <= 100; m++) { f = 3.5 * m; printf "  %6d      %.6E        %.6E        %.6E        %.6E        %.6E\n", m, (6.2832*f)^2, 6.2832*f, f, 1.0, (6.2832*f)^2 }
  print "   MAX. ORTHOGONALITY ERROR =  2.4E-13"
  print "                         M O D A L   P A R T I C I P A T I O N   F A C T O R S"
  print "   MODE       T1            T2            T3            R1            R2            R3"
  for (m = 1; m <= 100; m++) printf "  %5d   %12.5E  %12.5E  %12.5E  %12.5E  %12.5E  %12.5E\n", m, 0.1/m, 0.2/m, 0.3/m, 0.01/m, 0.02/m, 0.03/m
  print " "
  print "                         M O D A L   E F F E C T I V E   M A S S"
  print "   MODE       T1            T2            T3            R1            R2            R3"
  for (m = 1; m <= 100; m++) printf "  %5d   %12.5E  %12.5E  %12.5E  %12.5E  %12.5E  %12.5E\n", m, 0.01/m, 0.02/m, 0.03/m, 0.001/m, 0.002/m, 0.003/m
  print "  TOTAL    5.18738E-02   1.03748E-01   1.55621E-01   5.18738E-03   1.03748E-02   1.55621E-02"
  n += 317
}
BEGIN {
  n = 0; page = 0; done = 0
  while (n < lines) {
    if (n % 55 == 0) heading()
    if (kind == "all" && !done && n >= lines - 10000) { sections(); done = 1; continue }
    e++
    printf "      %8d   CQUAD4   %13.6E  %13.6E  %13.6E  %13.6E  %13.6E  %13.6E  %13.6E\n", e, e * 0.001, -e * 0.0007, e * 0.0003, 1.5, -2.25, e * 0.01, 0.125
    n++
  }
}'
