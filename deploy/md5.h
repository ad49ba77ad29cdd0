// MD5 message digest (RFC 1321), computed incrementally so that a file of any
// size can be hashed in fixed-size pieces, and the digest of a file's whole
// content written as the 32 upper-case hexadecimal digits that the runtime
// installer table uses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/text.h"

namespace tessavel {

using Md5Digest = std::array<std::uint8_t, 16>;

class Md5 {
 public:
  Md5();
  // Adds size bytes at data to the message; may be called any number of times.
  void Update(const void* data, std::size_t size);
  // Pads the message, returns its digest and leaves the object ready for a
  // new message.
  Md5Digest Finish();

 private:
  void Reset();
  std::array<std::uint32_t, 4> state_;
  std::uint64_t length_;  // bytes taken so far
  std::array<std::uint8_t, 64> pending_;
  std::size_t pendingSize_;
};

// 32 hexadecimal digits, letters in upper case.
Text Md5ToHex(const Md5Digest& digest);

// The digest of a byte buffer, as hexadecimal digits.
Text Md5HexOfBytes(const void* data, std::size_t size);

// The digest of the whole content of the file at path (a Windows-form path in
// code page 936), read in fixed-size pieces. A file that cannot be opened or
// read to its end, or that is empty, has no digest: the result is the empty
// text, which equals no entry of a digest table.
Text Md5HexOfFile(const Text& path);

}  // namespace tessavel
