// Text operations over code page 936 bytes. CP936 strings are written as byte
// escapes: "\xD6\xD0" is 中, "\x83\x7C" is 億 (its trail byte is '|'),
// "\xA3\xB1" is the full-width １.
#include "core/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace tessavel {
namespace {

TEST(TextCutting, LeftRightMiddleBounds) {
  struct Case {
    const char* what;
    Text result;
    Text expected;
  };
  const Text abc = "abc";
  const Case cases[] = {
      {"left 2", TextLeft(abc, 2), "ab"},
      {"left 0", TextLeft(abc, 0), ""},
      {"left -1", TextLeft(abc, -1), ""},
      {"left beyond", TextLeft(abc, 9), "abc"},
      {"left INT_MAX", TextLeft(abc, INT_MAX), "abc"},
      {"left INT_MIN", TextLeft(abc, INT_MIN), ""},
      {"left of empty", TextLeft("", 3), ""},
      {"right 2", TextRight(abc, 2), "bc"},
      {"right 0", TextRight(abc, 0), ""},
      {"right beyond", TextRight(abc, 4), "abc"},
      {"right INT_MAX", TextRight(abc, INT_MAX), "abc"},
      {"right INT_MIN", TextRight(abc, INT_MIN), ""},
      {"middle 3 for 5", TextMiddle(abc, 3, 5), "c"},
      {"middle 4 for 1", TextMiddle(abc, 4, 1), ""},
      {"middle 2 for 1", TextMiddle(abc, 2, 1), "b"},
      {"middle 1 for 3", TextMiddle(abc, 1, 3), "abc"},
      {"middle start 0", TextMiddle(abc, 0, 2), ""},
      {"middle n 0", TextMiddle(abc, 1, 0), ""},
      {"middle n -1", TextMiddle(abc, 1, -1), ""},
      {"middle INT_MAX start", TextMiddle(abc, INT_MAX, 1), ""},
      {"middle INT_MIN start", TextMiddle(abc, INT_MIN, 1), ""},
      {"middle INT_MAX n", TextMiddle(abc, 2, INT_MAX), "bc"},
      {"middle INT_MIN n", TextMiddle(abc, 2, INT_MIN), ""},
      // The cutting operations count bytes and may split a character.
      {"left splits a character", TextLeft("\xD6\xD0\xCE\xC4", 1), "\xD6"},
      {"middle from a trail byte", TextMiddle("\xD6\xD0\xCE\xC4", 2, 2), "\xD0\xCE"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength(abc), 3);
  EXPECT_EQ(TextLength("\xD6\xD0" "a"), 3);
}

TEST(TextSearch, FindCases) {
  struct Case {
    const char* what;
    Text t, sub;
    std::optional<int> start;
    bool ignoreCase;
    Position expected;
  };
  const Case cases[] = {
      {"from 3", "a-b-c", "-", 3, false, 4},
      {"from 1", "a-b-c", "-", 1, false, 2},
      {"start left out", "a-b-c", "-", std::nullopt, false, 2},
      {"start 0 means 1", "a-b-c", "-", 0, false, 2},
      {"start INT_MIN means 1", "a-b-c", "-", INT_MIN, false, 2},
      {"start on the occurrence", "a-b-c", "-", 4, false, 4},
      {"start after the last", "a-b-c", "-", 5, false, -1},
      {"start beyond the length", "a-b-c", "a", 6, false, -1},
      {"start INT_MAX", "a-b-c", "a", INT_MAX, false, -1},
      {"not found", "abc", "x", std::nullopt, false, -1},
      {"sub longer than t", "ab", "abc", std::nullopt, false, -1},
      {"sub at the end", "abc", "bc", std::nullopt, false, 2},
      {"case counts", "ABC", "b", std::nullopt, false, -1},
      {"ignore case", "ABC", "b", std::nullopt, true, 2},
      {"ignore case, sub in capitals", "abc", "BC", std::nullopt, true, 2},
      {"ignore case folds letters only", "a[c", "{", std::nullopt, true, -1},
      {"empty sub", "abc", "", std::nullopt, false, 1},
      {"empty sub, start inside", "abc", "", 3, false, 1},
      {"empty sub, start beyond", "abc", "", 4, false, -1},
      {"empty sub in empty text", "", "", std::nullopt, false, -1},
      {"empty text", "", "a", std::nullopt, false, -1},
      // 億 is 0x83 0x7C: its trail byte is '|' and must never be found.
      {"trail byte is not a character", "\x83\x7C", "|", std::nullopt, false, -1},
      {"character after a double-byte one", "\x83\x7C|", "|", std::nullopt, false, 3},
      {"double-byte character found", "a\xD6\xD0" "b", "\xD6\xD0", std::nullopt, false, 2},
      // \xD6\xD0\xCE\xC4 is 中文; \xD0\xCE straddles the two and is no character.
      {"no match across characters", "\xD6\xD0\xCE\xC4", "\xD0\xCE", std::nullopt, false, -1},
      {"lead byte at the very end", "ab\xD6", "\xD6", std::nullopt, false, 3},
      {"lead byte at the end ends the walk", "ab\xD6", "x", std::nullopt, false, -1},
      // A start on a trail byte begins the walk there.
      {"start on a trail byte", "\x83\x7C|", "|", 2, false, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextFind(c.t, c.sub, c.start, c.ignoreCase), c.expected) << c.what;
  }
}

TEST(TextSearch, FindLastCases) {
  struct Case {
    const char* what;
    Text t, sub;
    bool ignoreCase;
    Position expected;
  };
  const Case cases[] = {
      {"last backslash", "C:\\Downloads\\rhino\\setup.exe", "\\", false, 19},
      {"single occurrence", "abc", "b", false, 2},
      {"none", "abc", "x", false, -1},
      {"empty text", "", "x", false, -1},
      {"empty sub", "abc", "", false, 1},
      {"empty sub in empty text", "", "", false, -1},
      {"overlapping candidates", "aaa", "aa", false, 2},
      {"ignore case", "xAbxaB", "ab", true, 5},
      {"case counts", "xAbxaB", "ab", false, -1},
      // A backslash as a trail byte: 乗 is 0x81 0x5C in code page 936.
      {"trail byte backslash skipped", "a\\b\x81\x5C" "c", "\\", false, 2},
      {"lead byte at the very end", "\xD6\xD0\xD6", "\xD6", false, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(TextFindLast(c.t, c.sub, c.ignoreCase), c.expected) << c.what;
}

TEST(TextNumbers, ToIntegerCases) {
  struct Case {
    const char* what;
    Text t;
    int expected;
  };
  const Case cases[] = {
      {"leading zero", "0709", 709},
      {"trailing letters", "12ab", 12},
      {"empty", "", 0},
      {"no digit", "abc", 0},
      {"only a sign", "-", 0},
      {"negative", "-42", -42},
      {"plus", "+42", 42},
      {"two signs", "+-42", 0},
      {"leading white space", " \t\r\n42", 42},
      {"space after the sign stops", "- 42", 0},
      {"full-width digits", "\xA3\xB1\xA3\xB2", 12},
      {"full-width minus and digits", "\xA3\xAD\xA3\xB3", -3},
      {"full-width space before", "\xA1\xA1\xA1\xA1" "7", 7},
      {"full-width mixed with ASCII", "1\xA3\xB2" "3", 123},
      {"full-width letter stops", "5\xA3\xE1", 5},
      {"Chinese stops", "5\xD6\xD0" "6", 5},
      {"tilde form is no digit", "\xA1\xAB" "5", 0},
      // A full-width form only exists as a whole character: here \xA3 is a trail byte.
      {"A3 as a trail byte is not folded", "\xB0\xA3\xB1", 0},
      {"INT_MAX", "2147483647", INT_MAX},
      {"INT_MIN", "-2147483648", INT_MIN},
      {"overflow saturates", "2147483648", INT_MAX},
      {"underflow saturates", "-2147483649", INT_MIN},
      {"very long number saturates", std::string(400, '9'), INT_MAX},
      {"very long negative saturates", "-" + std::string(400, '9'), INT_MIN},
      {"many leading zeros", std::string(400, '0') + "15", 15},
      {"lead byte at the end", "3\xA3", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInteger(c.t), c.expected) << c.what;
}

TEST(TextNumbers, IntegerToTextCases) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(709), "709");
  EXPECT_EQ(IntegerToText(-5), "-5");
  EXPECT_EQ(IntegerToText(INT_MAX), "2147483647");
  EXPECT_EQ(IntegerToText(INT_MIN), "-2147483648");
  for (int i : {0, 1, -1, 12345, -98765, INT_MAX, INT_MIN}) {
    EXPECT_EQ(TextToInteger(IntegerToText(i)), i) << i;
  }
}

TEST(TextBytes, CharCodeCases) {
  struct Case {
    const char* what;
    Text t;
    int pos;
    int expected;
  };
  const Case cases[] = {
      {"ASCII", "aB", 2, 'B'},
      {"lead byte is negative", "\xD6\xD0", 1, 0xD6 - 256},
      {"trail byte is negative", "\xD6\xD0", 2, 0xD0 - 256},
      {"0x80", "\x80", 1, -128},
      {"0xFF", "\xFF", 1, -1},
      {"0x7F", "\x7F", 1, 127},
      {"empty text at 1", "", 1, 0},
      {"position 0", "a", 0, 0},
      {"past the end", "a", 2, 0},
      {"INT_MAX", "a", INT_MAX, 0},
      {"INT_MIN", "a", INT_MIN, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TextCharCode(c.t, c.pos), c.expected) << c.what;
}

TEST(TextBytes, ToUpperCases) {
  struct Case {
    const char* what;
    Text t;
    Text expected;
  };
  const Case cases[] = {
      {"letters", "rhino_en-us 6.17", "RHINO_EN-US 6.17"},
      {"empty", "", ""},
      {"all Chinese unchanged", "\xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4"},
      // 0x81 0x61 is one double-byte character whose trail byte is 'a'.
      {"trail byte in a-z kept", "\x81\x61" "a", "\x81\x61" "A"},
      {"trail byte z kept", "x\x8Fz", "X\x8Fz"},
      {"lead byte at the end", "a\xD6", "A\xD6"},
      {"other bytes kept", "[`{@]", "[`{@]"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToUpper(c.t), c.expected) << c.what;
}

TEST(TextReplace, Cases) {
  struct Case {
    const char* what;
    Text result;
    Text expected;
  };
  const Text t = "a-b-c-d";
  const Case cases[] = {
      {"all", TextReplace(t, "-", Text("+")), "a+b+c+d"},
      {"repl left out deletes", TextReplace(t, "-"), "abcd"},
      {"start left out, count 2", TextReplace(t, "-", Text("+"), std::nullopt, 2), "a+b+c-d"},
      {"repl and start left out, count 1", TextReplace(t, "-", std::nullopt, std::nullopt, 1), "ab-c-d"},
      {"start 3", TextReplace(t, "-", Text("+"), 3), "a-b+c+d"},
      {"start 3, repl left out", TextReplace(t, "-", std::nullopt, 3), "a-bcd"},
      {"start 3, count 1", TextReplace(t, "-", Text("+"), 3, 1), "a-b+c-d"},
      {"start on the occurrence", TextReplace(t, "-", Text("+"), 4), "a-b+c+d"},
      {"start 0 means 1", TextReplace(t, "-", Text("+"), 0), "a+b+c+d"},
      {"start INT_MIN means 1", TextReplace(t, "-", Text("+"), INT_MIN), "a+b+c+d"},
      {"start beyond", TextReplace(t, "-", Text("+"), 8), t},
      {"start INT_MAX", TextReplace(t, "-", Text("+"), INT_MAX), t},
      {"count 0 unchanged", TextReplace(t, "-", Text("+"), std::nullopt, 0), t},
      {"negative count unchanged", TextReplace(t, "-", Text("+"), std::nullopt, -1), t},
      {"count INT_MIN unchanged", TextReplace(t, "-", Text("+"), std::nullopt, INT_MIN), t},
      {"count INT_MAX", TextReplace(t, "-", Text("+"), std::nullopt, INT_MAX), "a+b+c+d"},
      {"count beyond the occurrences", TextReplace(t, "-", Text("+"), 1, 10), "a+b+c+d"},
      {"empty t", TextReplace("", "-", Text("+")), ""},
      {"empty sub", TextReplace(t, "", Text("+")), t},
      {"no overlap", TextReplace("aaaa", "aa", Text("b")), "bb"},
      {"no overlap, odd", TextReplace("aaa", "aa", Text("b")), "ba"},
      {"longer repl", TextReplace("x.y", ".", Text("...")), "x...y"},
      {"repl holding sub is not rescanned", TextReplace("ab", "a", Text("aa")), "aab"},
      {"case counts by default", TextReplace("Ab-ab", "ab", Text("X")), "Ab-X"},
      {"case-insensitive", TextReplace("Ab-ab", "ab", Text("X"), std::nullopt, std::nullopt, false), "X-X"},
      {"trail byte never replaced", TextReplace("\x83\x7C|", "|", Text("/")), "\x83\x7C/"},
      {"double-byte sub", TextReplace("\xD6\xD0" "a\xD6\xD0", "\xD6\xD0", Text("z")), "zaz"},
      {"not across characters", TextReplace("\xD6\xD0\xCE\xC4", "\xD0\xCE", Text("z")), "\xD6\xD0\xCE\xC4"},
      {"lead byte at the end kept", TextReplace("a-\xD6", "-", Text("+")), "a+\xD6"},
      {"quote marker", TextReplace("x#\xD2\xFD\xBA\xC5y", "#\xD2\xFD\xBA\xC5", Text("\"")), "x\"y"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(TextBuilding, RepeatBlankConcat) {
  EXPECT_EQ(TextRepeat(3, "ab"), "ababab");
  EXPECT_EQ(TextRepeat(1, "ab"), "ab");
  EXPECT_EQ(TextRepeat(0, "ab"), "");
  EXPECT_EQ(TextRepeat(-1, "ab"), "");
  EXPECT_EQ(TextRepeat(INT_MIN, "ab"), "");
  EXPECT_EQ(TextRepeat(5, ""), "");
  EXPECT_EQ(TextRepeat(INT_MAX, ""), "");
  // A result of gigabytes is refused, not attempted.
  EXPECT_EQ(TextRepeat(INT_MAX, "abc"), "");
  EXPECT_EQ(TextRepeat(INT_MAX, "a"), "");
  EXPECT_EQ(TextBlank(3), "   ");
  EXPECT_EQ(TextBlank(0), "");
  EXPECT_EQ(TextBlank(-3), "");
  EXPECT_EQ(TextBlank(INT_MIN), "");
  EXPECT_EQ(TextBlank(INT_MAX), "");
  EXPECT_EQ(TextConcat("a", Text("b"), "", "\xD6\xD0"), "ab\xD6\xD0");
  EXPECT_EQ(TextConcat(), "");
  EXPECT_EQ(TextConcat(Text("x")), "x");
}

TEST(TextBuilding, SeveralMegabytes) {
  const int n = 4 * 1024 * 1024;
  Text blank = TextBlank(n);
  ASSERT_EQ(TextLength(blank), n);
  EXPECT_EQ(TextFind(blank, "x"), -1);
  EXPECT_EQ(TextFindLast(blank, " "), n);
  Text big = TextRepeat(n / 2, "\xD6\xD0");
  ASSERT_EQ(TextLength(big), n);
  EXPECT_EQ(TextCharCode(big, n), 0xD0 - 256);
  EXPECT_EQ(TextFind(big, "\xD0\xD6"), -1);
  EXPECT_EQ(TextFindLast(big, "\xD6\xD0"), n - 1);
  EXPECT_EQ(TextToUpper(big), big);
  EXPECT_EQ(TextLength(TextReplace(big, "\xD6\xD0", Text("a"))), n / 2);
  EXPECT_EQ(TextMiddle(TextConcat(big, "end"), n + 1, 3), "end");
  EXPECT_EQ(TextToInteger(TextConcat(blank, "77")), 77);
}

TEST(TextCompare, Cases) {
  struct Case {
    const char* what;
    Text a, b;
    int expected;
  };
  const Case cases[] = {
      {"equal", "abc", "abc", 0},
      {"both empty", "", "", 0},
      {"empty first", "", "a", -1},
      {"empty second", "a", "", 1},
      {"prefix sorts first", "ab", "abc", -1},
      {"longer after", "abc", "ab", 1},
      {"case counts", "A", "a", -1},
      {"bytes unsigned", "\xD6", "a", 1},
      {"bytes unsigned, reversed", "a", "\xD6", -1},
      {"0x80 above 0x7F", "\x7F", "\x80", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(TextCompare(c.a, c.b), c.expected) << c.what;
}

}  // namespace
}  // namespace tessavel
