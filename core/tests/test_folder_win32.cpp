// The test folder on Windows (and under Wine): a new folder inside the folder
// that GetTempPathW names. Names are converted from code page 936 here on
// their own, not through the path helpers under test.
#include <windows.h>

#include <vector>

#include "core/codepage.h"
#include "core/tests/test_folder.h"

namespace tessavel::testing {
namespace {

std::wstring Wide(const Text& path) { return Cp936ToWide(path); }

void Walk(const std::wstring& folder, const Text& relative, Tree& tree) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring child = found.cFileName;
    if (child == L"." || child == L"..") continue;
    const std::wstring wideChild = folder + L"\\" + child;
    const Text name = relative + WideToCp936(child);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      tree[name] = TreeEntry{true, {}};
      Walk(wideChild, name + "\\", tree);
      continue;
    }
    // Shares writing and deleting, so a snapshot never disturbs the test.
    const HANDLE file = CreateFileW(wideChild.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    std::string content;
    if (file != INVALID_HANDLE_VALUE) {
      char buffer[4096];
      DWORD got = 0;
      while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
      CloseHandle(file);
    } else {
      content = "<unreadable>";
    }
    tree[name] = TreeEntry{false, content};
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void RemoveTree(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    DeleteFileW(path.c_str());
    return;
  }
  std::vector<std::wstring> children;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring child = found.cFileName;
      if (child != L"." && child != L"..") children.push_back(path + L"\\" + child);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  for (const std::wstring& child : children) RemoveTree(child);
  RemoveDirectoryW(path.c_str());
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const TreeEntry& entry) {
  return entry.folder ? out << "<folder>" : out << "file \"" << entry.content << "\"";
}

TestFolder::TestFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return;
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring candidate = std::wstring(temp) + L"tessavel-test-" +
                                   std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(++counter);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = WideToCp936(candidate) + "\\";
      return;
    }
  }
}

TestFolder::~TestFolder() {
  if (!path_.empty()) RemoveTree(Wide(TextLeft(path_, TextLength(path_) - 1)));
}

bool TestFolder::WriteFile(const Text& name, const std::string& content) const {
  const HANDLE file = CreateFileW(Wide(PathOf(name)).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = content.empty() ||
                  (::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written,
                             nullptr) &&
                   written == content.size());
  CloseHandle(file);
  return ok;
}

bool TestFolder::MakeFolder(const Text& name) const {
  return CreateDirectoryW(Wide(PathOf(name)).c_str(), nullptr) != FALSE;
}

bool TestFolder::Remove(const Text& name) const {
  const std::wstring path = Wide(PathOf(name));
  return DeleteFileW(path.c_str()) || RemoveDirectoryW(path.c_str());
}

Tree TestFolder::Snapshot() const {
  Tree tree;
  Walk(Wide(TextLeft(path_, TextLength(path_) - 1)), Text(), tree);
  return tree;
}

// The writer is a second process: this same test program, started with the
// file's path in kHolderVariable. Before any test runs it opens the file for
// writing, sharing reading only, reports "1" (or "0") on its standard output,
// and keeps the file open until its standard input closes.
constexpr wchar_t kHolderVariable[] = L"TESSAVEL_TEST_HOLD_FOR_WRITING";

const bool g_isHolder = [] {
  std::vector<wchar_t> path(32768);
  const DWORD length = GetEnvironmentVariableW(kHolderVariable, path.data(),
                                               static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return false;
  const HANDLE file = CreateFileW(path.data(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const char held = file != INVALID_HANDLE_VALUE ? '1' : '0';
  DWORD count = 0;
  ::WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), &held, 1, &count, nullptr);
  char byte = 0;
  while (::ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr) && count > 0) {
  }
  ExitProcess(0);
}();

struct WriterHold::Handle {
  HANDLE process = nullptr;
  HANDLE toChild = nullptr;    // closing it lets the child end
  bool held = false;
};

WriterHold::WriterHold(const TestFolder& folder, const Text& name) : handle_(new Handle) {
  wchar_t program[MAX_PATH + 1] = {};
  if (GetModuleFileNameW(nullptr, program, MAX_PATH + 1) == 0) return;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE childIn = nullptr, childOut = nullptr, fromChild = nullptr;
  if (!CreatePipe(&childIn, &handle_->toChild, &inherit, 0)) return;
  if (!CreatePipe(&fromChild, &childOut, &inherit, 0)) {
    CloseHandle(childIn);
    return;
  }
  SetHandleInformation(handle_->toChild, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(fromChild, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childIn;
  startup.hStdOutput = childOut;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
  SetEnvironmentVariableW(kHolderVariable, Wide(folder.PathOf(name)).c_str());
  const BOOL started = CreateProcessW(program, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(kHolderVariable, nullptr);
  CloseHandle(childIn);
  CloseHandle(childOut);
  if (started) {
    CloseHandle(process.hThread);
    handle_->process = process.hProcess;
    char reply = 0;
    DWORD count = 0;
    handle_->held = ReadFile(fromChild, &reply, 1, &count, nullptr) && count == 1 && reply == '1';
  }
  CloseHandle(fromChild);
}

WriterHold::~WriterHold() {
  if (handle_->toChild != nullptr) CloseHandle(handle_->toChild);
  if (handle_->process != nullptr) {
    WaitForSingleObject(handle_->process, 30000);
    CloseHandle(handle_->process);
  }
}

bool WriterHold::Held() const { return handle_->held; }

bool ReadDeniedWhileWriting() { return true; }

LockedRun RunWithoutWriteRight(const TestFolder&, const Text&, const std::function<bool()>&,
                               std::string& reason) {
  reason =
      "Windows has no folder mode that keeps files out (the read-only attribute does not), and "
      "Wine does not enforce access lists";
  return LockedRun::kUnsupported;
}

}  // namespace tessavel::testing
