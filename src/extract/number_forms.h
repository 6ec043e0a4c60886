// Reading numbers from report words and writing them in the program's fixed output forms.
// The forms are computed here, not by the C library, so that they are the same on every platform:
// rounding is half away from zero on the number's 17-significant-digit decimal form, and exponents
// have three digits.
#pragma once

#include <cstddef>

namespace modalyx {

constexpr int FORM_SIZE = 400;  // room for any double in any form used here, with the zero

// White space as the C locale has it: blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Reads a decimal number at the start of s (after white space): optional sign, digits with an
// optional fraction, and an optional exponent (E or e, and D or d when fortran_exponent is set).
// Returns the end of the number, or nullptr when s does not start with one. Overflow gives an
// infinity and underflow a zero, with the number's sign.
const char *read_number(const char *s, double *value, bool fortran_exponent);

// The numeric value of a report word: the longest leading decimal number (exponent letters E, e,
// D, d), or 0 when the word does not begin with one.
double word_number(const char *word);

// Reads a whole number (optional sign, decimal digits) at the start of s after white space;
// values beyond the range of long long are clamped to it. Returns the end, or nullptr.
const char *read_whole(const char *s, long long *value);

// "%<width>.<decimals>lf": fixed point. Returns the length written to out (FORM_SIZE bytes).
int format_fixed(char *out, double value, int width, int decimals);

// "%<width>.<decimals>e" with a three-digit exponent: 3.8600e+000.
int format_exp(char *out, double value, int width, int decimals);

// "%ld".
int format_whole(char *out, long long value);

// The 17 significant decimal digits of |value| (correctly rounded) and the decimal exponent of
// the first: |value| is about d0.d1d2...d16 times ten to the exponent. Zero gives all zeros and 0.
void decimal_digits(double value, char digits[17], int *exponent);

}  // namespace modalyx
