// Whole-file read on Linux. Linux cannot deny other programs write access the
// way a Windows share mode does, so a file that another program is still
// writing is read as it stands.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "core/paths_posix.h"
#include "deploy/file_reader.h"

namespace tessavel {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

bool ReadFileInPieces(const Text& path, FilePieceSink& sink) {
  const std::optional<std::string> native = NativePathOf(path);
  if (!native) return false;
  // O_NONBLOCK keeps a FIFO from blocking the open; only regular files are read.
  const FileDescriptor file(::open(native->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return false;
  struct stat st {};
  if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  const std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kFileReadPieceSize]);
  if (!buffer) return false;
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer.get(), kFileReadPieceSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    sink.Take(buffer.get(), static_cast<std::size_t>(got));
  }
}

}  // namespace tessavel
