// The test folder on Linux: a folder made by mkdtemp in /tmp, named through
// Wine's drive Z:. Names are converted from code page 936 to UTF-8 here on
// their own, not through the path helpers under test.
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/codepage.h"
#include "core/tests/test_folder.h"

namespace tessavel::testing {
namespace {

std::string NativeName(const std::string& root, const Text& name) {
  std::string native = WideToUtf8(Cp936ToWide(name));
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return root + "/" + native;
}

void Walk(const std::string& native, const Text& relative, Tree& tree) {
  DIR* dir = ::opendir(native.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string child = entry->d_name;
    if (child == "." || child == "..") continue;
    const std::string nativeChild = native + "/" + child;
    const Text name = relative + WideToCp936(Utf8ToWide(child));
    struct stat st {};
    if (::lstat(nativeChild.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      tree[name] = TreeEntry{true, {}};
      Walk(nativeChild, name + "\\", tree);
    } else {
      std::ifstream in(nativeChild, std::ios::binary);
      std::ostringstream content;
      content << in.rdbuf();
      tree[name] = TreeEntry{false, content.str()};
    }
  }
  ::closedir(dir);
}

void RemoveTree(const std::string& native) {
  struct stat st {};
  if (::lstat(native.c_str(), &st) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    ::chmod(native.c_str(), 0755);
    if (DIR* dir = ::opendir(native.c_str())) {
      while (const dirent* entry = ::readdir(dir)) {
        const std::string child = entry->d_name;
        if (child != "." && child != "..") RemoveTree(native + "/" + child);
      }
      ::closedir(dir);
    }
    ::rmdir(native.c_str());
  } else {
    ::unlink(native.c_str());
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const TreeEntry& entry) {
  return entry.folder ? out << "<folder>" : out << "file \"" << entry.content << "\"";
}

TestFolder::TestFolder() {
  char pattern[] = "/tmp/tessavel-test-XXXXXX";
  const char* made = ::mkdtemp(pattern);
  if (made == nullptr) return;
  native_ = made;
  // Readable for all, so that an unprivileged child can reach the files.
  ::chmod(made, 0755);
  path_ = "Z:";
  for (char c : native_) path_ += c == '/' ? '\\' : c;
  path_ += "\\";
}

TestFolder::~TestFolder() {
  if (!path_.empty()) RemoveTree(native_);
}

bool TestFolder::WriteFile(const Text& name, const std::string& content) const {
  std::ofstream out(NativeName(native_, name), std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out);
}

bool TestFolder::MakeFolder(const Text& name) const {
  return ::mkdir(NativeName(native_, name).c_str(), 0755) == 0;
}

bool TestFolder::Remove(const Text& name) const {
  return ::remove(NativeName(native_, name).c_str()) == 0;
}

Tree TestFolder::Snapshot() const {
  Tree tree;
  Walk(native_, Text(), tree);
  return tree;
}

struct WriterHold::Handle {
  int fd = -1;
};

WriterHold::WriterHold(const TestFolder& folder, const Text& name) : handle_(new Handle) {
  handle_->fd = ::open(NativeName(folder.native_, name).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
}

WriterHold::~WriterHold() {
  if (handle_->fd >= 0) ::close(handle_->fd);
}

bool WriterHold::Held() const { return handle_->fd >= 0; }

bool ReadDeniedWhileWriting() { return false; }

LockedRun RunWithoutWriteRight(const TestFolder& testFolder, const Text& name,
                               const std::function<bool()>& action, std::string& reason) {
  const std::string folder = NativeName(testFolder.native_, name);
  if (::chmod(folder.c_str(), 0555) != 0) {
    reason = "chmod failed";
    return LockedRun::kUnsupported;
  }
  LockedRun result = LockedRun::kRan;
  if (::geteuid() != 0) {
    if (!action()) result = LockedRun::kActionFailed;
  } else {
    const uid_t nobody = 65534;
    const pid_t child = ::fork();
    if (child == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
        ::_exit(3);
      ::_exit(action() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
      reason = "no child process";
      result = LockedRun::kUnsupported;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 3) {
      reason = "the child process could not become the user nobody";
      result = LockedRun::kUnsupported;
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      reason = "child process status " + std::to_string(status);
      result = LockedRun::kActionFailed;
    }
  }
  ::chmod(folder.c_str(), 0755);
  return result;
}

}  // namespace tessavel::testing
