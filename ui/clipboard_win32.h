// The clipboard on Win32. Windows only.
#pragma once

#include "core/text.h"

namespace tessavel {

// Replaces the clipboard's content with the text, also when it is empty: as
// CF_TEXT with the code page 936 bytes and as CF_UNICODETEXT converted from
// them, so that programs on a system with another code page paste the right
// characters. Opens the clipboard once, with no owner window, and does not
// wait: when another program holds it open, the clipboard is left as it was
// and false is returned.
bool PutTextOnClipboard(const Text& t);

}  // namespace tessavel
