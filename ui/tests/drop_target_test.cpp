// The drop target against real windows and the real shell functions: drop
// handles are built as the shell builds them and the drop message is sent to
// the window.
#include "ui/drop_target.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "deploy/placement.h"
#include "ui/events.h"
#include "ui/main_window.h"

namespace tessavel {
namespace {

// ---- drop handles ---------------------------------------------------------

// A drop handle as the shell makes it: a DROPFILES header followed by the
// wide paths, each ended by NUL, and one more NUL, in movable global memory.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  if (memory == nullptr) return nullptr;
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fNC = FALSE;
  header->fWide = TRUE;
  wchar_t* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
  for (const std::wstring& p : paths) {
    std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    out += p.size() + 1;
  }
  *out = L'\0';
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// DragFinish releases the handle's memory; a released handle is invalid.
bool DropEnded(HDROP drop) { return GlobalFlags(drop) == GMEM_INVALID_HANDLE; }

LRESULT SendDrop(HWND window, HDROP drop) {
  return SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

// ---- recording callbacks ---------------------------------------------------

std::vector<std::string> calls;       // paths that Record received, in order
std::vector<std::string> otherCalls;  // paths that RecordOther received

void Record(const char* path) { calls.emplace_back(path); }
void RecordOther(const char* path) { otherCalls.emplace_back(path); }

// Records like Record but fails on a path that contains "throw".
void RecordOrThrow(const char* path) {
  calls.emplace_back(path);
  if (std::strstr(path, "throw") != nullptr) throw std::runtime_error("placement failed");
}

// ---- windows -------------------------------------------------------------

constexpr int kLabelId = 4;

struct Notification {
  int id;
  int code;
};
std::vector<Notification> notifications;  // WM_COMMAND notifications the parent received

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) notifications.push_back({LOWORD(wParam), HIWORD(wParam)});
  return DefWindowProcW(window, message, wParam, lParam);
}

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> received;  // messages the recording control's procedure saw

// The recording control answers every message with a value made from it, so
// that a test can see both the arguments and the result pass unchanged.
LRESULT Answer(UINT message, WPARAM wParam) { return static_cast<LRESULT>(message * 31u + wParam); }

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) {
    received.push_back({message, wParam, lParam});
    return Answer(message, wParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  WNDCLASSW parent = {};
  parent.lpfnWndProc = ParentProcedure;
  parent.hInstance = GetModuleHandleW(nullptr);
  parent.lpszClassName = L"DropTestParent";
  RegisterClassW(&parent);
  WNDCLASSW recording = {};
  recording.lpfnWndProc = RecordingProcedure;
  recording.hInstance = GetModuleHandleW(nullptr);
  recording.lpszClassName = L"DropTestRecording";
  RegisterClassW(&recording);
  done = true;
}

WNDPROC ProcedureOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

bool AcceptsFiles(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }

class DropTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses();
    calls.clear();
    otherCalls.clear();
    notifications.clear();
    received.clear();
    parent_ = CreateWindowExW(0, L"DropTestParent", L"drop test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    label_ = MakeLabel(kLabelId);
    ASSERT_NE(label_, nullptr);
  }
  void TearDown() override {
    if (parent_ != nullptr) DestroyWindow(parent_);
  }

  // A label like the drop area: a STATIC control that reports clicks.
  HWND MakeLabel(int id) {
    return CreateWindowExW(0, L"STATIC", L"drop here", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTER, 10, 10, 200,
                           100, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
  }
  HWND MakeRecordingControl() {
    return CreateWindowExW(0, L"DropTestRecording", L"", WS_CHILD, 0, 0, 10, 10, parent_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }

  HWND parent_ = nullptr;
  HWND label_ = nullptr;
};

const std::vector<std::wstring> kThreePaths = {
    L"C:\\pkg\\rhino_en-us_6.17.19190.13001.exe",
    L"C:\\pkg\\rhino_de-de_languagepack_6.17.19190.13001.msi",
    L"C:\\pkg\\vcredist_x64.exe",
};

// ---- delivery ---------------------------------------------------------------

TEST_F(DropTargetTest, DeliversEveryPathInTheShellsOrderThenEndsTheDrop) {
  DropTarget target;
  target.Attach(label_, Record);
  HDROP drop = MakeDrop(kThreePaths);
  EXPECT_EQ(SendDrop(label_, drop), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"C:\\pkg\\rhino_en-us_6.17.19190.13001.exe",
                                             "C:\\pkg\\rhino_de-de_languagepack_6.17.19190.13001.msi",
                                             "C:\\pkg\\vcredist_x64.exe"}));
  EXPECT_TRUE(DropEnded(drop));
}

