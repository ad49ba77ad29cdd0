// Placement of one dropped file into the offline package layout, inside the
// folder F in which the file lies:
//   F\Bootstrapper.exe                      the main installer
//   F\redist\<language>\LanguagePack.msi    one folder per language pack
//   F\redist\<runtime installer name>       five runtime installers
// The main installer and the language packs are recognised by file name, the
// runtime installers by the MD5 digest of their content. A file recognised as
// none of them stays where it is. Nothing is reported to the user.
#pragma once

#include <array>
#include <functional>
#include <span>

#include "core/text.h"

namespace tessavel {

// The file-name patterns; they run with the RegexObject's default options
// (case ignored, found anywhere in the name). Group 1 is the language code.
inline constexpr char kMainInstallerPattern[] =
    R"(rhino_(\w{2}\-\w{2})_(\d.?)\.(\d.?)\.(\d{5}.?)\.(\d{5}?)\.exe)";
inline constexpr char kLanguagePackPattern[] =
    R"(rhino_(\w{2}\-\w{2})_languagepack_(\d.?)\.(\d.?)\.(\d{5}.?)\.(\d{5}.?)\.msi)";

// One runtime installer: the MD5 digest of its content (32 hexadecimal
// digits, upper case) and where it goes under F.
struct DigestRow {
  const char* digest;
  const char* target;
};

// The runtime installers, compared in this order.
inline constexpr std::array<DigestRow, 5> kRuntimeInstallers = {{
    {"D02DC8B69A702A47C083278938C4D2F1", "redist\\dotNetFx45_Full_x86_x64.exe"},
    {"56EAF4E1237C974F6984EDC93972C123", "redist\\vc2005_redist_x64.exe"},
    {"C9D9EEBCCEF20D637F193490CEC05E79", "redist\\vc2010_redist_x64.exe"},
    {"96B61B8E069832E6B809F24EA74567BA", "redist\\vc2013_redist_x64.exe"},
    {"7C3E0BFD83D985C9651E8150FCA3E84D", "redist\\vc2015_redist_x64.exe"},
}};

// What the placement works with besides the path. The program uses the
// defaults; tests hand in digests of their own fixture files and watch the
// steps.
struct PlacementSetup {
  std::span<const DigestRow> digests = kRuntimeInstallers;
  // Called after the content was read and hashed, with the digest (empty when
  // the file could not be read or was empty).
  std::function<void(const Text& digest)> contentHashed;
  // Called just before the rename or move of a recognised file.
  std::function<void()> beforeMove;
};

// Recognises the file or folder at path (a full Windows-form path as the drop
// message gives it) and renames or moves it into the layout. Never replaces
// an existing file; a step that fails leaves the dropped file where it was.
void PlaceDroppedFile(const Text& path);
void PlaceDroppedFile(const Text& path, const PlacementSetup& setup);

// The drop target's callback: path is a NUL-terminated string in the drop
// target's own buffer (null counts as the empty text); it is copied before the
// placement runs.
void OnFileDropped(const char* path);

}  // namespace tessavel
