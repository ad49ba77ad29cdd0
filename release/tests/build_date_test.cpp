#include "release/build_date.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace tessavel {
namespace {

// Written out byte by byte here so that the constant in the header is checked too.
const Text kError = "error\xA3\xA1";

struct Case {
  const char* what;
  Text input;
  Text expected;
};

TEST(BuildDateTest, ErrorTextIsErrorAndFullWidthExclamationMark) {
  EXPECT_EQ(Text(BuildDateError), kError);
  EXPECT_EQ(TextLength(kError), 7);
}

TEST(BuildDateTest, FromBuildNumber) {
  const std::vector<Case> cases = {
      {"worked example, July", "19190", "20190709"},
      {"day in the middle digits", "19009", "20190109"},
      {"first day of the year", "19001", "20190101"},
      {"last day of January", "19031", "20190131"},
      {"first day of February", "19032", "20190201"},
      {"29 February in leap 2020", "20060", "20200229"},
      {"common 2019 goes on to March", "19060", "20190301"},
      {"2000 is a leap year (divisible by 400)", "00060", "20000229"},
      {"first of September", "19244", "20190901"},
      {"last day of a common year", "19365", "20191231"},
      {"last day of a leap year", "20366", "20201231"},
      {"leap day 2024", "24060", "20240229"},
      {"leap 2020 first of March", "20061", "20200301"},
      {"day 0 stays in January", "19000", "20190100"},
      {"one day past December is month 13", "19366", "20191301"},
      {"leap year: 367 is month 13 day 1", "20367", "20201301"},
      {"surplus is never cut to two digits", "19999", "201913634"},
      {"four bytes", "1919", kError},
      {"six bytes", "191901", kError},
      {"empty", "", kError},
      {"five bytes with a double-byte character is still five bytes",
       "19\xD6\xD0"
       "1",
       // year 2019, day TextToInteger of 0xD6 0xD0 "1" = 0
       "20190100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(BuildDateFromBuildNumber(c.input), c.expected) << "build " << c.input;
  }
}

TEST(BuildDateTest, FromVersion) {
  const Text lead = "\xD6\xD0";  // one double-byte character (zhong)
  const std::vector<Case> cases = {
      {"worked example", "6.17.19190.13001", "20190709"},
      {"version inside a link",
       "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe", "20190709"},
      {"two versions: the first counts", "7.0.20060.00001 then 6.17.19190.13001", "20200229"},
      {"two versions, other order", "6.17.19190.13001 7.0.20060.00001", "20190709"},
      {"two-digit major", "10.1.24060.12345", "20240229"},
      {"major and minor not yet there", "6.17", ""},
      {"empty text", "", ""},
      {"revision of four digits is no version", "6.17.19190.1300", ""},
      {"build of four digits is no version", "6.17.1919.13001", ""},
      {"no digits at all", "rhino_en-us_.exe", ""},
      {"six-digit build part", "6.17.191901.13001", kError},
      {"build part with a letter after five digits", "6.17.19190x.13001", kError},
      {"build part with a double-byte character after five digits",
       "6.17.19190" + lead + ".13001", kError},
      {"revision longer than five digits still matches", "6.17.19190.130011", "20190709"},
      {"day 0", "6.17.19000.13001", "20190100"},
      {"month 13", "6.17.19366.13001", "20191301"},
      {"surplus past December", "6.17.19999.13001", "201913634"},
      {"double-byte text around the version", lead + "6.17.19190.13001" + lead, "20190709"},
      {"lead byte at the very end", "6.17.19190.13001\xB0", "20190709"},
      {"version on the second line", "first line\r\n6.17.19190.13001", "20190709"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(BuildDateFromVersion(c.input), c.expected) << "text " << c.input;
  }
}

TEST(BuildDateTest, FromVersionAfterManyNearMisses) {
  const Text link = "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe";
  // Digits and dots that never form a version (no five digits in a row).
  Text noise;
  while (noise.size() < 256u * 1024) noise += "1.2.3.4 12.34 1234.5678 ";
  EXPECT_EQ(BuildDateFromVersion(noise), "");
  EXPECT_EQ(BuildDateFromVersion(noise + link), "20190709");
}

TEST(BuildDateTest, FromVersionInTextFullOfDoubleByteCharacters) {
  Text chinese;
  for (int i = 0; i < 32 * 1024; ++i) chinese += "\xD6\xD0\xCE\xC4";  // two characters
  EXPECT_EQ(BuildDateFromVersion(chinese), "");
  EXPECT_EQ(BuildDateFromVersion(chinese + "6.17.20366.13001" + chinese), "20201231");
}

TEST(BuildDateTest, PadWithZeros) {
  struct PadCase {
    const char* what;
    Text text;
    int width;
    Text expected;
  };
  const std::vector<PadCase> cases = {
      {"one digit to two", "7", 2, "07"},
      {"already as wide", "12", 2, "12"},
      {"wider stays", "634", 2, "634"},
      {"empty text", "", 2, "00"},
      {"empty text, width 0", "", 0, ""},
      {"width 0", "5", 0, "5"},
      {"negative width", "5", -3, "5"},
      {"smallest width", "5", INT_MIN, "5"},
      {"zeros go before a sign too", "-5", 3, "0-5"},
      {"width counts bytes", "\xD6\xD0", 3, "0\xD6\xD0"},
      {"wide", "1", 8, "00000001"},
  };
  for (const PadCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PadWithZeros(c.text, c.width), c.expected);
  }
}

TEST(BuildDateTest, PadWithZerosCapsAbsurdWidths) {
  for (int width : {PadWidthLimit, PadWidthLimit + 1, INT_MAX}) {
    SCOPED_TRACE(width);
    const Text padded = PadWithZeros("42", width);
    ASSERT_EQ(TextLength(padded), PadWidthLimit);
    EXPECT_EQ(padded.find_first_not_of('0'), static_cast<size_t>(PadWidthLimit - 2));
    EXPECT_EQ(TextRight(padded, 2), "42");
  }
  // A text longer than the cap comes back unchanged, never cut.
  const Text longText(PadWidthLimit + 10, '9');
  EXPECT_EQ(PadWithZeros(longText, INT_MAX), longText);
}

}  // namespace
}  // namespace tessavel