TEST_F(DropTargetTest, EmptyDropCallsNothingAndStillEnds) {
  DropTarget target;
  target.Attach(label_, Record);
  HDROP drop = MakeDrop({});
  EXPECT_EQ(SendDrop(label_, drop), 0);
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(DropEnded(drop));
}

TEST_F(DropTargetTest, EachDropIsDeliveredOnItsOwn) {
  DropTarget target;
  target.Attach(label_, Record);
  EXPECT_EQ(SendDrop(label_, MakeDrop({L"C:\\a\\one.exe"})), 0);
  EXPECT_EQ(SendDrop(label_, MakeDrop({L"C:\\b\\two.msi", L"C:\\b\\three"})), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"C:\\a\\one.exe", "C:\\b\\two.msi", "C:\\b\\three"}));
}

TEST_F(DropTargetTest, PathsArriveInCodePage936WithoutLookAlikes) {
  struct Case {
    const char* what;
    std::wstring dropped;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"ASCII", L"C:\\pkg\\a b.exe", "C:\\pkg\\a b.exe"},
      {"Chinese folder and name", L"C:\\\x4E0B\x8F7D\\\x4E2D\x6587.exe",
       "C:\\\xCF\xC2\xD4\xD8\\\xD6\xD0\xCE\xC4.exe"},
      {"full-width parentheses", L"C:\\pkg\\a\xFF08" L"1\xFF09.exe", "C:\\pkg\\a\xA3\xA8" "1\xA3\xA9.exe"},
      {"Thai letter is not in the code page", L"C:\\pkg\\a\x0E01.exe", "C:\\pkg\\a?.exe"},
      {"a-umlaut has no look-alike substitute", L"C:\\pkg\\b\x00E4r.exe", "C:\\pkg\\b?r.exe"},
      {"Latin capital A with macron has no look-alike", L"C:\\\x0100.msi", "C:\\?.msi"},
      {"private-use character", L"C:\\pkg\\\xE000.exe", "C:\\pkg\\?.exe"},
  };
  DropTarget target;
  target.Attach(label_, Record);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    calls.clear();
    EXPECT_EQ(SendDrop(label_, MakeDrop({c.dropped})), 0);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], c.expected);
  }
}

TEST_F(DropTargetTest, LongPathsArriveWhole) {
  DropTarget target;
  target.Attach(label_, Record);
  for (std::size_t length : {999u, 1000u, 1001u, 4096u, 32000u}) {
    SCOPED_TRACE(length);
    std::string expected = "\\\\?\\C:\\";
    expected.append(length - expected.size() - 4, 'd');
    expected += ".msi";
    ASSERT_EQ(expected.size(), length);
    const std::wstring path(expected.begin(), expected.end());  // ASCII: same characters
    calls.clear();
    HDROP drop = MakeDrop({path, L"C:\\after.exe"});
    EXPECT_EQ(SendDrop(label_, drop), 0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], expected);
    EXPECT_EQ(calls[1], "C:\\after.exe");
    EXPECT_TRUE(DropEnded(drop));
  }
}

TEST_F(DropTargetTest, AFailingCallbackLeavesTheOtherPathsAndEndsTheDrop) {
  DropTarget target;
  target.Attach(label_, RecordOrThrow);
  HDROP drop = MakeDrop({L"C:\\one", L"C:\\throw", L"C:\\three"});
  EXPECT_EQ(SendDrop(label_, drop), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"C:\\one", "C:\\throw", "C:\\three"}));
  EXPECT_TRUE(DropEnded(drop));
}

// ---- binding ----------------------------------------------------------------

