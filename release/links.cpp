#include "release/links.h"

#include "regex/regex_object.h"
#include "release/build_date.h"

namespace tessavel {
namespace {

// A slash, eight characters, a slash. Each bracket is a set of single
// characters (a digit or "|"), not a list of alternatives: the sixth and
// eighth characters are digits or bars, the fifth and seventh anything.
constexpr std::string_view kDateFolderPattern =
    R"re(\/(\d{4}.[01|02|03|04|05|06|07|08|09|10|11|12].[01|02|03|04|05|06|07|08|09|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|30|31])\/)re";

// An underscore, two letters, a hyphen, two letters, an underscore.
constexpr std::string_view kLanguagePattern = R"re(_([a-z]{2}-[a-z]{2})_)re";

// Runs pattern over text with every option left out (case ignored, all
// matches) and returns the first match (group 0) or a group of it.
Text FirstMatch(std::string_view pattern, const Text& text, int group) {
  RegexObject regex;
  regex.Create(Text(pattern), text);
  return group == 0 ? regex.GetMatchText(1) : regex.GetSubmatchText(1, group);
}

}  // namespace

Text ExtractVersion(const Text& text) { return FirstMatch(VersionPattern, text, 0); }

Text ExtractDateFolder(const Text& text) { return FirstMatch(kDateFolderPattern, text, 1); }

Text ExtractLanguage(const Text& text) { return FirstMatch(kLanguagePattern, text, 1); }

int CountOccurrences(const Text& text, const Text& sub, std::optional<bool> caseSensitive) {
  if (TextLength(text) == 0 || TextLength(sub) == 0) return 0;
  const bool ignoreCase = !caseSensitive.value_or(false);
  int count = 0;
  for (Position found = TextFind(text, sub, std::nullopt, ignoreCase); found != -1;
       found = TextFind(text, sub, found + TextLength(sub), ignoreCase)) {
    ++count;
  }
  return count;
}

Text ComposeInstallerLink(const Text& date, const Text& language, const Text& version) {
  return TextConcat("http://", VendorDownloadHost, VendorInstallerFolder, date, "/rhino_", language, "_",
                    version, ".exe");
}

}  // namespace tessavel
