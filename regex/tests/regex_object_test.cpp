// RegexObject over code page 936 subjects. CP936 strings are byte escapes:
// "\xD6\xD0" 中, "\xCE\xC4" 文, "\xA6\xC1" α, "\xA6\xA1" Α, "\xA7\xD5" д,
// "\xA7\xA5" Д, "\xA3\xB1" full-width １, "#\xD2\xFD\xBA\xC5" the quote marker.
#include "regex/regex_object.h"

#include "core/codepage.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace tessavel {
namespace {

const Text kVersionPattern = R"re((\d.?)\.(\d.?)\.(\d{5}.?)\.(\d{5}?))re";
const Text kDatePattern =
    R"re(\/(\d{4}.[01|02|03|04|05|06|07|08|09|10|11|12].[01|02|03|04|05|06|07|08|09|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|30|31])\/)re";
const Text kLanguagePattern = "_([a-z]{2}-[a-z]{2})_";
const Text kMainInstallerPattern = R"re(rhino_(\w{2}\-\w{2})_(\d.?)\.(\d.?)\.(\d{5}.?)\.(\d{5}?)\.exe)re";
const Text kLanguagePackPattern =
    R"re(rhino_(\w{2}\-\w{2})_languagepack_(\d.?)\.(\d.?)\.(\d{5}.?)\.(\d{5}.?)\.msi)re";
const Text kLink = "https://files.example.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe";

// All match texts of one run, in order.
std::vector<Text> Matches(const RegexObject& r) {
  std::vector<Text> out;
  for (int i = 1; i <= r.GetMatchCount(); ++i) out.push_back(r.GetMatchText(i));
  return out;
}

TEST(RegexObject, BeforeAnyCreate) {
  RegexObject r;
  int offset = 7;
  EXPECT_EQ(r.GetMatchCount(), 0);
  EXPECT_EQ(r.GetSubmatchCount(), 0);
  EXPECT_EQ(r.GetPattern(), "");
  EXPECT_EQ(r.Replace("x"), "");
  EXPECT_EQ(r.GetMatchText(1, &offset), "");
  EXPECT_EQ(offset, -1);
  EXPECT_EQ(r.GetSubmatchText(1, 1), "");
}

TEST(RegexObject, NoMatchIsARun) {
  RegexObject r;
  EXPECT_TRUE(r.Create("abc", "xyz"));
  EXPECT_EQ(r.GetMatchCount(), 0);
  EXPECT_EQ(r.GetMatchText(1), "");
  EXPECT_EQ(r.GetSubmatchCount(), 0);
  EXPECT_EQ(r.GetPattern(), "abc");
  EXPECT_EQ(r.Replace("q"), "xyz");
}

TEST(RegexObject, InvalidPatternGivesNothing) {
  const Text patterns[] = {"(abc", "abc)", "[abc", "a{2,1}", "\\", "*a", "a{1,99999}", "(?<x>a)", "x{99999999999}"};
  for (const Text& p : patterns) {
    RegexObject r;
    EXPECT_FALSE(r.Create(p, "abc a{2,1} (abc")) << p;
    EXPECT_EQ(r.GetMatchCount(), 0) << p;
    EXPECT_EQ(r.GetSubmatchCount(), 0) << p;
    EXPECT_EQ(r.GetMatchText(1), "") << p;
    EXPECT_EQ(r.GetSubmatchText(1, 1), "") << p;
    EXPECT_EQ(r.GetPattern(), "") << p;
    EXPECT_EQ(r.Replace("x"), "") << p;
  }
}

TEST(RegexObject, LaterCreateReplacesTheEarlierRun) {
  RegexObject r;
  ASSERT_TRUE(r.Create("\\d", "a1b2"));
  ASSERT_EQ(r.GetMatchCount(), 2);
  EXPECT_FALSE(r.Create("(", "a1b2"));
  EXPECT_EQ(r.GetMatchCount(), 0);
  EXPECT_EQ(r.GetMatchText(1), "");
  ASSERT_TRUE(r.Create("[a-z]", "a1b2"));
  EXPECT_EQ(Matches(r), (std::vector<Text>{"a", "b"}));
}

TEST(RegexObject, IndexesOutOfRange) {
  RegexObject r;
  ASSERT_TRUE(r.Create("([a-z])(\\d)", "a1 b2 c3"));
  ASSERT_EQ(r.GetMatchCount(), 3);
  ASSERT_EQ(r.GetSubmatchCount(), 2);
  struct Case {
    int match, group;
    Text expected;
  };
  const Case cases[] = {
      {1, 1, "a"},       {3, 2, "3"},  {2, 1, "b"},       {0, 1, ""},       {4, 1, ""},
      {-1, 1, ""},       {INT_MIN, 1, ""}, {INT_MAX, 1, ""}, {1, 0, ""},   {1, 3, ""},
      {1, -1, ""},       {1, INT_MIN, ""}, {1, INT_MAX, ""},
  };
  for (const Case& c : cases) {
    int offset = 99;
    EXPECT_EQ(r.GetSubmatchText(c.match, c.group, &offset), c.expected) << c.match << "/" << c.group;
    if (c.expected.empty()) {
      EXPECT_EQ(offset, -1) << c.match << "/" << c.group;
    }
  }
  for (int index : {0, -1, 4, INT_MIN, INT_MAX}) {
    int offset = 99;
    EXPECT_EQ(r.GetMatchText(index, &offset), "") << index;
    EXPECT_EQ(offset, -1) << index;
  }
  EXPECT_EQ(r.GetMatchText(2), "b2");
}

TEST(RegexObject, VersionPattern) {
  struct Case {
    const char* what;
    Text subject;
    int groups;
    std::vector<Text> expected;  // the match, then groups 1-4
  };
  const Case cases[] = {
      {"plain version", "6.17.19190.13001", 4, {"6.17.19190.13001", "6", "17", "19190", "13001"}},
      {"inside a link", kLink, 4, {"6.17.19190.13001", "6", "17", "19190", "13001"}},
      {"six-digit build", "7.0.191901.13001", 4, {"7.0.191901.13001", "7", "0", "191901", "13001"}},
      {"double-byte after the digit", "6\xD6\xD0.17.19190.13001", 4,
       {"6\xD6\xD0.17.19190.13001", "6\xD6\xD0", "17", "19190", "13001"}},
      {"double-byte in the build", "6.1.19190\xCE\xC4.13001", 4,
       {"6.1.19190\xCE\xC4.13001", "6", "1", "19190\xCE\xC4", "13001"}},
      {"lazy {5}? takes five", "6.17.19190.130012", 4, {"6.17.19190.13001", "6", "17", "19190", "13001"}},
      {"no version", "Rhino 6.17 build", 0, {}},
      {"short build", "6.17.1919.13001", 0, {}},
      {"empty subject", "", 0, {}},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(kVersionPattern, c.subject)) << c.what;
    EXPECT_EQ(r.GetSubmatchCount(), c.groups) << c.what;
    if (c.expected.empty()) {
      EXPECT_EQ(r.GetMatchCount(), 0) << c.what;
      continue;
    }
    EXPECT_EQ(r.GetMatchText(1), c.expected[0]) << c.what;
    for (int g = 1; g <= 4; ++g) EXPECT_EQ(r.GetSubmatchText(1, g), c.expected[g]) << c.what << " group " << g;
  }
}