TEST_F(DropTargetTest, AttachSubclassesTheWindowAndAcceptsFiles) {
  WNDPROC own = ProcedureOf(label_);
  EXPECT_FALSE(AcceptsFiles(label_));
  DropTarget target;
  EXPECT_FALSE(target.IsAttached());
  target.Attach(label_, Record);
  EXPECT_TRUE(target.IsAttached());
  EXPECT_NE(ProcedureOf(label_), own);
  EXPECT_TRUE(AcceptsFiles(label_));
  EXPECT_FALSE(AcceptsFiles(parent_));
}

TEST_F(DropTargetTest, OtherMessagesReachThePreviousProcedureUnchanged) {
  HWND control = MakeRecordingControl();
  ASSERT_NE(control, nullptr);
  DropTarget target;
  target.Attach(control, Record);
  ASSERT_TRUE(target.IsAttached());
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  const std::vector<Case> cases = {
      {WM_USER, 0, 0},
      {WM_USER + 7, 0x1234, 0x5678},
      {WM_USER + 8, static_cast<WPARAM>(-1), static_cast<LPARAM>(0x7FFFFFFF00000001LL)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    received.clear();
    EXPECT_EQ(SendMessageW(control, c.message, c.wParam, c.lParam), Answer(c.message, c.wParam));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, c.message);
    EXPECT_EQ(received[0].wParam, c.wParam);
    EXPECT_EQ(received[0].lParam, c.lParam);
  }
  EXPECT_TRUE(calls.empty());
}

