#include "ui/clipboard_win32.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "core/codepage.h"

namespace tessavel {
namespace {

// Hands a copy of the bytes (terminator included) to the clipboard, which
// owns the memory once SetClipboardData succeeds.
bool SetClipboardBytes(UINT format, const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (memory == nullptr) return false;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  if (SetClipboardData(format, memory) == nullptr) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

}  // namespace

bool PutTextOnClipboard(const Text& t) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  // Text holds no NUL, so c_str() gives the bytes and their terminator.
  bool placed = SetClipboardBytes(CF_TEXT, t.c_str(), t.size() + 1);
  if (placed) {
    const std::wstring wide = Cp936ToWide(t);
    placed = SetClipboardBytes(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  }
  CloseClipboard();
  return placed;
}

}  // namespace tessavel