TEST(RegexObject, DatePatternBracketsAreSets) {
  struct Case {
    const char* what;
    Text subject;
    Text expected;
  };
  const Case cases[] = {
      {"link", kLink, "20190709"},
      {"vertical bars", "/2019x|y|/", "2019x|y|"},
      {"any digit in the sets", "/2019-9-9/", "2019-9-9"},
      {"two-character month is no alternative", "/2019-12-31/", ""},
      {"letter is not in the set", "/2019-a-1/", ""},
      {"double-byte middle character", "/2019\xD6\xD0" "1\xCE\xC4" "2/", "2019\xD6\xD0" "1\xCE\xC4" "2"},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(kDatePattern, c.subject)) << c.what;
    EXPECT_EQ(r.GetSubmatchText(1, 1), c.expected) << c.what;
  }
}

TEST(RegexObject, CaseRules) {
  struct Case {
    const char* what;
    Text pattern, subject;
    std::optional<bool> caseSensitive;
    std::vector<Text> expected;
  };
  const Case cases[] = {
      {"language keeps the subject's case", kLanguagePattern, "rhino_EN-US_6.17", std::nullopt, {"_EN-US_"}},
      {"language lower case", kLanguagePattern, "rhino_en-us_6.17", std::nullopt, {"_en-us_"}},
      {"case-sensitive refuses capitals", kLanguagePattern, "rhino_EN-US_6.17", true, {}},
      {"case-sensitive false ignores case", kLanguagePattern, "rhino_EN-US_6.17", false, {"_EN-US_"}},
      {"upper range matches lower", "[A-Z]+", "abc", std::nullopt, {"abc"}},
      {"mixed range", "[b-y]+", "aBxYz", std::nullopt, {"BxY"}},
      {"literal letter", "rhino", "RHINO", std::nullopt, {"RHINO"}},
      {"Greek letters are not folded", "\xA6\xC1", "\xA6\xA1", std::nullopt, {}},
      {"Greek letter matches itself", "\xA6\xC1", "\xA6\xA1\xA6\xC1", std::nullopt, {"\xA6\xC1"}},
      {"Cyrillic letters are not folded", "\xA7\xD5", "\xA7\xA5", std::nullopt, {}},
      {"Cyrillic range is not folded", "[\xA7\xD1-\xA7\xF1]", "\xA7\xA5", std::nullopt, {}},
      {"full-width letters are not folded", "\xA3\xE1", "\xA3\xC1", std::nullopt, {}},
      // Ranges and sets, ignoring case and with it.
      {"range takes the other case", "[a-f]+", "xAbFg", std::nullopt, {"AbF"}},
      {"range with case", "[a-f]+", "xAbFg", true, {"b"}},
      {"negated range refuses both cases", "[^a-z]+", "aB1-c", std::nullopt, {"1-"}},
      {"negated upper range refuses both cases", "[^A-Z]+", "aB1-C", std::nullopt, {"1-"}},
      {"negated range with case", "[^a-z]+", "aB1-c", true, {"B1-"}},
      {"range over letters and punctuation", "[Z-a]+", "zA_[q", std::nullopt, {"zA_["}},
      {"single letters in a set", "[xq]+", "XqQx-", std::nullopt, {"XqQx"}},
      {"trailing dash stays a dash", "[x-]+", "aX-x+", std::nullopt, {"X-x"}},
      {"leading dash stays a dash", "[-x]+", "aX-x+", std::nullopt, {"X-x"}},
      {"range ending in a dash", "[!--]+", "a,!-A", std::nullopt, {",!-"}},
      {"letter after a dash range", "[!--q]+", "Q,!-a", std::nullopt, {"Q,!-"}},
      {"range right after a range", "[a-cx-z]+", "BYw", std::nullopt, {"BY"}},
      {"escaped dash between letters", "[a\\-c]+", "AbC-", std::nullopt, {"A", "C-"}},
      {"Greek letter in a set with a letter", "[\xA6\xC1" "b]+", "\xA6\xA1" "B\xA6\xC1", std::nullopt,
       {"B\xA6\xC1"}},
      {"range up to a Greek letter folds its ASCII part", "[x-\xA6\xC1]+", "aXY\xA7\xD5", std::nullopt, {"XY"}},
      {"letter outside a bracket and a range", "x[a-c]", "XB xb", std::nullopt, {"XB", "xb"}},
      {"hex escape in a range", "[\\x41-\\x43]+", "abcd", std::nullopt, {"abc"}},
      {"hex escape with case", "[\\x41-\\x43]+", "abcD", true, {}},
      {"lower class takes capitals", "[[:lower:]]+", "aB1", std::nullopt, {"aB"}},
      {"lower class with case", "[[:lower:]]+", "aB1", true, {"a"}},
      {"back-reference ignores case", "([a-c])\\1", "aA bb cD", std::nullopt, {"aA", "bb"}},
      {"back-reference with case", "([a-c])\\1", "aA bb cD", true, {"bb"}},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, c.subject, c.caseSensitive)) << c.what;
    EXPECT_EQ(Matches(r), c.expected) << c.what;
  }
}

