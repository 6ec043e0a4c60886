// Number reading and the fixed output forms.
#include "extract/number_forms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace modalyx {
namespace {

constexpr int SIG_DIGITS = 17;                   // enough to tell every double from its neighbours
constexpr std::uint32_t LIMB_BASE = 1000000000;  // nine decimal digits per limb
// |m| * 5^1126 (the smallest subnormal) has about 805 digits, 2^1024 has 309.
constexpr int LIMBS = 100;
constexpr int NUMBER_COPY_SIZE = 512;  // a number span longer than any line the program reads

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// An unsigned integer of up to LIMBS base-1e9 limbs, least significant first.
struct Big {
  std::array<std::uint32_t, LIMBS> limb;
  int used;
};

void big_multiply(Big &b, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (int i = 0; i < b.used; ++i) {
    std::uint64_t t = std::uint64_t{b.limb[i]} * factor + carry;
    b.limb[i] = static_cast<std::uint32_t>(t % LIMB_BASE);
    carry = t / LIMB_BASE;
  }
  while (carry != 0 && b.used < LIMBS) {
    b.limb[b.used++] = static_cast<std::uint32_t>(carry % LIMB_BASE);
    carry /= LIMB_BASE;
  }
}

// Writes the decimal digits of b without leading zeros; returns their number.
int big_digits(const Big &b, char *out) {
  int n = 0;
  int top = b.used - 1;
  char group[16];
  int g = 0;
  for (std::uint32_t v = b.limb[top]; v != 0 || g == 0; v /= 10) group[g++] = static_cast<char>('0' + v % 10);
  while (g > 0) out[n++] = group[--g];
  for (int i = top - 1; i >= 0; --i) {
    std::uint32_t v = b.limb[i];
    for (int k = 8; k >= 0; --k) {
      out[n + k] = static_cast<char>('0' + v % 10);
      v /= 10;
    }
    n += 9;
  }
  return n;
}

// Adds one unit at the last of the n digits; returns true when the carry ran out of the first.
bool round_up(char *digits, int n) {
  for (int i = n - 1; i >= 0; --i) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

int pad_left(char *out, const char *body, int length, int width) {
  int pad = width > length ? width - length : 0;
  std::memset(out, ' ', static_cast<std::size_t>(pad));
  std::memcpy(out + pad, body, static_cast<std::size_t>(length));
  out[pad + length] = '\0';
  return pad + length;
}

// "inf", "-inf" or "nan", as the C library prints them.
int format_special(char *out, double value, int width) {
  const char *text = std::isnan(value) ? "nan" : std::signbit(value) ? "-inf" : "inf";
  return pad_left(out, text, static_cast<int>(std::strlen(text)), width);
}

}  // namespace

void decimal_digits(double value, char digits[17], int *exponent) {
  std::memset(digits, '0', SIG_DIGITS);
  *exponent = 0;
  double a = std::fabs(value);
  if (a == 0 || !std::isfinite(a)) return;

  // a = mantissa * 2^shift exactly; for shift < 0, a = mantissa * 5^-shift / 10^-shift.
  int e2 = 0;
  double m = std::frexp(a, &e2);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 53));
  int shift = e2 - 53;
  Big b{};
  b.used = 0;
  for (; mantissa != 0; mantissa /= LIMB_BASE) b.limb[b.used++] = static_cast<std::uint32_t>(mantissa % LIMB_BASE);
  int point = 0;  // decimal digits after the point
  if (shift > 0) {
    for (int s = shift; s > 0; s -= 29) big_multiply(b, std::uint32_t{1} << (s < 29 ? s : 29));
  } else if (shift < 0) {
    point = -shift;
    for (int s = point; s > 0; s -= 13) {
      std::uint32_t f = 1;
      for (int k = 0; k < (s < 13 ? s : 13); ++k) f *= 5;
      big_multiply(b, f);
    }
  }

  std::array<char, LIMBS * 9 + 16> all{};
  int n = big_digits(b, all.data());
  *exponent = n - 1 - point;
  if (n <= SIG_DIGITS) {
    std::memcpy(digits, all.data(), static_cast<std::size_t>(n));
    return;
  }
  std::memcpy(digits, all.data(), SIG_DIGITS);
  // Round to nearest, ties to even, as an exact conversion does.
  char next = all[SIG_DIGITS];
  bool rest = false;
  for (int i = SIG_DIGITS + 1; i < n && !rest; ++i) rest = all[static_cast<std::size_t>(i)] != '0';
  bool odd = ((digits[SIG_DIGITS - 1] - '0') & 1) != 0;
  if (next > '5' || (next == '5' && (rest || odd))) {
    if (round_up(digits, SIG_DIGITS)) {
      digits[0] = '1';
      ++*exponent;
    }
  }
}

