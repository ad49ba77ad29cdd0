// Code page 936 decoding by a table that the system's converter fills once,
// so that both systems split bytes into characters in exactly the same way;
// encoding through the system's converter; UTF-8 by hand.
#include "core/codepage.h"

#include <array>
#include <cstddef>
#include <memory>

#include "core/codepage_platform.h"

namespace tessavel {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

constexpr unsigned kLeadFirst = 0x81, kLeadLast = 0xFE;
constexpr unsigned kTrailFirst = 0x40, kTrailLast = 0xFE;
constexpr std::size_t kTrails = kTrailLast - kTrailFirst + 1;

// Private-use characters are what the two systems' converters disagree on
// (Windows maps the user-defined areas there, glibc refuses them), so the
// conversion treats them as not held by the code page on both.
bool IsPrivateUse(wchar_t c) { return c >= 0xE000 && c <= 0xF8FF; }

// The character of each byte 0x80-0xFF standing alone and of each lead/trail
// pair; 0 where there is none.
struct DecodeTable {
  std::array<wchar_t, 0x80> single{};
  std::array<wchar_t, (kLeadLast - kLeadFirst + 1) * kTrails> pair{};

  DecodeTable() {
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
      char in[1] = {static_cast<char>(b)};
      wchar_t c = 0;
      if (codepage_platform::DecodeOne(in, 1, c) && !IsPrivateUse(c)) single[b - 0x80] = c;
    }
    for (unsigned lead = kLeadFirst; lead <= kLeadLast; ++lead) {
      for (unsigned trail = kTrailFirst; trail <= kTrailLast; ++trail) {
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        wchar_t c = 0;
        if (codepage_platform::DecodeOne(in, 2, c) && !IsPrivateUse(c)) {
          pair[(lead - kLeadFirst) * kTrails + (trail - kTrailFirst)] = c;
        }
      }
    }
  }
};

const DecodeTable& Table() {
  static const DecodeTable table;
  return table;
}

}  // namespace

std::wstring Cp936ToWide(const Text& t) {
  try {
    const DecodeTable& table = Table();
    std::wstring out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
      unsigned b = static_cast<unsigned char>(t[i]);
      if (b < 0x80) {
        out.push_back(static_cast<wchar_t>(b));
        ++i;
        continue;
      }
      if (b >= kLeadFirst && b <= kLeadLast && i + 1 < t.size()) {
        unsigned trail = static_cast<unsigned char>(t[i + 1]);
        if (trail >= kTrailFirst && trail <= kTrailLast) {
          wchar_t c = table.pair[(b - kLeadFirst) * kTrails + (trail - kTrailFirst)];
          if (c != 0) {
            out.push_back(c);
            i += 2;
            continue;
          }
        }
      }
      wchar_t c = table.single[b - 0x80];
      out.push_back(c != 0 ? c : kReplacement);
      ++i;
    }
    return out;
  } catch (...) {
    return std::wstring();
  }
}

Text WideToCp936(const std::wstring& w) {
  try {
    std::wstring held = w;
    for (wchar_t& c : held) {
      if (IsPrivateUse(c)) c = L'?';
    }
    return codepage_platform::Encode(held);
  } catch (...) {
    return Text();
  }
}

std::string WideToUtf8(const std::wstring& w) {
  try {
    std::string out;
    out.reserve(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
      char32_t c = static_cast<char32_t>(w[i]);
      if constexpr (sizeof(wchar_t) == 2) {
        c &= 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < w.size()) {
          char32_t low = static_cast<char32_t>(w[i + 1]) & 0xFFFF;
          if (low >= 0xDC00 && low <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            ++i;
          }
        }
      }
      if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
      } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      }
    }
    return out;
  } catch (...) {
    return std::string();
  }
}

std::wstring Utf8ToWide(const std::string& s) {
  try {
    std::wstring out;
    out.reserve(s.size());
    auto put = [&out](char32_t c) {
      if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
          c -= 0x10000;
          out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
          out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
          return;
        }
      }
      out.push_back(static_cast<wchar_t>(c));
    };
    for (std::size_t i = 0; i < s.size();) {
      unsigned b = static_cast<unsigned char>(s[i]);
      std::size_t length = b < 0x80 ? 1 : (b >= 0xC2 && b <= 0xDF) ? 2 : (b >= 0xE0 && b <= 0xEF) ? 3
                                                            : (b >= 0xF0 && b <= 0xF4) ? 4 : 0;
      char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
      bool valid = length != 0 && i + length <= s.size();
      for (std::size_t k = 1; valid && k < length; ++k) {
        unsigned cont = static_cast<unsigned char>(s[i + k]);
        if ((cont & 0xC0) != 0x80) valid = false;
        c = (c << 6) | (cont & 0x3F);
      }
      // Overlong forms, surrogates and code points beyond U+10FFFF are refused.
      if (valid && ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
                    (c >= 0xD800 && c <= 0xDFFF))) {
        valid = false;
      }
      if (valid) {
        put(c);
        i += length;
      } else {
        put(0xFFFD);
        ++i;
      }
    }
    return out;
  } catch (...) {
    return std::wstring();
  }
}

}  // namespace tessavel
