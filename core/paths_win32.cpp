// The path helpers' file-system calls on Windows, through the W functions with
// the path converted from code page 936. Folders are made one by one from the
// root down (the ANSI-only dbghelp helper that does this has no W form), and
// files move with MoveFileW, which without a replace flag never replaces.
#include <windows.h>

#include "core/paths_system.h"

namespace tessavel {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsWideDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool SystemIsDirectory(const Text& path) {
  const std::optional<std::wstring> wide = WidePathOf(path);
  return wide && IsWideDirectory(*wide);
}

bool SystemMakeFolders(const Text& pathWithBackslash) {
  const std::optional<std::wstring> wide = WidePathOf(pathWithBackslash);
  if (!wide) return false;
  // On a network path \\server\share\ the first separators belong to the
  // root, which can only exist or not; creation starts below the share.
  int rootSeparators = 0;
  if (wide->size() >= 2 && IsSeparator((*wide)[0]) && IsSeparator((*wide)[1])) rootSeparators = 3;
  int separators = 0;
  for (std::size_t i = 0; i < wide->size(); ++i) {
    if (!IsSeparator((*wide)[i])) continue;
    if (++separators <= rootSeparators || i == 0) continue;
    const std::wstring folder = wide->substr(0, i);
    if (IsWideDirectory(folder)) continue;
    // A drive alone ("C:") is its root; a folder that appeared meanwhile is fine.
    if (!CreateDirectoryW(folder.c_str(), nullptr) && !IsWideDirectory(folder)) return false;
  }
  return true;
}

bool SystemMove(const Text& from, const Text& to) {
  const std::optional<std::wstring> wideFrom = WidePathOf(from);
  const std::optional<std::wstring> wideTo = WidePathOf(to);
  if (!wideFrom || !wideTo) return false;
  return MoveFileW(wideFrom->c_str(), wideTo->c_str()) != FALSE;
}

}  // namespace tessavel