TEST_F(DropTargetTest, TheLabelStillReportsClicksAndKeepsItsText) {
  DropTarget target;
  target.Attach(label_, Record);
  ASSERT_TRUE(target.IsAttached());
  SendMessageW(label_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(label_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(notifications.size(), 1u);
  EXPECT_EQ(notifications[0].id, kLabelId);
  EXPECT_EQ(notifications[0].code, STN_CLICKED);
  SendMessageW(label_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_EQ(notifications.size(), 2u);
  EXPECT_EQ(notifications[1].code, STN_DBLCLK);

  EXPECT_TRUE(SetWindowTextW(label_, L"\x5C06\x6587\x4EF6"));
  wchar_t text[16] = {};
  EXPECT_EQ(GetWindowTextW(label_, text, 16), 3);
  EXPECT_STREQ(text, L"\x5C06\x6587\x4EF6");
  EXPECT_TRUE(calls.empty());
}

TEST_F(DropTargetTest, SecondAttachKeepsTheFirstBinding) {
  HWND second = MakeLabel(5);
  ASSERT_NE(second, nullptr);
  WNDPROC secondOwn = ProcedureOf(second);
  DropTarget target;
  target.Attach(label_, Record);
  WNDPROC bound = ProcedureOf(label_);
  target.Attach(second, RecordOther);
  EXPECT_EQ(ProcedureOf(second), secondOwn);
  EXPECT_FALSE(AcceptsFiles(second));
  EXPECT_EQ(ProcedureOf(label_), bound);

  EXPECT_EQ(SendDrop(label_, MakeDrop({L"C:\\first.exe"})), 0);
  EXPECT_EQ(calls, std::vector<std::string>{"C:\\first.exe"});
  EXPECT_TRUE(otherCalls.empty());
}

TEST_F(DropTargetTest, ASecondTargetCannotTakeABoundWindow) {
  DropTarget first;
  DropTarget second;
  first.Attach(label_, Record);
  second.Attach(label_, RecordOther);
  EXPECT_TRUE(first.IsAttached());
  EXPECT_FALSE(second.IsAttached());
  EXPECT_EQ(SendDrop(label_, MakeDrop({L"C:\\x.exe"})), 0);
  EXPECT_EQ(calls, std::vector<std::string>{"C:\\x.exe"});
  EXPECT_TRUE(otherCalls.empty());
}

TEST_F(DropTargetTest, DetachGivesBackThePreviousProcedureAndStopsDrops) {
  WNDPROC own = ProcedureOf(label_);
  DropTarget target;
  target.Attach(label_, Record);
  target.Detach();
  EXPECT_FALSE(target.IsAttached());
  EXPECT_EQ(ProcedureOf(label_), own);
  EXPECT_FALSE(AcceptsFiles(label_));

  // The label's own procedure does not handle the drop: the callback is not
  // called and the drop is left to its sender.
  HDROP drop = MakeDrop({L"C:\\late.exe"});
  SendDrop(label_, drop);
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(DropEnded(drop));
  DragFinish(drop);

  // A click still reaches the label.
  SendMessageW(label_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(notifications.size(), 1u);

  // A second Detach changes nothing.
  target.Detach();
  EXPECT_EQ(ProcedureOf(label_), own);
  EXPECT_FALSE(target.IsAttached());
}

TEST_F(DropTargetTest, DetachedTargetCanBeAttachedAgain) {
  HWND second = MakeLabel(5);
  ASSERT_NE(second, nullptr);
  DropTarget target;
  target.Attach(label_, Record);
  target.Detach();
  target.Attach(second, RecordOther);
  EXPECT_TRUE(target.IsAttached());
  EXPECT_TRUE(AcceptsFiles(second));
  EXPECT_EQ(SendDrop(second, MakeDrop({L"C:\\again.exe"})), 0);
  EXPECT_EQ(otherCalls, std::vector<std::string>{"C:\\again.exe"});
  EXPECT_TRUE(calls.empty());
}

TEST_F(DropTargetTest, DestroyingTheTargetDetachesIt) {
  WNDPROC own = ProcedureOf(label_);
  {
    DropTarget target;
    target.Attach(label_, Record);
    ASSERT_NE(ProcedureOf(label_), own);
  }
  EXPECT_EQ(ProcedureOf(label_), own);
  EXPECT_FALSE(AcceptsFiles(label_));
  // A new target may bind the window again: the old binding is gone.
  DropTarget next;
  next.Attach(label_, Record);
  EXPECT_TRUE(next.IsAttached());
}

TEST_F(DropTargetTest, DestroyingTheWindowUnbindsIt) {
  DropTarget target;
  target.Attach(label_, Record);
  ASSERT_TRUE(target.IsAttached());
  EXPECT_TRUE(DestroyWindow(label_));
  EXPECT_FALSE(target.IsAttached());
  target.Detach();  // nothing left to do, and nothing touched
  EXPECT_FALSE(target.IsAttached());
}

TEST_F(DropTargetTest, AttachToNoWindowStaysDetached) {
  HWND gone = MakeLabel(6);
  ASSERT_TRUE(DestroyWindow(gone));
  DropTarget target;
  target.Attach(nullptr, Record);
  EXPECT_FALSE(target.IsAttached());
  target.Attach(gone, Record);
  EXPECT_FALSE(target.IsAttached());
  // Still free to attach to a real window afterwards.
  target.Attach(label_, Record);
  EXPECT_TRUE(target.IsAttached());
}

TEST_F(DropTargetTest, DropOnAnotherControlIsNotHandled) {
  HWND other = MakeLabel(7);
  ASSERT_NE(other, nullptr);
  DropTarget target;
  target.Attach(label_, Record);
  EXPECT_FALSE(AcceptsFiles(other));
  HDROP drop = MakeDrop({L"C:\\elsewhere.exe"});
  SendDrop(other, drop);
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(DropEnded(drop));
  DragFinish(drop);
}

// ---- the program's one drop target ----------------------------------------------

TEST_F(DropTargetTest, TheDropTargetLivesFromMakeToRelease) {
  ReleaseDropTarget();
  EXPECT_EQ(TheDropTarget(), nullptr);
  MakeDropTarget();
  DropTarget* target = TheDropTarget();
  ASSERT_NE(target, nullptr);
  EXPECT_FALSE(target->IsAttached());
  MakeDropTarget();  // the one target is made once
  EXPECT_EQ(TheDropTarget(), target);

  WNDPROC own = ProcedureOf(label_);
  target->Attach(label_, Record);
  EXPECT_NE(ProcedureOf(label_), own);
  ReleaseDropTarget();
  EXPECT_EQ(TheDropTarget(), nullptr);
  EXPECT_EQ(ProcedureOf(label_), own);
  ReleaseDropTarget();  // releasing twice is harmless
  EXPECT_EQ(TheDropTarget(), nullptr);
}

// ---- the drop area of the real window, with the real placement ---------------

// A fresh folder under the system's temporary folder, removed with all it
// holds at the end.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"tessavel-drop-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    created_ = CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
  }
  ~TempFolder() {
    if (created_) RemoveTree(LongForm(path_));
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Created() const { return created_; }
  // The full path of a name inside the folder.
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

  // Every file and folder below, as relative paths with "\\" between parts
  // and a trailing "\\" on folders, sorted; file contents are checked apart.
  std::vector<std::wstring> Listing() const {
    std::vector<std::wstring> out;
    List(LongForm(path_), L"", out);
    std::sort(out.begin(), out.end());
    return out;
  }

  static std::wstring LongForm(const std::wstring& path) { return L"\\\\?\\" + path; }

 private:
  static void List(const std::wstring& dir, const std::wstring& prefix, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        out.push_back(prefix + name + L"\\");
        List(dir + L"\\" + name, prefix + name + L"\\", out);
      } else {
        out.push_back(prefix + name);
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring full = dir + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(full);
        } else {
          DeleteFileW(full.c_str());
        }
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(dir.c_str());
  }

  std::wstring path_;
  bool created_ = false;
};

bool WriteFileText(const std::wstring& path, const std::string& content) {
  HANDLE file = CreateFileW(TempFolder::LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == content.size();
}

std::string ReadFileText(const std::wstring& path) {
  HANDLE file = CreateFileW(TempFolder::LongForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(missing)";
  char buffer[256];
  DWORD got = 0;
  std::string out;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(file);
  return out;
}

bool MakeFolder(const std::wstring& path) {
  return CreateDirectoryW(TempFolder::LongForm(path).c_str(), nullptr) != FALSE;
}

// The real main window, made as start-up makes it: the one drop target
// first, then the window, whose created event attaches the drop target to
// 标签4 with OnFileDropped.
class DropAreaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReleaseDropTarget();
    MakeDropTarget();
    ASSERT_NE(TheDropTarget(), nullptr);
    window_ = std::make_unique<MainWindow>();
    ASSERT_TRUE(window_->Create(GetModuleHandleW(nullptr)));
    dropArea_ = window_->ControlWindow(Control::标签4);
    ASSERT_NE(dropArea_, nullptr);
    ASSERT_TRUE(folder_.Created());
  }
  void TearDown() override {
    window_.reset();
    ReleaseDropTarget();
  }

  // Drops the paths on 标签4 as the shell does and checks the drop was taken.
  void DropOnArea(const std::vector<std::wstring>& paths) {
    HDROP drop = MakeDrop(paths);
    EXPECT_EQ(SendDrop(dropArea_, drop), 0);
    EXPECT_TRUE(DropEnded(drop));
  }

  std::unique_ptr<MainWindow> window_;
  HWND dropArea_ = nullptr;
  TempFolder folder_;
};

constexpr wchar_t kMain[] = L"rhino_en-us_6.17.19190.13001.exe";
constexpr wchar_t kSecondMain[] = L"rhino_en-us_6.17.19190.13002.exe";
constexpr wchar_t kGerman[] = L"rhino_de-de_languagepack_6.17.19190.13001.msi";
constexpr wchar_t kChinese[] = L"Rhino_ZH-CN_LanguagePack_6.17.19190.13001.MSI";
constexpr wchar_t kFrenchFolder[] = L"rhino_fr-fr_languagepack_6.17.19190.13001.msi";

TEST_F(DropAreaTest, OnlyTheDropAreaAcceptsFiles) {
  DropTarget* target = TheDropTarget();
  EXPECT_TRUE(target->IsAttached());
  EXPECT_TRUE(AcceptsFiles(dropArea_));
  EXPECT_FALSE(AcceptsFiles(window_->Handle()));
  for (int i = 0; i < kControlCount; ++i) {
    Control c = static_cast<Control>(i);
    if (c == Control::标签4) continue;
    SCOPED_TRACE(i);
    EXPECT_FALSE(AcceptsFiles(window_->ControlWindow(c)));
  }
}

TEST_F(DropAreaTest, OneDropBuildsTheOfflineLayout) {
  ASSERT_TRUE(WriteFileText(folder_ / kMain, "main installer"));
  ASSERT_TRUE(WriteFileText(folder_ / kSecondMain, "second main installer"));
  ASSERT_TRUE(WriteFileText(folder_ / kGerman, "german pack"));
  ASSERT_TRUE(WriteFileText(folder_ / kChinese, "chinese pack"));
  ASSERT_TRUE(WriteFileText(folder_ / L"notes.txt", "unrelated"));
  ASSERT_TRUE(MakeFolder(folder_ / kFrenchFolder));
  ASSERT_TRUE(WriteFileText(folder_ / kFrenchFolder + L"\\inside.txt", "in the folder"));

  DropOnArea({folder_ / kMain, folder_ / kGerman, folder_ / kChinese, folder_ / L"notes.txt",
              folder_ / kFrenchFolder, folder_ / kSecondMain});

  EXPECT_EQ(folder_.Listing(), (std::vector<std::wstring>{
                                   L"Bootstrapper.exe",
                                   L"notes.txt",
                                   L"redist\\",
                                   L"redist\\ZH-CN\\",
                                   L"redist\\ZH-CN\\LanguagePack.msi",
                                   L"redist\\de-de\\",
                                   L"redist\\de-de\\LanguagePack.msi",
                                   L"redist\\fr-fr\\",
                                   L"redist\\fr-fr\\LanguagePack.msi\\",
                                   L"redist\\fr-fr\\LanguagePack.msi\\inside.txt",
                                   kSecondMain,
                               }));
  EXPECT_EQ(ReadFileText(folder_ / L"Bootstrapper.exe"), "main installer");
  EXPECT_EQ(ReadFileText(folder_ / kSecondMain), "second main installer");
  EXPECT_EQ(ReadFileText(folder_ / L"redist\\de-de\\LanguagePack.msi"), "german pack");
  EXPECT_EQ(ReadFileText(folder_ / L"redist\\ZH-CN\\LanguagePack.msi"), "chinese pack");
  EXPECT_EQ(ReadFileText(folder_ / L"notes.txt"), "unrelated");
}

TEST_F(DropAreaTest, PathsAreHandledInTheShellsOrder) {
  // The same two main installers dropped in the other order: the first one
  // listed becomes Bootstrapper.exe.
  ASSERT_TRUE(WriteFileText(folder_ / kMain, "first"));
  ASSERT_TRUE(WriteFileText(folder_ / kSecondMain, "second"));
  DropOnArea({folder_ / kSecondMain, folder_ / kMain});
  EXPECT_EQ(folder_.Listing(), (std::vector<std::wstring>{L"Bootstrapper.exe", kMain}));
  EXPECT_EQ(ReadFileText(folder_ / L"Bootstrapper.exe"), "second");
}

TEST_F(DropAreaTest, PathLongerThan999CharactersIsPlacedWhole) {
  // Nested folders of 200 characters each, so that the dropped path is well
  // over 999 characters (the file system allows 255 per name).
  std::wstring dir = folder_ / L"";
  dir.pop_back();
  for (int i = 0; i < 5; ++i) {
    dir += L"\\" + std::wstring(200, static_cast<wchar_t>(L'a' + i));
    ASSERT_TRUE(MakeFolder(dir)) << i;
  }
  std::wstring path = dir + L"\\" + kMain;
  ASSERT_GT(path.size(), 999u);
  ASSERT_TRUE(WriteFileText(path, "deep main installer"));
  DropOnArea({path});
  EXPECT_EQ(ReadFileText(dir + L"\\Bootstrapper.exe"), "deep main installer");
  EXPECT_EQ(ReadFileText(path), "(missing)");
}

TEST_F(DropAreaTest, PathOutsideTheCodePageMovesNothing) {
  // A folder whose name holds a Thai letter: the converted path names no
  // existing file, so nothing is renamed or moved anywhere.
  const std::wstring odd = folder_ / L"dir\x0E01";
  ASSERT_TRUE(MakeFolder(odd));
  ASSERT_TRUE(WriteFileText(odd + L"\\" + kMain, "main"));
  ASSERT_TRUE(WriteFileText(odd + L"\\" + kGerman, "pack"));
  // Same name with the letter, and a sibling that "?" would match as a
  // wildcard: neither may move.
  const std::wstring oddPack = L"rhino_de-de_languagepack_6.17.19190.13001\x0E01.msi";
  const std::wstring decoy = L"rhino_de-de_languagepack_6.17.19190.13001x.msi";
  ASSERT_TRUE(WriteFileText(folder_ / oddPack, "odd pack"));
  ASSERT_TRUE(WriteFileText(folder_ / decoy, "decoy"));
  const std::vector<std::wstring> before = folder_.Listing();

  DropOnArea({odd + L"\\" + kMain, odd + L"\\" + kGerman, folder_ / oddPack});

  // Whatever folders the placement made, every file is where it was.
  std::vector<std::wstring> files;
  for (const std::wstring& entry : folder_.Listing()) {
    if (entry.back() != L'\\') files.push_back(entry);
  }
  std::vector<std::wstring> filesBefore;
  for (const std::wstring& entry : before) {
    if (entry.back() != L'\\') filesBefore.push_back(entry);
  }
  EXPECT_EQ(files, filesBefore);
  EXPECT_EQ(ReadFileText(folder_ / decoy), "decoy");
  EXPECT_EQ(ReadFileText(folder_ / oddPack), "odd pack");
}

TEST_F(DropAreaTest, DropOnAnyOtherControlIsNotHandled) {
  ASSERT_TRUE(WriteFileText(folder_ / kMain, "main"));
  const std::vector<std::wstring> before = folder_.Listing();
  std::vector<HWND> others = {window_->Handle()};
  for (int i = 0; i < kControlCount; ++i) {
    Control c = static_cast<Control>(i);
    if (c != Control::标签4) others.push_back(window_->ControlWindow(c));
  }
  for (HWND other : others) {
    HDROP drop = MakeDrop({folder_ / kMain});
    SendDrop(other, drop);
    EXPECT_FALSE(DropEnded(drop)) << "taken by control " << other;
    DragFinish(drop);
  }
  EXPECT_EQ(folder_.Listing(), before);
}

TEST_F(DropAreaTest, PressOnTheDropAreaStillTogglesAlwaysOnTop) {
  ASSERT_TRUE(TheDropTarget()->IsAttached());
  EXPECT_FALSE(window_->ReadAlwaysOnTop());
  SendMessageW(dropArea_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(dropArea_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(window_->ReadAlwaysOnTop());
  EXPECT_NE(GetWindowLongPtrW(window_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(window_->TextColour(Control::标签4), 0x606060u);
  SendMessageW(dropArea_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(dropArea_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(window_->ReadAlwaysOnTop());
  EXPECT_EQ(window_->TextColour(Control::标签4), 0x808080u);
}

TEST_F(DropAreaTest, ReleaseGivesTheDropAreaItsOwnProcedureBack) {
  // A second window made without a drop target shows the label's own
  // procedure; the released target gives exactly that back.
  ReleaseDropTarget();
  MainWindow plain;
  ASSERT_TRUE(plain.Create(GetModuleHandleW(nullptr)));
  HWND plainArea = plain.ControlWindow(Control::标签4);
  EXPECT_FALSE(AcceptsFiles(plainArea));
  EXPECT_FALSE(AcceptsFiles(dropArea_));
  EXPECT_EQ(ProcedureOf(dropArea_), ProcedureOf(plainArea));
}

// A window that is not the main window: the created event attaches nothing.
class OtherWindow final : public ControlAccess {
 public:
  Text ReadText(Control) override { return Text(); }
  void WriteText(Control, const Text&) override {}
  bool ReadChecked(Control) override { return false; }
  void WriteTextColour(Control, Colour) override {}
  bool ReadAlwaysOnTop() override { return false; }
  void WriteAlwaysOnTop(bool) override {}
  int ShowMessageBox(const Text&, const Text&, unsigned) override { return 0; }
  void PutOnClipboard(const Text&) override {}
};

TEST(AttachDropArea, DoesNothingWithoutTheMainWindowOrTheDropTarget) {
  ReleaseDropTarget();
  OtherWindow other;
  AttachDropArea(other);  // no drop target: nothing to attach, no failure
  MakeDropTarget();
  AttachDropArea(other);
  EXPECT_FALSE(TheDropTarget()->IsAttached());
  ReleaseDropTarget();
}

}  // namespace
}  // namespace tessavel
