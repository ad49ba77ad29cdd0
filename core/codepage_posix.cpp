// Code page 936 through glibc's iconv ("CP936").
#include <iconv.h>

#include <cerrno>
#include <cstddef>

#include "core/codepage_platform.h"

namespace tessavel::codepage_platform {
namespace {

// One iconv conversion descriptor for the length of a call.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

bool DecodeOne(const char* bytes, int length, wchar_t& out) noexcept {
  thread_local Converter decoder("WCHAR_T", "CP936");
  if (!decoder.ok() || length < 1 || length > 2) return false;
  iconv(decoder.get(), nullptr, nullptr, nullptr, nullptr);  // reset the state
  char in[2] = {bytes[0], length > 1 ? bytes[1] : '\0'};
  wchar_t result[2] = {};
  char* inPtr = in;
  std::size_t inLeft = static_cast<std::size_t>(length);
  char* outPtr = reinterpret_cast<char*>(result);
  std::size_t outLeft = sizeof(result);
  if (iconv(decoder.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return false;
  if (inLeft != 0 || sizeof(result) - outLeft != sizeof(wchar_t)) return false;
  out = result[0];
  return true;
}

Text Encode(const std::wstring& w) {
  Converter encoder("CP936", "WCHAR_T");
  Text out;
  if (!encoder.ok()) return Text(w.size(), '?');
  out.reserve(w.size() * 2);
  // Every character becomes at most two bytes; convert in chunks.
  char buffer[4096];
  char* inPtr = reinterpret_cast<char*>(const_cast<wchar_t*>(w.data()));
  std::size_t inLeft = w.size() * sizeof(wchar_t);
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof(buffer);
    std::size_t r = iconv(encoder.get(), &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A character the code page cannot hold (or an invalid code point).
      out.push_back('?');
      std::size_t skip = inLeft < sizeof(wchar_t) ? inLeft : sizeof(wchar_t);
      inPtr += skip;
      inLeft -= skip;
      iconv(encoder.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace tessavel::codepage_platform