TEST(RegexObject, ClassesAreAscii) {
  struct Case {
    const char* what;
    Text pattern, subject;
    std::vector<Text> expected;
  };
  const Case cases[] = {
      {"digit", "\\d+", "a12b", {"12"}},
      {"full-width digit is no digit", "\\d", "\xA3\xB1", {}},
      {"word", "\\w+", "a_1-", {"a_1"}},
      {"Chinese is no word character", "\\w", "\xD6\xD0", {}},
      {"Greek is no word character", "\\w", "\xA6\xC1", {}},
      {"non-word", "\\W", "\xD6\xD0", {"\xD6\xD0"}},
      {"non-digit", "\\D", "\xA3\xB1", {"\xA3\xB1"}},
      {"space", "\\s", "a b", {" "}},
      {"ideographic space is no space", "\\s", "\xA1\xA1", {}},
      {"word boundary after Chinese", "\\bx", "\xD6\xD0x", {"x"}},
      {"class in a bracket", "[\\d_]+", "1_\xA3\xB1", {"1_"}},
      {"negated class in a bracket", "[^\\w]", "a\xD6\xD0", {"\xD6\xD0"}},
      {"escaped punctuation", "\\/\\-\\.", "a/-.b", {"/-."}},
      {"word class and a dash in a bracket", "[\\w-]+", "#a_-B\xD6\xD0", {"a_-B"}},
      {"negated digit class in a bracket", "[^\\d]", "1\xA3\xB1", {"\xA3\xB1"}},
      {"non-digit class in a bracket", "[\\D]", "1\xA3\xB1", {"\xA3\xB1"}},
      {"space class and a range", "[\\sa-b]+", "cA b\xA1\xA1", {"A b"}},
      {"non-space class outside", "\\S+", "ab \xA1\xA1", {"ab", "\xA1\xA1"}},
      {"non-word class outside", "\\W+", "a-\xD6\xD0_", {"-\xD6\xD0"}},
      {"word boundary before a range", "\\b[a-z]", "\xD6\xD0x 1y", {"x"}},
      {"letter class", "[[:alpha:]]+", "\xA6\xC1" "Ab1", {"Ab"}},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, c.subject)) << c.what;
    EXPECT_EQ(Matches(r), c.expected) << c.what;
  }
}

