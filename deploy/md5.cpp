// MD5 after RFC 1321. The 64 steps of the compression function are written
// out with the standard round macros so the compiler keeps the four state
// words and the sixteen message words in registers.
#include "deploy/md5.h"

#include <bit>
#include <cstring>

#include "deploy/file_reader.h"

namespace tessavel {
namespace {

// Little-endian load; compilers turn this into one load on little-endian CPUs.
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The auxiliary functions, in forms with a short dependency on b, the word
// that the previous step has just computed: F as a bit selection; G split in
// two parts whose sum it is (they never have a bit in common), so the part
// without b is added before b is known.
#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))

#define MD5_STEP(f, a, b, c, d, x, t, s)      \
  do {                                        \
    (a) += (x) + (t);                         \
    (a) += f((b), (c), (d));                  \
    (a) = std::rotl((a), (s)) + (b);          \
  } while (0)

// G(b, c, d) = (b AND d) OR (c AND NOT d) = (c AND NOT d) + (b AND d).
#define MD5_STEP_G(a, b, c, d, x, t, s)       \
  do {                                        \
    (a) += (x) + (t) + ((c) & ~(d));          \
    (a) += (b) & (d);                         \
    (a) = std::rotl((a), (s)) + (b);          \
  } while (0)

// Runs the compression function over blocks 64-byte blocks at data.
void Compress(std::uint32_t* state, const std::uint8_t* data, std::size_t blocks) {
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (; blocks > 0; --blocks, data += 64) {
    const std::uint32_t x0 = LoadLe32(data + 0), x1 = LoadLe32(data + 4),
                        x2 = LoadLe32(data + 8), x3 = LoadLe32(data + 12),
                        x4 = LoadLe32(data + 16), x5 = LoadLe32(data + 20),
                        x6 = LoadLe32(data + 24), x7 = LoadLe32(data + 28),
                        x8 = LoadLe32(data + 32), x9 = LoadLe32(data + 36),
                        x10 = LoadLe32(data + 40), x11 = LoadLe32(data + 44),
                        x12 = LoadLe32(data + 48), x13 = LoadLe32(data + 52),
                        x14 = LoadLe32(data + 56), x15 = LoadLe32(data + 60);
    const std::uint32_t aa = a, bb = b, cc = c, dd = d;

    MD5_STEP(MD5_F, a, b, c, d, x0, 0xd76aa478u, 7);
    MD5_STEP(MD5_F, d, a, b, c, x1, 0xe8c7b756u, 12);
    MD5_STEP(MD5_F, c, d, a, b, x2, 0x242070dbu, 17);
    MD5_STEP(MD5_F, b, c, d, a, x3, 0xc1bdceeeu, 22);
    MD5_STEP(MD5_F, a, b, c, d, x4, 0xf57c0fafu, 7);
    MD5_STEP(MD5_F, d, a, b, c, x5, 0x4787c62au, 12);
    MD5_STEP(MD5_F, c, d, a, b, x6, 0xa8304613u, 17);
    MD5_STEP(MD5_F, b, c, d, a, x7, 0xfd469501u, 22);
    MD5_STEP(MD5_F, a, b, c, d, x8, 0x698098d8u, 7);
    MD5_STEP(MD5_F, d, a, b, c, x9, 0x8b44f7afu, 12);
    MD5_STEP(MD5_F, c, d, a, b, x10, 0xffff5bb1u, 17);
    MD5_STEP(MD5_F, b, c, d, a, x11, 0x895cd7beu, 22);
    MD5_STEP(MD5_F, a, b, c, d, x12, 0x6b901122u, 7);
    MD5_STEP(MD5_F, d, a, b, c, x13, 0xfd987193u, 12);
    MD5_STEP(MD5_F, c, d, a, b, x14, 0xa679438eu, 17);
    MD5_STEP(MD5_F, b, c, d, a, x15, 0x49b40821u, 22);

    MD5_STEP_G(a, b, c, d, x1, 0xf61e2562u, 5);
    MD5_STEP_G(d, a, b, c, x6, 0xc040b340u, 9);
    MD5_STEP_G(c, d, a, b, x11, 0x265e5a51u, 14);
    MD5_STEP_G(b, c, d, a, x0, 0xe9b6c7aau, 20);
    MD5_STEP_G(a, b, c, d, x5, 0xd62f105du, 5);
    MD5_STEP_G(d, a, b, c, x10, 0x02441453u, 9);
    MD5_STEP_G(c, d, a, b, x15, 0xd8a1e681u, 14);
    MD5_STEP_G(b, c, d, a, x4, 0xe7d3fbc8u, 20);
    MD5_STEP_G(a, b, c, d, x9, 0x21e1cde6u, 5);
    MD5_STEP_G(d, a, b, c, x14, 0xc33707d6u, 9);
    MD5_STEP_G(c, d, a, b, x3, 0xf4d50d87u, 14);
    MD5_STEP_G(b, c, d, a, x8, 0x455a14edu, 20);
    MD5_STEP_G(a, b, c, d, x13, 0xa9e3e905u, 5);
    MD5_STEP_G(d, a, b, c, x2, 0xfcefa3f8u, 9);
    MD5_STEP_G(c, d, a, b, x7, 0x676f02d9u, 14);
    MD5_STEP_G(b, c, d, a, x12, 0x8d2a4c8au, 20);

    MD5_STEP(MD5_H, a, b, c, d, x5, 0xfffa3942u, 4);
    MD5_STEP(MD5_H, d, a, b, c, x8, 0x8771f681u, 11);
    MD5_STEP(MD5_H, c, d, a, b, x11, 0x6d9d6122u, 16);
    MD5_STEP(MD5_H, b, c, d, a, x14, 0xfde5380cu, 23);
    MD5_STEP(MD5_H, a, b, c, d, x1, 0xa4beea44u, 4);
    MD5_STEP(MD5_H, d, a, b, c, x4, 0x4bdecfa9u, 11);
    MD5_STEP(MD5_H, c, d, a, b, x7, 0xf6bb4b60u, 16);
    MD5_STEP(MD5_H, b, c, d, a, x10, 0xbebfbc70u, 23);
    MD5_STEP(MD5_H, a, b, c, d, x13, 0x289b7ec6u, 4);
    MD5_STEP(MD5_H, d, a, b, c, x0, 0xeaa127fau, 11);
    MD5_STEP(MD5_H, c, d, a, b, x3, 0xd4ef3085u, 16);
    MD5_STEP(MD5_H, b, c, d, a, x6, 0x04881d05u, 23);
    MD5_STEP(MD5_H, a, b, c, d, x9, 0xd9d4d039u, 4);
    MD5_STEP(MD5_H, d, a, b, c, x12, 0xe6db99e5u, 11);
    MD5_STEP(MD5_H, c, d, a, b, x15, 0x1fa27cf8u, 16);
    MD5_STEP(MD5_H, b, c, d, a, x2, 0xc4ac5665u, 23);

    MD5_STEP(MD5_I, a, b, c, d, x0, 0xf4292244u, 6);
    MD5_STEP(MD5_I, d, a, b, c, x7, 0x432aff97u, 10);
    MD5_STEP(MD5_I, c, d, a, b, x14, 0xab9423a7u, 15);
    MD5_STEP(MD5_I, b, c, d, a, x5, 0xfc93a039u, 21);
    MD5_STEP(MD5_I, a, b, c, d, x12, 0x655b59c3u, 6);
    MD5_STEP(MD5_I, d, a, b, c, x3, 0x8f0ccc92u, 10);
    MD5_STEP(MD5_I, c, d, a, b, x10, 0xffeff47du, 15);
    MD5_STEP(MD5_I, b, c, d, a, x1, 0x85845dd1u, 21);
    MD5_STEP(MD5_I, a, b, c, d, x8, 0x6fa87e4fu, 6);
    MD5_STEP(MD5_I, d, a, b, c, x15, 0xfe2ce6e0u, 10);
    MD5_STEP(MD5_I, c, d, a, b, x6, 0xa3014314u, 15);
    MD5_STEP(MD5_I, b, c, d, a, x13, 0x4e0811a1u, 21);
    MD5_STEP(MD5_I, a, b, c, d, x4, 0xf7537e82u, 6);
    MD5_STEP(MD5_I, d, a, b, c, x11, 0xbd3af235u, 10);
    MD5_STEP(MD5_I, c, d, a, b, x2, 0x2ad7d2bbu, 15);
    MD5_STEP(MD5_I, b, c, d, a, x9, 0xeb86d391u, 21);

    a += aa;
    b += bb;
    c += cc;
    d += dd;
  }
  state[0] = a;
  state[1] = b;
  state[2] = c;
  state[3] = d;
}

#undef MD5_STEP
#undef MD5_I
#undef MD5_H
#undef MD5_STEP_G
#undef MD5_F

class DigestSink final : public FilePieceSink {
 public:
  void Take(const std::uint8_t* data, std::size_t size) override {
    md5.Update(data, size);
    total += size;
  }
  Md5 md5;
  std::uint64_t total = 0;
};

}  // namespace

Md5::Md5() { Reset(); }

void Md5::Reset() {
  state_ = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};
  length_ = 0;
  pending_ = {};
  pendingSize_ = 0;
}

