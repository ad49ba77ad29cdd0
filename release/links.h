// The vendor's installer link, read out of a pasted link and composed from
// date, language and version:
//   http://<VendorDownloadHost>/dujour/exe/<YYYYMMDD>/rhino_<language>_<version>.exe
#pragma once

#include <optional>
#include <string_view>

#include "core/text.h"

namespace tessavel {

// Host names written into the download links.
inline constexpr std::string_view VendorDownloadHost = "files.mcneel.com";
inline constexpr std::string_view MicrosoftDownloadHost = "download.microsoft.com";
// The vendor's folder of installers and language packs, by build date.
inline constexpr std::string_view VendorInstallerFolder = "/dujour/exe/";

// The whole first version in text, e.g. 6.17.19190.13001; empty when none.
Text ExtractVersion(const Text& text);
// The eight characters of the first /YYYY?M?D/ date folder; empty when none.
Text ExtractDateFolder(const Text& text);
// The first _xx-xx_ language code, letters in the case of the text; empty when none.
Text ExtractLanguage(const Text& text);

// Occurrences of sub in text, never overlapping (aaaa holds aa twice); 0 when
// either is empty. ASCII case is ignored unless caseSensitive is true.
int CountOccurrences(const Text& text, const Text& sub,
                     std::optional<bool> caseSensitive = std::nullopt);

// The installer link from the three parts as they are: nothing is checked or
// escaped, an empty part leaves its place empty, no line end is added.
Text ComposeInstallerLink(const Text& date, const Text& language, const Text& version);

}  // namespace tessavel