TEST(RegexObject, DotAndLines) {
  struct Case {
    const char* what;
    Text pattern, subject;
    std::optional<bool> multiLine;
    std::vector<Text> expected;
  };
  const Case cases[] = {
      {"dot takes CR", "a.b", "a\rb", std::nullopt, {"a\rb"}},
      {"dot refuses LF", "a.b", "a\nb", std::nullopt, {}},
      {"dot takes a double-byte character", "a.b", "a\xD6\xD0" "b", std::nullopt, {"a\xD6\xD0" "b"}},
      {"dot in a bracket is literal", "[.]", "a.b", std::nullopt, {"."}},
      {"escaped dot is literal", "\\.", "ab.", std::nullopt, {"."}},
      {"dot after an escaped bracket", "\\[.", "[x", std::nullopt, {"[x"}},
      {"caret at a line start", "^b", "a\nb", std::nullopt, {"b"}},
      {"caret only at the start without multi-line", "^b", "a\nb", false, {}},
      {"caret at the start without multi-line", "^a", "a\nb", false, {"a"}},
      {"dollar at a line end", "a$", "a\nb", std::nullopt, {"a"}},
      {"dollar only at the end without multi-line", "a$", "a\nb", false, {}},
      {"every line", "^\\w", "ab\ncd\r\nef", std::nullopt, {"a", "c", "e"}},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, c.subject, std::nullopt, c.multiLine)) << c.what;
    EXPECT_EQ(Matches(r), c.expected) << c.what;
  }
}

TEST(RegexObject, GlobalAndEmptyMatches) {
  struct Case {
    const char* what;
    Text pattern, subject;
    std::optional<bool> global;
    std::vector<Text> expected;
    std::vector<int> offsets;
  };
  const Case cases[] = {
      {"global", "\\d", "a1b2", std::nullopt, {"1", "2"}, {1, 3}},
      {"first only", "\\d", "a1b2", false, {"1"}, {1}},
      {"no overlap", "aa", "aaaaa", std::nullopt, {"aa", "aa"}, {0, 2}},
      {"empty matches step on", "x*", "ab", std::nullopt, {"", "", ""}, {0, 1, 2}},
      {"empty and non-empty", "a*", "baa", std::nullopt, {"", "aa", ""}, {0, 1, 3}},
      {"empty matches step over characters", "x*", "\xD6\xD0" "a", std::nullopt, {"", "", ""}, {0, 2, 3}},
      {"empty pattern", "", "ab", std::nullopt, {"", "", ""}, {0, 1, 2}},
      {"empty subject", "x*", "", std::nullopt, {""}, {0}},
      {"empty first only", "x*", "ab", false, {""}, {0}},
      {"caret with global", "^a", "aaa", std::nullopt, {"a"}, {0}},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, c.subject, std::nullopt, std::nullopt, c.global)) << c.what;
    EXPECT_EQ(Matches(r), c.expected) << c.what;
    std::vector<int> offsets;
    for (int i = 1; i <= r.GetMatchCount(); ++i) {
      int offset = -99;
      r.GetMatchText(i, &offset);
      offsets.push_back(offset);
    }
    EXPECT_EQ(offsets, c.offsets) << c.what;
  }
}

