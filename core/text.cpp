// The text operations over code page 936 byte strings.
//
// Limits chosen here, where the operations' contract leaves them open:
// - TextToInteger saturates: a number beyond the 32-bit range reads as
//   INT_MAX or INT_MIN (never wraps, never overflows).
// - TextReplace with a count below 1 replaces nothing and returns t unchanged,
//   as a count of 0 does (every other count or length below 1 in these
//   operations also means "nothing").
// - The building operations (TextRepeat, TextBlank) refuse to produce a text
//   longer than kMaxBuiltText bytes and give the empty text instead, so that a
//   count such as INT_MAX can never ask for gigabytes. Any other failure to
//   allocate also gives the empty text; no operation throws.
#include "core/text.h"

#include <climits>
#include <cstddef>
#include <new>

namespace tessavel {
namespace {

// 256 MiB: far above any text the tool handles, far below the address space.
constexpr std::size_t kMaxBuiltText = std::size_t{1} << 28;

unsigned char Byte(const Text& t, std::size_t i) { return static_cast<unsigned char>(t[i]); }

bool IsLeadByte(unsigned char b) { return b >= 0x80; }

unsigned char FoldAscii(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

// Whether sub occurs in t at byte index i.
bool OccursAt(const Text& t, std::size_t i, const Text& sub, bool ignoreCase) {
  if (sub.size() > t.size() - i) return false;
  for (std::size_t k = 0; k < sub.size(); ++k) {
    unsigned char a = Byte(t, i + k), b = Byte(sub, k);
    if (ignoreCase ? FoldAscii(a) != FoldAscii(b) : a != b) return false;
  }
  return true;
}

// The byte index of the next character after the one at i: a lead byte takes
// its trail byte with it (a lead byte at the end simply ends the text).
std::size_t NextCharacter(const Text& t, std::size_t i) {
  return IsLeadByte(Byte(t, i)) ? i + 2 : i + 1;
}

int ClampToInt(std::size_t n) { return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n); }

// Byte index for a 1-based position that may be left out or below 1.
std::size_t StartIndex(std::optional<int> start) {
  return (!start || *start < 1) ? 0 : static_cast<std::size_t>(*start) - 1;
}

// Runs a building step; a failed allocation gives the empty text.
template <class F>
Text Built(F&& f) noexcept {
  try {
    return f();
  } catch (...) {
    return Text();
  }
}

}  // namespace

int TextLength(const Text& t) { return ClampToInt(t.size()); }

Text TextLeft(const Text& t, int n) {
  return Built([&] { return n <= 0 ? Text() : t.substr(0, static_cast<std::size_t>(n)); });
}

Text TextRight(const Text& t, int n) {
  return Built([&] {
    if (n <= 0) return Text();
    std::size_t k = static_cast<std::size_t>(n);
    return k >= t.size() ? t : t.substr(t.size() - k);
  });
}

Text TextMiddle(const Text& t, int start, int n) {
  return Built([&] {
    if (start < 1 || n <= 0 || static_cast<std::size_t>(start) > t.size()) return Text();
    return t.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n));
  });
}

Position TextFind(const Text& t, const Text& sub, std::optional<int> start, bool ignoreCase) {
  std::size_t i = StartIndex(start);
  if (i >= t.size()) return -1;
  if (sub.empty()) return 1;
  for (; i < t.size(); i = NextCharacter(t, i)) {
    if (OccursAt(t, i, sub, ignoreCase)) return ClampToInt(i + 1);
  }
  return -1;
}

Position TextFindLast(const Text& t, const Text& sub, bool ignoreCase) {
  if (t.empty()) return -1;
  if (sub.empty()) return 1;
  Position last = -1;
  for (std::size_t i = 0; i < t.size(); i = NextCharacter(t, i)) {
    if (OccursAt(t, i, sub, ignoreCase)) last = ClampToInt(i + 1);
  }
  return last;
}

