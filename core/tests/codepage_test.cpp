// Code page 936 conversion: the same table of cases on both systems.
#include "core/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace tessavel {
namespace {

TEST(Codepage, DecodesCp936) {
  struct Case {
    const char* what;
    Text bytes;
    std::wstring expected;
  };
  const Case cases[] = {
      {"empty", "", L""},
      {"ASCII", "Rhino 6.17\r\n", L"Rhino 6.17\r\n"},
      {"Chinese", "\xD6\xD0\xCE\xC4", L"\x4E2D\x6587"},
      {"trail byte in ASCII range", "\x83\x7C", L"\x5104"},
      {"full-width digit", "\xA3\xB1", L"\xFF11"},
      {"quote marker", "#\xD2\xFD\xBA\xC5", L"#\x5F15\x53F7"},
      {"euro sign is one byte", "\x80" "a", L"\x20AC" L"a"},
      {"lead byte at the end", "a\xD6", L"a\xFFFD"},
      {"lone lead byte before ASCII", "\xD6" "\x0A" "b", L"\xFFFD\nb"},
      {"lone lead byte before a control", "\xD6\x01", L"\xFFFD\x01"},
      {"0xFF is no character", "\xFF" "a", L"\xFFFD" L"a"},
      {"0xFF before a pair", "\xFF\xD6\xD0", L"\xFFFD\x4E2D"},
      {"invalid trail 0x7F", "\x81\x7F" "a", L"\xFFFD\x7F" L"a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp936ToWide(c.bytes), c.expected) << c.what;
  }
  // A run of lead bytes pairs up from the left; the odd one at the end becomes U+FFFD.
  const std::wstring pair = Cp936ToWide("\xD6\xD6");
  ASSERT_EQ(pair.size(), 1u);
  EXPECT_EQ(Cp936ToWide("\xD6\xD6\xD6"), pair + L"\xFFFD");
}

TEST(Codepage, PrivateUseAreaIsNotDecoded) {
  // The user-defined area 0xAAA1 maps to private use on Windows and to nothing
  // in glibc; both give U+FFFD for each byte.
  EXPECT_EQ(Cp936ToWide("\xAA\xA1"), std::wstring(L"\xFFFD\xFFFD"));
}

TEST(Codepage, EncodesCp936) {
  struct Case {
    const char* what;
    std::wstring wide;
    Text expected;
  };
  const Case cases[] = {
      {"empty", L"", ""},
      {"ASCII", L"a-b\r\n", "a-b\r\n"},
      {"Chinese", L"\x4E2D\x6587", "\xD6\xD0\xCE\xC4"},
      {"full-width digit", L"\xFF11", "\xA3\xB1"},
      {"not in the code page", L"a\x0E01" L"b", "a?b"},
      {"Latin letter held by the code page", L"\x00E0", "\xA8\xA4"},
      {"no best fit: Latin small letter a with ring", L"\x00E5", "?"},
      {"replacement character", L"\xFFFD", "?"},
      {"private use", L"\xE000", "?"},
  };
  for (const Case& c : cases) EXPECT_EQ(WideToCp936(c.wide), c.expected) << c.what;
}

TEST(Codepage, RoundTripsEveryValidPair) {
  // Every pair that decodes to one character encodes back to the same bytes.
  int pairs = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      Text bytes{static_cast<char>(lead), static_cast<char>(trail)};
      std::wstring w = Cp936ToWide(bytes);
      if (w.size() != 1) continue;
      ++pairs;
      EXPECT_EQ(WideToCp936(w), bytes) << std::hex << lead << " " << trail;
    }
  }
  EXPECT_GT(pairs, 20000);
}

TEST(Codepage, LargeTexts) {
  Text big;
  for (int i = 0; i < 1 << 20; ++i) big += "\xD6\xD0" "a";
  std::wstring w = Cp936ToWide(big);
  ASSERT_EQ(w.size(), 2u << 20);
  EXPECT_EQ(WideToCp936(w), big);
}

TEST(Codepage, Utf8) {
  struct Case {
    const char* what;
    std::wstring wide;
    std::string utf8;
  };
  const Case cases[] = {
      {"empty", L"", ""},
      {"ASCII", L"C:/x", "C:/x"},
      {"two bytes", L"\x00E9", "\xC3\xA9"},
      {"three bytes", L"\x4E2D", "\xE4\xB8\xAD"},
      {"last BMP", L"\xFFFD", "\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8) << c.what;
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.what;
  }
  // A character beyond the BMP survives the round trip on both systems.
  const std::string emoji = "\xF0\x9F\x98\x80";
  EXPECT_EQ(WideToUtf8(Utf8ToWide(emoji)), emoji);
  EXPECT_EQ(Utf8ToWide(emoji).size(), sizeof(wchar_t) == 2 ? 2u : 1u);

  struct Bad {
    const char* what;
    std::string utf8;
    std::wstring expected;
  };
  const Bad bad[] = {
      {"lone continuation", "a\x80" "b", L"a\xFFFD" L"b"},
      {"truncated at the end", "a\xE4\xB8", L"a\xFFFD\xFFFD"},
      {"overlong slash", "\xC0\xAF", L"\xFFFD\xFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},
      {"0xFF", "\xFF", L"\xFFFD"},
  };
  for (const Bad& c : bad) EXPECT_EQ(Utf8ToWide(c.utf8), c.expected) << c.what;
  // An unpaired surrogate becomes U+FFFD.
  EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tessavel