TEST(RegexObject, StartOffsetsAreByteOffsets) {
  struct Case {
    const char* what;
    Text pattern, subject;
    int match, group;
    Text expected;
    int offset;
  };
  const Case cases[] = {
      {"after two double-byte characters", "ab", "\xD6\xD0\xCE\xC4" "ab\xD6\xD0" "ab", 1, 0, "ab", 4},
      {"after three double-byte characters", "ab", "\xD6\xD0\xCE\xC4" "ab\xD6\xD0" "ab", 2, 0, "ab", 8},
      // The same text earlier than the byte offset still gives the match's own place.
      {"repeated text", "ab", "\xD6\xD0\xD6\xD0\xD6\xD0" "ab ab", 2, 0, "ab", 9},
      {"group after the same text", "a(a)", "\xD6\xD0" "aa", 1, 1, "a", 3},
      {"group is the match start", "(a)a", "\xD6\xD0" "aa", 1, 1, "a", 2},
      {"ignoring case", "AB", "\xD6\xD0" "ab", 1, 0, "ab", 2},
      {"after an invalid byte", "ab", "\xFF" "ab", 1, 0, "ab", 1},
      {"after a lone lead byte", "b", "\xD6\nb", 1, 0, "b", 2},
      {"after the euro byte", "ab", "\x80" "ab", 1, 0, "ab", 1},
      {"empty group", "a(x*)b", "\xD6\xD0" "ab", 1, 1, "", 3},
      {"double-byte match", "\xCE\xC4", "a\xD6\xD0\xCE\xC4", 1, 0, "\xCE\xC4", 3},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, c.subject)) << c.what;
    int offset = -99;
    Text got = c.group == 0 ? r.GetMatchText(c.match, &offset) : r.GetSubmatchText(c.match, c.group, &offset);
    EXPECT_EQ(got, c.expected) << c.what;
    EXPECT_EQ(offset, c.offset) << c.what;
    if (offset >= 0) {
      EXPECT_EQ(TextMiddle(c.subject, offset + 1, TextLength(got)), got) << c.what;
    }
  }
}

TEST(RegexObject, GroupThatTookNoPart) {
  RegexObject r;
  ASSERT_TRUE(r.Create("(a)|(b)", "b"));
  ASSERT_EQ(r.GetSubmatchCount(), 2);
  int offset = 5;
  EXPECT_EQ(r.GetSubmatchText(1, 1, &offset), "");
  EXPECT_EQ(offset, -1);
  EXPECT_EQ(r.GetSubmatchText(1, 2, &offset), "b");
  EXPECT_EQ(offset, 0);
}

TEST(RegexObject, QuoteMarker) {
  const Text marker = "#\xD2\xFD\xBA\xC5";
  const Text pattern = "x=" + marker + "(\\w+)" + marker;
  RegexObject on;
  ASSERT_TRUE(on.Create(pattern, "x=\"abc\"", std::nullopt, std::nullopt, std::nullopt, true));
  EXPECT_EQ(on.GetPattern(), "x=\"(\\w+)\"");
  EXPECT_EQ(on.GetSubmatchText(1, 1), "abc");

  RegexObject off;
  ASSERT_TRUE(off.Create(pattern, "x=\"abc\""));
  EXPECT_EQ(off.GetMatchCount(), 0);
  EXPECT_EQ(off.GetPattern(), pattern);
  ASSERT_TRUE(off.Create(pattern, "x=" + marker + "abc" + marker));
  EXPECT_EQ(off.GetSubmatchText(1, 1), "abc");

  RegexObject explicitOff;
  ASSERT_TRUE(explicitOff.Create(pattern, "x=\"abc\"", std::nullopt, std::nullopt, std::nullopt, false));
  EXPECT_EQ(explicitOff.GetMatchCount(), 0);
}

