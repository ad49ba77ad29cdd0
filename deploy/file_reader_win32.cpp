// Whole-file read on Windows. The file is opened with FILE_SHARE_READ only:
// while it is open nobody may write to it, and a file that another program
// already holds open for writing cannot be opened at all.
#include <windows.h>

#include <memory>
#include <new>

#include "core/paths_system.h"
#include "deploy/file_reader.h"

namespace tessavel {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

bool ReadFileInPieces(const Text& path, FilePieceSink& sink) {
  const std::optional<std::wstring> wide = WidePathOf(path);
  if (!wide) return false;
  const FileHandle file(CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  // Only files on disk: no pipes, consoles or devices.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  const std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kFileReadPieceSize]);
  if (!buffer) return false;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer.get(), static_cast<DWORD>(kFileReadPieceSize), &got, nullptr))
      return false;
    if (got == 0) return true;
    sink.Take(buffer.get(), got);
  }
}

}  // namespace tessavel
