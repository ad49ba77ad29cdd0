// Linux only: how a Windows-form path reaches the Linux file system.
#pragma once

#include <optional>
#include <string>

#include "core/text.h"

namespace tessavel {

// The Linux path that a Windows-form path stands for, mapped as Wine maps its
// drive Z: - Z:\tmp\a.exe is /tmp/a.exe, \a.exe (the current drive, Z:) is
// /a.exe and a relative path stays relative - with the characters written in
// UTF-8; slashes and backslashes both separate. Other drive letters,
// drive-relative forms such as Z:a.exe and network paths (\\server\share\...)
// name nothing on this system and are refused (nullopt), so every file
// operation on them fails as on a drive that is not there.
std::optional<std::string> NativePathOf(const Text& path);

// The move of a file for file systems that refuse RENAME_NOREPLACE: the file
// gets the new name as a second link (which fails when the name exists) and
// then loses the old one; should the old name refuse to go, the new one is
// taken back. Folders are refused. Linux paths.
bool MoveFileByLink(const std::string& from, const std::string& to);

}  // namespace tessavel
