#include "release/build_date.h"

#include <algorithm>
#include <cstdint>

#include "regex/regex_object.h"

namespace tessavel {
namespace {

constexpr int kBuildNumberLength = 5;
constexpr int kVersionBuildGroup = 3;

// Days of January to December in a common year; February gains one in a leap year.
constexpr int kMonthLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

Text BuildDateFromVersion(const Text& text) {
  RegexObject regex;
  regex.Create(Text(VersionPattern), text);
  if (regex.GetMatchCount() < 1) return Text();
  return BuildDateFromBuildNumber(regex.GetSubmatchText(1, kVersionBuildGroup));
}

Text BuildDateFromBuildNumber(const Text& build) {
  if (TextLength(build) != kBuildNumberLength) return Text(BuildDateError);

  const int year = TextToInteger(TextConcat("20", TextLeft(build, 2)));
  const int day = TextToInteger(TextMiddle(build, 3, 3));

  // Walk the months, taking off each whole month the day number passes. A day
  // beyond December stays as the surplus of a thirteenth month.
  int month = 1;
  int remaining = day;
  for (int length : kMonthLengths) {
    if (month == 2 && IsLeapYear(year)) ++length;
    if (remaining <= length) break;
    remaining -= length;
    ++month;
  }

  return TextConcat(IntegerToText(year), PadWithZeros(IntegerToText(month), 2),
                    PadWithZeros(IntegerToText(remaining), 2));
}

Text PadWithZeros(const Text& text, int width) {
  // 64-bit so that INT_MIN minus a length cannot overflow.
  const std::int64_t zeros = std::int64_t{std::min(width, PadWidthLimit)} - TextLength(text);
  if (zeros <= 0) return text;
  return TextConcat(TextRepeat(static_cast<int>(zeros), "0"), text);
}

}  // namespace tessavel
