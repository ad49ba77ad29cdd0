// Whole-file read in fixed-size pieces, one implementation per system
// (file_reader_win32.cpp, file_reader_posix.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/text.h"

namespace tessavel {

// Size of the pieces handed to the sink; memory use does not grow with the file.
inline constexpr std::size_t kFileReadPieceSize = 256 * 1024;

class FilePieceSink {
 public:
  virtual void Take(const std::uint8_t* data, std::size_t size) = 0;

 protected:
  ~FilePieceSink() = default;
};

// Opens the regular file at path (Windows form, code page 936) for reading
// while denying other programs write access to it (where the system can deny
// it), and hands its content to sink piece by piece, in order. Returns false
// when the path does not name a regular file, the file cannot be opened (on
// Windows also when another program holds it open for writing) or a read
// fails; the sink may then have seen part of the content.
bool ReadFileInPieces(const Text& path, FilePieceSink& sink);

}  // namespace tessavel
