// Text: a byte string in code page 936 (a byte of 0x80 or more opens a
// two-byte character), with no embedded NUL. Every operation takes values and
// returns a new value; none fails or throws: out-of-range arguments give the
// empty text, 0 or -1. Positions are 1-based bytes; -1 means "not found".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

namespace tessavel {

using Text = std::string;
using Position = int;

int TextLength(const Text& t);
Text TextLeft(const Text& t, int n);
Text TextRight(const Text& t, int n);
Text TextMiddle(const Text& t, int start, int n);

// The searches step over double-byte characters, so no match ever starts on a
// trail byte. A start left out (or below 1) means 1.
Position TextFind(const Text& t, const Text& sub, std::optional<int> start = std::nullopt,
                  bool ignoreCase = false);
Position TextFindLast(const Text& t, const Text& sub, bool ignoreCase = false);

int TextToInteger(const Text& t);
Text IntegerToText(std::int32_t i);
Text TextRepeat(int n, const Text& t);
int TextCharCode(const Text& t, int pos);
Text TextToUpper(const Text& t);

// Replaces occurrences of sub from start on, at most count times. Each of
// repl, start and count may be left out on its own (std::nullopt).
Text TextReplace(const Text& t, const Text& sub, std::optional<Text> repl = std::nullopt,
                 std::optional<int> start = std::nullopt, std::optional<int> count = std::nullopt,
                 bool caseSensitive = true);

Text TextBlank(int n);
Text TextConcat(std::initializer_list<Text> parts);
template <class... Parts>
Text TextConcat(const Parts&... parts) {
  return TextConcat({Text(parts)...});
}
int TextCompare(const Text& a, const Text& b);

}  // namespace tessavel
