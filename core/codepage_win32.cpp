// Code page 936 through the Windows converter.
#include <windows.h>

#include <cstddef>

#include "core/codepage_platform.h"

namespace tessavel::codepage_platform {

bool DecodeOne(const char* bytes, int length, wchar_t& out) noexcept {
  if (length < 1 || length > 2) return false;
  wchar_t result[2] = {};
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes, length, result, 2);
  if (n != 1) return false;
  out = result[0];
  return true;
}

Text Encode(const std::wstring& w) {
  Text out;
  out.reserve(w.size() * 2);
  // The converter takes int lengths: convert in chunks that never split a
  // surrogate pair.
  constexpr std::size_t kChunk = 1 << 20;
  std::size_t i = 0;
  while (i < w.size()) {
    std::size_t n = w.size() - i < kChunk ? w.size() - i : kChunk;
    if (i + n < w.size() && n > 1 && w[i + n - 1] >= 0xD800 && w[i + n - 1] <= 0xDBFF) --n;
    int needed = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, w.data() + i, static_cast<int>(n), nullptr,
                                     0, "?", nullptr);
    if (needed <= 0) {
      out.append(n, '?');
    } else {
      std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(needed));
      int written = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, w.data() + i, static_cast<int>(n),
                                        &out[at], needed, "?", nullptr);
      out.resize(at + static_cast<std::size_t>(written > 0 ? written : 0));
    }
    i += n;
  }
  return out;
}

}  // namespace tessavel::codepage_platform
