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

}  // namespace tessavel