int TextToInteger(const Text& t) {
  // Fold the full-width forms to their ASCII bytes, character by character.
  Text folded;
  try {
    folded.reserve(t.size());
  } catch (...) {
    // Reading goes on without the reservation.
  }
  try {
    for (std::size_t i = 0; i < t.size();) {
      unsigned char b = Byte(t, i);
      if (!IsLeadByte(b) || i + 1 >= t.size()) {
        folded.push_back(static_cast<char>(b));
        ++i;
        continue;
      }
      unsigned char trail = Byte(t, i + 1);
      if (b == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        folded.push_back(static_cast<char>(trail & 0x7F));
      } else if (b == 0xA1 && trail == 0xA1) {
        folded.push_back(' ');
      } else if (b == 0xA1 && trail == 0xAB) {
        folded.push_back('~');
      } else if (b == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        folded.push_back('*');
      } else {
        folded.push_back(static_cast<char>(b));
        folded.push_back(static_cast<char>(trail));
      }
      i += 2;
    }
  } catch (...) {
    return 0;
  }

  std::size_t i = 0;
  auto isSpace = [](unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < folded.size() && isSpace(Byte(folded, i))) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
    negative = folded[i] == '-';
    ++i;
  }
  // Accumulate as a negative number so INT_MIN is reachable; saturate.
  long long value = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    value = value * 10 - (folded[i] - '0');
    if (value < static_cast<long long>(INT_MIN)) {
      value = static_cast<long long>(INT_MIN) - 1;  // stays below the range
    }
  }
  if (negative) return value < INT_MIN ? INT_MIN : static_cast<int>(value);
  if (value < -static_cast<long long>(INT_MAX)) return INT_MAX;
  return static_cast<int>(-value);
}

Text IntegerToText(std::int32_t i) {
  return Built([&] { return std::to_string(i); });
}

Text TextRepeat(int n, const Text& t) {
  return Built([&] {
    if (n <= 0 || t.empty()) return Text();
    std::size_t count = static_cast<std::size_t>(n);
    if (t.size() > kMaxBuiltText / count) return Text();
    Text out;
    out.reserve(t.size() * count);
    for (std::size_t k = 0; k < count; ++k) out += t;
    return out;
  });
}

int TextCharCode(const Text& t, int pos) {
  if (pos < 1 || static_cast<std::size_t>(pos) > t.size()) return 0;
  int b = Byte(t, static_cast<std::size_t>(pos) - 1);
  return b >= 0x80 ? b - 0x100 : b;
}

Text TextToUpper(const Text& t) {
  return Built([&] {
    Text out = t;
    for (std::size_t i = 0; i < out.size(); i = NextCharacter(out, i)) {
      unsigned char b = Byte(out, i);
      if (b >= 'a' && b <= 'z') out[i] = static_cast<char>(b - 'a' + 'A');
    }
    return out;
  });
}

Text TextReplace(const Text& t, const Text& sub, std::optional<Text> repl, std::optional<int> start,
                 std::optional<int> count, bool caseSensitive) {
  return Built([&] {
    std::size_t from = StartIndex(start);
    if (t.empty() || sub.empty() || from >= t.size() || (count && *count < 1)) return t;
    const Text replacement = repl ? *repl : Text();
    long long remaining = count ? *count : -1;  // -1: no limit
    Text out(t, 0, from);
    std::size_t i = from;
    while (i < t.size() && remaining != 0) {
      if (OccursAt(t, i, sub, !caseSensitive)) {
        out += replacement;
        i += sub.size();
        if (remaining > 0) --remaining;
        continue;
      }
      std::size_t next = NextCharacter(t, i);
      if (next > t.size()) next = t.size();
      out.append(t, i, next - i);
      i = next;
    }
    if (i < t.size()) out.append(t, i, Text::npos);
    return out;
  });
}

Text TextBlank(int n) {
  return Built([&] {
    if (n < 1 || static_cast<std::size_t>(n) > kMaxBuiltText) return Text();
    return Text(static_cast<std::size_t>(n), ' ');
  });
}

Text TextConcat(std::initializer_list<Text> parts) {
  return Built([&] {
    std::size_t total = 0;
    for (const Text& p : parts) total += p.size();
    Text out;
    out.reserve(total);
    for (const Text& p : parts) out += p;
    return out;
  });
}

int TextCompare(const Text& a, const Text& b) {
  // std::char_traits<char>::compare orders bytes as unsigned char.
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace tessavel
