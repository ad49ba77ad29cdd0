// The path helpers' file-system calls on Linux. A Windows-form path is mapped
// the way Wine maps drive Z: (see paths_posix.h). Moves never replace: they
// use renameat2 with RENAME_NOREPLACE, and where a file system refuses that
// flag a file is moved by link() and unlink(), which cannot replace either;
// a folder is then not moved at all. Nothing tests for the target first and
// renames afterwards, which could replace a target made in between.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cwctype>

#include "core/codepage.h"
#include "core/paths_posix.h"
#include "core/paths_system.h"

namespace tessavel {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsNativeDirectory(const std::string& native) {
  struct stat st {};
  return ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool MoveFileByLink(const std::string& from, const std::string& to) {
  struct stat st {};
  if (::lstat(from.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

std::optional<std::string> NativePathOf(const Text& path) {
  std::optional<std::wstring> wide = WidePathOf(path);
  if (!wide) return std::nullopt;
  std::wstring rest = *wide;
  if (rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1])) return std::nullopt;
  if (rest.size() >= 2 && rest[1] == L':') {
    // Only Z:, which Wine maps to the root of the Linux file system, and only
    // in its absolute form.
    if (std::towupper(rest[0]) != L'Z') return std::nullopt;
    if (rest.size() == 2) return std::string("/");
    if (!IsSeparator(rest[2])) return std::nullopt;
    rest.erase(0, 2);
  }
  for (wchar_t& c : rest) {
    if (c == L'\\') c = L'/';
  }
  return WideToUtf8(rest);
}

bool SystemIsDirectory(const Text& path) {
  const std::optional<std::string> native = NativePathOf(path);
  return native && IsNativeDirectory(*native);
}

bool SystemMakeFolders(const Text& pathWithBackslash) {
  const std::optional<std::string> native = NativePathOf(pathWithBackslash);
  if (!native) return false;
  // Each prefix that ends before a separator is a folder, from the root down.
  for (std::size_t i = 0; i < native->size(); ++i) {
    if ((*native)[i] != '/' || i == 0) continue;
    const std::string folder = native->substr(0, i);
    if (IsNativeDirectory(folder)) continue;
    if (::mkdir(folder.c_str(), 0777) != 0 && !IsNativeDirectory(folder)) return false;
  }
  return true;
}

bool SystemMove(const Text& from, const Text& to) {
  const std::optional<std::string> nativeFrom = NativePathOf(from);
  const std::optional<std::string> nativeTo = NativePathOf(to);
  if (!nativeFrom || !nativeTo) return false;
  if (::renameat2(AT_FDCWD, nativeFrom->c_str(), AT_FDCWD, nativeTo->c_str(),
                  RENAME_NOREPLACE) == 0) {
    return true;
  }
  // EINVAL: the file system does not know the flag (ENOSYS: the kernel).
  if (errno == EINVAL || errno == ENOSYS) return MoveFileByLink(*nativeFrom, *nativeTo);
  return false;
}

}  // namespace tessavel