void Md5::Update(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  length_ += size;
  if (pendingSize_ > 0) {
    const std::size_t take = size < 64 - pendingSize_ ? size : 64 - pendingSize_;
    std::memcpy(pending_.data() + pendingSize_, p, take);
    pendingSize_ += take;
    p += take;
    size -= take;
    if (pendingSize_ < 64) return;
    Compress(state_.data(), pending_.data(), 1);
    pendingSize_ = 0;
  }
  if (size >= 64) {
    Compress(state_.data(), p, size / 64);
    p += size / 64 * 64;
    size %= 64;
  }
  if (size > 0) {
    std::memcpy(pending_.data(), p, size);
    pendingSize_ = size;
  }
}

Md5Digest Md5::Finish() {
  // Padding: one 0x80 byte, zeros up to 56 bytes mod 64, then the length in
  // bits as a little-endian 64-bit number.
  const std::uint64_t bits = length_ * 8;
  std::uint8_t tail[128] = {0x80};
  const std::size_t padSize = pendingSize_ < 56 ? 56 - pendingSize_ : 120 - pendingSize_;
  for (int i = 0; i < 8; ++i) tail[padSize + i] = static_cast<std::uint8_t>(bits >> (8 * i));
  Update(tail, padSize + 8);
  Md5Digest digest{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (8 * j));
  Reset();
  return digest;
}

Text Md5ToHex(const Md5Digest& digest) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  Text hex;
  hex.reserve(32);
  for (std::uint8_t byte : digest) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return hex;
}

Text Md5HexOfBytes(const void* data, std::size_t size) {
  Md5 md5;
  md5.Update(data, size);
  return Md5ToHex(md5.Finish());
}

Text Md5HexOfFile(const Text& path) {
  DigestSink sink;
  if (!ReadFileInPieces(path, sink) || sink.total == 0) return Text();
  return Md5ToHex(sink.md5.Finish());
}

}  // namespace tessavel
