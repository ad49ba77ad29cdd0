// The build date that a release version encodes. The vendor numbers a build
// YYDDD (year after 2000, day of that year) and names its download folder by
// that day's calendar date, YYYYMMDD.
#pragma once

#include <string_view>

#include "core/text.h"

namespace tessavel {

// A release version major.minor.build.revision such as 6.17.19190.13001.
// Group 3 is the build number: five digits and one optional character, so a
// six-character build part is taken whole (and then rejected by its length).
// The link extractors run the same pattern.
inline constexpr std::string_view VersionPattern = R"re((\d.?)\.(\d.?)\.(\d{5}.?)\.(\d{5}?))re";

// What a build number of the wrong length gives: "error" and the full-width
// exclamation mark of code page 936 (0xA3 0xA1).
inline constexpr std::string_view BuildDateError = "error\xA3\xA1";

// The widest result PadWithZeros builds; a wider request is padded to this.
inline constexpr int PadWidthLimit = 1 << 16;

// The date of the first version in text; the empty text when text holds no
// version, BuildDateError when its build number is not five bytes.
Text BuildDateFromVersion(const Text& text);

// YYYYMMDD for a five-byte build number, BuildDateError for any other length.
// A day past the year's end gives month 13 and the surplus as the day, uncut
// (19999 gives 201913634); day 0 gives 00 in January.
Text BuildDateFromBuildNumber(const Text& build);

// Zeros before text up to width bytes; a text already as wide or wider comes
// back unchanged. Widths above PadWidthLimit are treated as PadWidthLimit, so
// an absurd width cannot ask for gigabytes.
Text PadWithZeros(const Text& text, int width);

}  // namespace tessavel
