// The seam between the portable path helpers and the file system: one
// implementation per system (paths_win32.cpp, paths_posix.cpp). Also used by
// the whole-file readers of deploy/, which need the same path conversion.
#pragma once

#include <optional>
#include <string>

#include "core/text.h"

namespace tessavel {

// The path as Unicode characters. Refused (nullopt) when it is empty, holds a
// NUL byte, or holds a byte sequence that is no character of code page 936:
// such a path could only name some other file than the one meant.
std::optional<std::wstring> WidePathOf(const Text& path);

// True when the path names an existing folder.
bool SystemIsDirectory(const Text& path);

// Makes each missing folder of a path that ends in a backslash, from the root
// down; an existing folder is success, anything else in its place is failure.
bool SystemMakeFolders(const Text& pathWithBackslash);

// Renames or moves a file or folder. Fails, changing nothing, when the target
// exists: an existing file or folder is never replaced.
bool SystemMove(const Text& from, const Text& to);

}  // namespace tessavel
