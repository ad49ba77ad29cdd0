// A temporary folder for file tests, reached through a Windows-form path in
// code page 936, so the same test source runs natively and under Wine. On
// Linux it lies in /tmp and its path is Z:\tmp\...; on Windows it lies in the
// folder that GetTempPathW names. The folder and all it holds are removed at
// the end. Names given to the members are relative to the folder, with
// backslashes between their components.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "core/text.h"

namespace tessavel::testing {

// One entry of a folder tree: a folder, or a file with its content.
struct TreeEntry {
  bool folder = false;
  std::string content;
  bool operator==(const TreeEntry&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TreeEntry& entry);

// Relative name (backslash-separated) -> entry, for everything in the tree.
using Tree = std::map<Text, TreeEntry>;

enum class LockedRun;

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  // The folder's Windows-form path, ending in a backslash.
  const Text& Path() const { return path_; }
  Text PathOf(const Text& name) const { return path_ + name; }

  bool WriteFile(const Text& name, const std::string& content) const;
  bool MakeFolder(const Text& name) const;
  bool Remove(const Text& name) const;  // a file or an empty folder
  Tree Snapshot() const;                // everything below the folder

 private:
  friend class WriterHold;
  friend LockedRun RunWithoutWriteRight(const TestFolder&, const Text&,
                                        const std::function<bool()>&, std::string&);
  Text path_;
  std::string native_;  // Linux: the folder's own path in UTF-8
};

// Holds a file open for writing as another program would while it still
// writes it. Windows: a second process opens it with write access, sharing
// reading only, so any later open that does not share writing is refused.
// Linux: a plain write descriptor (Linux has no share modes).
class WriterHold {
 public:
  WriterHold(const TestFolder& folder, const Text& name);
  ~WriterHold();
  WriterHold(const WriterHold&) = delete;
  WriterHold& operator=(const WriterHold&) = delete;
  bool Held() const;

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

// Whether this system refuses to read a file that another handle holds open
// for writing (Windows share modes: yes; Linux: no).
bool ReadDeniedWhileWriting();

// How a run without write right went.
enum class LockedRun {
  kRan,           // the action ran and returned true
  kActionFailed,  // the action returned false or did not finish
  kUnsupported,   // the system offers no such folder; see the reason
};

// Runs action while the folder name inside folder cannot be written to:
// on Linux the folder's mode becomes 0555, and when the test runs as root
// (which ignores modes) the action runs in a child process that has dropped
// to the unprivileged user nobody. The mode is restored afterwards. Windows
// offers no such folder here (a read-only attribute does not keep files out
// of a folder, and Wine does not enforce access lists).
LockedRun RunWithoutWriteRight(const TestFolder& folder, const Text& name,
                               const std::function<bool()>& action, std::string& reason);

}  // namespace tessavel::testing
