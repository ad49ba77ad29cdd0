// The seam between the portable code-page conversion and the system's own
// converter (codepage_win32.cpp or codepage_posix.cpp).
#pragma once

#include <string>

#include "core/text.h"

namespace tessavel::codepage_platform {

// Decodes exactly `length` bytes (1 or 2) of code page 936 as one character.
// False when the bytes are not exactly one valid character.
bool DecodeOne(const char* bytes, int length, wchar_t& out) noexcept;

// Encodes to code page 936 with "?" for every character the code page cannot
// hold, never substituting a look-alike. May throw std::bad_alloc.
Text Encode(const std::wstring& w);

}  // namespace tessavel::codepage_platform