int format_fixed(char *out, double value, int width, int decimals) {
  if (!std::isfinite(value)) return format_special(out, value, width);
  char d[SIG_DIGITS];
  int x = 0;
  decimal_digits(value, d, &x);
  if (value == 0) x = 0;

  // Digits for the places 10^hi down to 10^-decimals, plus one spare place in front for a carry.
  int hi = x > 0 ? x : 0;
  int count = hi + 1 + decimals;
  if (count > FORM_SIZE - 8) count = FORM_SIZE - 8;  // cannot happen for a double and four decimals
  char places[FORM_SIZE];
  places[0] = '0';
  for (int k = 0; k < count; ++k) {
    int i = x - (hi - k);  // index in d of the place 10^(hi-k)
    places[k + 1] = (value != 0 && i >= 0 && i < SIG_DIGITS) ? d[i] : '0';
  }
  int first_dropped = x - (hi - count);  // index in d of the place just below the last kept
  if (value != 0 && first_dropped >= 0 && first_dropped < SIG_DIGITS && d[first_dropped] >= '5')
    round_up(places, count + 1);

  char body[FORM_SIZE];
  int n = 0;
  if (std::signbit(value)) body[n++] = '-';
  int int_digits = hi + 1;
  int start = places[0] == '0' ? 1 : 0;  // the spare place shows only when a carry reached it
  for (int k = start; k <= int_digits; ++k) body[n++] = places[k];
  if (decimals > 0) {
    body[n++] = '.';
    for (int k = int_digits + 1; k <= count; ++k) body[n++] = places[k];
  }
  return pad_left(out, body, n, width);
}

int format_exp(char *out, double value, int width, int decimals) {
  if (!std::isfinite(value)) return format_special(out, value, width);
  char d[SIG_DIGITS];
  int x = 0;
  decimal_digits(value, d, &x);
  int sig = std::min(decimals + 1, SIG_DIGITS);  // digits shown
  bool dropped_half = sig < SIG_DIGITS && d[sig] >= '5';
  if (dropped_half && round_up(d, sig)) {
    d[0] = '1';
    ++x;
  }

  char body[FORM_SIZE];
  int n = 0;
  if (std::signbit(value)) body[n++] = '-';
  body[n++] = d[0];
  if (decimals > 0) body[n++] = '.';
  for (int k = 1; k <= decimals; ++k) body[n++] = k < sig ? d[k] : '0';
  body[n++] = 'e';
  body[n++] = x < 0 ? '-' : '+';
  int ax = x < 0 ? -x : x;
  body[n++] = static_cast<char>('0' + ax / 100);
  body[n++] = static_cast<char>('0' + ax / 10 % 10);
  body[n++] = static_cast<char>('0' + ax % 10);
  return pad_left(out, body, n, width);
}

int format_whole(char *out, long long value) {
  char body[32];
  int n = 0;
  unsigned long long mag =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  char rev[24];
  int r = 0;
  do {
    rev[r++] = static_cast<char>('0' + mag % 10);
    mag /= 10;
  } while (mag != 0);
  if (value < 0) body[n++] = '-';
  while (r > 0) body[n++] = rev[--r];
  return pad_left(out, body, n, 0);
}

const char *read_number(const char *s, double *value, bool fortran_exponent) {
  const char *p = s;
  while (is_space(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  const char *mantissa = p;
  int leading = 0;  // order of magnitude of the first non-zero digit, as a place
  bool seen_nonzero = false;
  int int_digits = 0;
  for (; is_digit(*p); ++p, ++int_digits) {
    if (*p != '0' && !seen_nonzero) seen_nonzero = true;
    if (seen_nonzero) ++leading;
  }
  int frac_digits = 0;
  if (*p == '.') {
    for (++p; is_digit(*p); ++p, ++frac_digits) {
      if (!seen_nonzero) {
        if (*p != '0')
          seen_nonzero = true;
        else
          --leading;
      }
    }
  }
  if (int_digits + frac_digits == 0) return nullptr;
  const char *end = p;
  long exponent = 0;
  bool fortran = false;
  if (*p == 'E' || *p == 'e' || (fortran_exponent && (*p == 'D' || *p == 'd'))) {
    const char *q = p + 1;
    bool exp_negative = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    if (is_digit(*q)) {
      for (; is_digit(*q); ++q) exponent = exponent < 100000 ? exponent * 10 + (*q - '0') : exponent;
      if (exp_negative) exponent = -exponent;
      fortran = *p == 'D' || *p == 'd';
      end = q;
    }
  }

  // The span is a plain decimal number now; the standard conversion rounds it correctly and
  // never looks at locale, hex or "inf". Only a D exponent needs a copy with the letter changed.
  std::array<char, NUMBER_COPY_SIZE> copy{};
  const char *first = mantissa;
  const char *last = end;
  if (fortran) {
    auto length = static_cast<std::size_t>(end - mantissa);
    if (length >= copy.size()) length = copy.size() - 1;  // longer than any line read here
    std::memcpy(copy.data(), mantissa, length);
    for (std::size_t i = 0; i < length; ++i)
      if (copy[i] == 'D' || copy[i] == 'd') copy[i] = 'e';
    first = copy.data();
    last = copy.data() + length;
  }
  double v = 0;
  auto result = std::from_chars(first, last, v, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range)
    v = seen_nonzero && leading - 1 + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  *value = negative ? -v : v;
  return end;
}

double word_number(const char *word) {
  double v = 0;
  return read_number(word, &v, true) != nullptr ? v : 0.0;
}

const char *read_whole(const char *s, long long *value) {
  const char *p = s;
  while (is_space(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (!is_digit(*p)) return nullptr;
  constexpr long long most = std::numeric_limits<long long>::max();
  long long v = 0;
  for (; is_digit(*p); ++p) {
    int digit = *p - '0';
    v = v > (most - digit) / 10 ? most : v * 10 + digit;
  }
  *value = negative ? -v : v;
  return p;
}

}  // namespace modalyx
