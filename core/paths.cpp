// The portable path helpers: splitting and checking follow the shell's path
// functions for code page 936, where a byte of 0x80 or more opens a two-byte
// character whose second byte may be any value, "\" and "|" included.
#include "core/paths.h"

#include <array>
#include <cstddef>

#include "core/codepage.h"
#include "core/paths_system.h"

namespace tessavel {
namespace {

// The forbidden characters of a file name, searched in this order.
constexpr std::array<const char*, 9> kIllegalNameChars = {"?", "/", "\\", "<", ">",
                                                          "*", "|", ":", "\""};

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Index of the character after the one at i (a lead byte at the very end
// counts as one character).
std::size_t NextChar(const Text& t, std::size_t i) {
  return IsLeadByte(t[i]) && i + 1 < t.size() ? i + 2 : i + 1;
}

// Where the file-name part starts: after the last backslash, slash or colon
// that some character other than a backslash or slash follows.
std::size_t FileNameStart(const Text& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i = NextChar(path, i)) {
    const char c = path[i];
    if ((c == '\\' || c == '/' || c == ':') && i + 1 < path.size() && path[i + 1] != '\\' &&
        path[i + 1] != '/') {
      start = i + 1;
    }
  }
  return start;
}

// Whether the last character (not merely the last byte) is a backslash.
bool EndsInBackslash(const Text& t) {
  bool last = false;
  for (std::size_t i = 0; i < t.size(); i = NextChar(t, i)) last = t[i] == '\\';
  return last;
}

}  // namespace

Text ExtensionOf(const Text& path) {
  // The last dot after which no backslash or blank follows.
  std::size_t dot = path.size();
  for (std::size_t i = 0; i < path.size(); i = NextChar(path, i)) {
    if (path[i] == '\\' || path[i] == ' ')
      dot = path.size();
    else if (path[i] == '.')
      dot = i;
  }
  return path.substr(dot);
}

Text FileNameOf(const Text& path, bool withExtension) {
  const Text component = path.substr(FileNameStart(path));
  // A component that ends in its backslash names a folder, not a file. Only a
  // real backslash counts: a name may end in a double-byte character whose
  // second byte is 0x5C.
  if (EndsInBackslash(component)) return Text();
  if (withExtension) return component;
  return TextLeft(component, TextLength(component) - TextLength(ExtensionOf(component)));
}

Text DirectoryOf(const Text& path) {
  const Position p = TextFindLast(path, "\\", false);
  return TextLeft(path, p);
}

bool IsDirectory(const Text& path) { return SystemIsDirectory(path); }

bool EnsureDirectory(const Text& path) {
  // The trailing backslash marks the last component as a folder to be made.
  return SystemMakeFolders(EndsInBackslash(path) ? path : TextConcat(path, "\\"));
}

bool HasIllegalNameChar(const Text& name) {
  for (const char* c : kIllegalNameChars) {
    if (TextFind(name, c, std::nullopt, false) != -1) return true;
  }
  return false;
}

bool IsValidFilePath(const Text& path, bool extensionOptional) {
  const int drive = TextCharCode(TextToUpper(TextLeft(path, 1)), 1);
  if (drive < 'A' || drive > 'Z') return false;
  if (TextFind(path, ":\\", std::nullopt, false) == -1 &&
      TextFind(path, ":/", std::nullopt, false) == -1) {
    return false;
  }
  const Text name = FileNameOf(path, true);
  if (TextCompare(name, Text()) == 0) return false;
  if (HasIllegalNameChar(name)) return false;
  if (extensionOptional) return true;
  const Position dot = TextFindLast(name, ".", false);
  return dot > 1 && dot < TextLength(name);
}

bool RenameIfValid(const Text& from, const Text& to) {
  if (!IsValidFilePath(to)) return false;
  return SystemMove(from, to);
}

void MoveFileTo(const Text& from, const Text& to) { SystemMove(from, to); }

std::optional<std::wstring> WidePathOf(const Text& path) {
  if (path.empty() || path.find('\0') != Text::npos) return std::nullopt;
  std::wstring wide = Cp936ToWide(path);
  if (wide.find(L'\xFFFD') != std::wstring::npos) return std::nullopt;
  return wide;
}

}  // namespace tessavel