TEST(RegexObject, FileNamePatterns) {
  struct Case {
    const char* what;
    Text pattern, subject;
    Text language;
  };
  const Case cases[] = {
      {"main installer", kMainInstallerPattern, "rhino_en-us_6.17.19190.13001.exe", "en-us"},
      {"main installer in capitals", kMainInstallerPattern, "RHINO_EN-US_6.17.19190.13001.EXE", "EN-US"},
      {"main installer needs .exe at once", kMainInstallerPattern, "rhino_en-us_6.17.19190.130012.exe", ""},
      {"language pack", kLanguagePackPattern, "rhino_de-de_languagepack_6.17.19190.13001.msi", "de-de"},
      {"language pack in capitals", kLanguagePackPattern, "RHINO_ZH-CN_LANGUAGEPACK_6.17.19190.13001.MSI", "ZH-CN"},
      {"language pack with a sixth character", kLanguagePackPattern, "rhino_de-de_languagepack_6.17.19190.130011.msi",
       "de-de"},
      {"Chinese is no word character", kLanguagePackPattern, "rhino_\xD6\xD0-de_languagepack_6.17.19190.13001.msi", ""},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, c.subject)) << c.what;
    EXPECT_EQ(r.GetMatchCount(), c.language.empty() ? 0 : 1) << c.what;
    EXPECT_EQ(r.GetSubmatchText(1, 1), c.language) << c.what;
  }
}

TEST(RegexObject, Replace) {
  struct Case {
    const char* what;
    Text pattern, subject;
    std::optional<bool> global;
    std::optional<Text> replacement;
    Text expected;
  };
  const Case cases[] = {
      {"every match", "\\d", "a1b2", std::nullopt, Text("#"), "a#b#"},
      {"first only", "\\d", "a1b2", false, Text("#"), "a#b2"},
      {"replacement left out", "\\d", "a1b2", std::nullopt, std::nullopt, "ab"},
      {"whole match", "\\d", "a1b2", std::nullopt, Text("$&$&"), "a11b22"},
      {"groups", "(\\w)(\\d)", "a1 b2", std::nullopt, Text("$2$1"), "1a 2b"},
      {"dollar", "\\d", "a1", std::nullopt, Text("$$"), "a$"},
      {"missing group stays literal", "\\d", "a1", std::nullopt, Text("$9"), "a$9"},
      {"before and after", "b", "abc", std::nullopt, Text("[$`|$']"), "a[a|c]c"},
      {"no match", "x", "abc", std::nullopt, Text("#"), "abc"},
      {"empty matches", "x*", "ab", std::nullopt, Text("-"), "-a-b-"},
      {"double-byte", "\xD6\xD0", "a\xD6\xD0" "b", std::nullopt, Text("\xCE\xC4\xCE\xC4"), "a\xCE\xC4\xCE\xC4" "b"},
      {"invalid bytes outside matches stay", "\\d", "\xFF" "1\xD6", std::nullopt, Text("#"), "\xFF#\xD6"},
      {"ignoring case", "b", "aBc", std::nullopt, Text("-"), "a-c"},
  };
  for (const Case& c : cases) {
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, c.subject, std::nullopt, std::nullopt, c.global)) << c.what;
    EXPECT_EQ(c.replacement ? r.Replace(*c.replacement) : r.Replace(), c.expected) << c.what;
  }
}

TEST(RegexObject, BrokenSubjectsDoNotBreakIt) {
  const Text subjects[] = {
      TextRepeat(100001, "\xD6"), TextRepeat(100000, "\xFF"), TextRepeat(50000, "\x81\x7F"),
      TextRepeat(1000, "\xD6\n\x80\xFF\x81\x30"),
  };
  for (const Text& s : subjects) {
    RegexObject r;
    ASSERT_TRUE(r.Create(kVersionPattern, s));
    EXPECT_EQ(r.GetMatchCount(), 0);
    ASSERT_TRUE(r.Create("(\\d.?)", s + " 7"));
    EXPECT_EQ(r.GetSubmatchText(r.GetMatchCount(), 1), "7");
  }
  // Each undecodable byte is one character of its own.
  RegexObject r;
  ASSERT_TRUE(r.Create(".", "\xFF\xFF" "a\xD6"));
  EXPECT_EQ(r.GetMatchCount(), 4);
  int offset = 0;
  EXPECT_EQ(r.GetMatchText(4, &offset), "?");
  EXPECT_EQ(offset, 3);
}

