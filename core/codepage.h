// Conversion between Text (code page 936) and Unicode. Code page 936 lies
// wholly in the Basic Multilingual Plane, so one character is one wchar_t on
// both systems (UTF-16 on Windows, UTF-32 on Linux).
#pragma once

#include <string>

#include "core/text.h"

namespace tessavel {

// Decodes code page 936. A byte that does not start a valid character (a lone
// lead byte, a lead byte at the end, an invalid pair) becomes one U+FFFD and
// decoding goes on with the next byte. Never fails.
std::wstring Cp936ToWide(const Text& t);

// Encodes to code page 936. A character the code page cannot hold becomes "?";
// no best-fit look-alike is ever substituted. Never fails.
Text WideToCp936(const std::wstring& w);

// UTF-8 for the Linux file system (portable; unpaired surrogates become U+FFFD).
std::string WideToUtf8(const std::wstring& w);
std::wstring Utf8ToWide(const std::string& s);

}  // namespace tessavel
