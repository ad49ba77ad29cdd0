// Path helpers: take a Windows-form path (code page 936, drive letter, colon,
// components joined by backslashes) apart, check a rename target, make
// folders, and rename or move files and folders. Splitting is portable and
// reads the path character by character, so the second byte of a double-byte
// character is never taken for a separator. The file-system calls have one
// implementation per system (paths_win32.cpp, paths_posix.cpp). No helper
// throws, shows anything or keeps state; a failure is false or the empty text.
#pragma once

#include "core/text.h"

namespace tessavel {

// The last component of the path, as the shell's file-name finder takes it;
// empty when the path is empty or ends in a backslash (a folder written with
// its separator). withExtension false drops the extension of ExtensionOf.
Text FileNameOf(const Text& path, bool withExtension);

// The extension of the last component, from its last dot, the dot included;
// empty when there is none (a blank or backslash after the last dot ends it).
Text ExtensionOf(const Text& path);

// The path up to and including its last backslash; empty when it has none.
Text DirectoryOf(const Text& path);

// True exactly when the path names an existing folder.
bool IsDirectory(const Text& path);

// Makes every missing folder of the path, from the root down, treating the
// last component as a folder too. A folder that exists already is success;
// folders made before a failure stay.
bool EnsureDirectory(const Text& path);

// Whether the path may serve as a rename target: a drive letter first, the
// pair ":\" or ":/" somewhere, a non-empty file name free of the nine
// forbidden characters and, unless the extension is optional, a dot inside
// the name that is neither its first nor its last byte.
bool IsValidFilePath(const Text& path, bool extensionOptional = true);

// Whether the name holds one of ? / \ < > * | : " at a character start.
bool HasIllegalNameChar(const Text& name);

// Renames or moves from to to when to passes IsValidFilePath; never replaces
// an existing file or folder. True when the file was renamed.
bool RenameIfValid(const Text& from, const Text& to);

// Renames or moves from to to without any check of the paths; never replaces
// an existing file or folder. The outcome is not reported.
void MoveFileTo(const Text& from, const Text& to);

}  // namespace tessavel