TEST(RegexObject, OffsetsFollowTheDecodingOfAnyBytes) {
  // Over arbitrary bytes each character is one match; its offset and byte
  // length must cut out exactly the bytes that decode to that one character.
  unsigned state = 12345;
  Text subject;
  for (int i = 0; i < 4000; ++i) {
    state = state * 1103515245u + 12345u;
    unsigned b = (state >> 16) & 0xFF;
    subject.push_back(static_cast<char>(b == 0 ? 'z' : b));
  }
  RegexObject r;
  ASSERT_TRUE(r.Create("[\\s\\S]", subject));
  ASSERT_GT(r.GetMatchCount(), 0);
  int expectedOffset = 0;
  for (int k = 1; k <= r.GetMatchCount(); ++k) {
    int offset = -1;
    r.GetMatchText(k, &offset);
    ASSERT_EQ(offset, expectedOffset) << "match " << k;
    int next = expectedOffset;
    if (k < r.GetMatchCount()) {
      r.GetMatchText(k + 1, &next);
    } else {
      next = TextLength(subject);
    }
    ASSERT_TRUE(next - offset == 1 || next - offset == 2) << "match " << k;
    EXPECT_EQ(Cp936ToWide(TextMiddle(subject, offset + 1, next - offset)).size(), 1u) << "match " << k;
    expectedOffset = next;
  }
  EXPECT_EQ(static_cast<std::size_t>(r.GetMatchCount()), Cp936ToWide(subject).size());
}

TEST(RegexObject, MegabyteSubjects) {
  // The system's own patterns over a few megabytes, the hit at the very end.
  const Text filler = TextRepeat(1 << 19, "a\xD6\xD0" "9.");
  const struct {
    Text pattern;
    Text tail;
    int group;
    Text expected;
  } cases[] = {
      {kVersionPattern, "6.17.19190.13001", 3, "19190"},
      {kDatePattern, "/20190709/", 1, "20190709"},
      {kLanguagePattern, "rhino_en-us_", 1, "en-us"},
      {kLanguagePackPattern, "rhino_de-de_languagepack_6.17.19190.13001.msi", 1, "de-de"},
  };
  for (const auto& c : cases) {
    RegexObject r;
    const Text subject = filler + " " + c.tail;
    ASSERT_TRUE(r.Create(c.pattern, subject)) << c.pattern;
    ASSERT_EQ(r.GetMatchCount(), 1) << c.pattern;
    int offset = 0;
    EXPECT_EQ(r.GetSubmatchText(1, c.group), c.expected) << c.pattern;
    r.GetMatchText(1, &offset);
    EXPECT_EQ(TextMiddle(subject, offset + 1, TextLength(r.GetMatchText(1))), r.GetMatchText(1)) << c.pattern;
  }
}

TEST(RegexObject, DeepBacktrackingIsRefusedNotCrashed) {
  // The engine recurses once per character a repetition takes. Unbounded
  // repetitions run up to a bound (characters times groups and alternatives
  // plus one, at most 2048) and are refused beyond it, never overflowing the
  // stack; each row runs at the bound itself, then over a megabyte.
  struct Case {
    Text pattern;
    int units;
  };
  const Case cases[] = {{".*", 1}, {"[a-z]+?$", 1}, {"(a)*", 2}, {"(?:a|b)+", 3}, {"(a|b|c)*", 4}, {"((((a))))*", 5}};
  for (const Case& c : cases) {
    const int n = 2048 / c.units;
    RegexObject r;
    ASSERT_TRUE(r.Create(c.pattern, TextRepeat(n, "a"))) << c.pattern;
    EXPECT_EQ(TextLength(r.GetMatchText(1)), n) << c.pattern;
    EXPECT_FALSE(r.Create(c.pattern, TextRepeat(n + 1, "a"))) << c.pattern;
    EXPECT_FALSE(r.Create(c.pattern, TextRepeat(1 << 20, "a"))) << c.pattern;
    EXPECT_EQ(r.GetMatchCount(), 0) << c.pattern;
  }
  // A bounded repetition is measured by its own length, whatever the subject.
  RegexObject bounded;
  EXPECT_TRUE(bounded.Create("a{2000}", TextRepeat(1 << 20, "a")));
  EXPECT_EQ(bounded.GetMatchCount(), (1 << 20) / 2000);
  EXPECT_FALSE(bounded.Create("(?:a?){60000}", ""));
}

}  // namespace
}  // namespace tessavel
