// Start-up and shut-down on Win32, and the program's entry point.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/app.h"
#include "ui/drop_target.h"
#include "ui/main_window.h"

namespace tessavel {
namespace {

// Routines that start-up registers and that run, in the order added, once
// the message loop has ended.
class ExitRoutines {
 public:
  void Add(ExitRoutine routine) { routines_.push_back(routine); }
  void Run() {
    for (ExitRoutine routine : routines_) routine();
    routines_.clear();
  }

 private:
  std::vector<ExitRoutine> routines_;
};

// Runs until WM_QUIT (posted when the main window is destroyed) and returns
// its code. Tab and Shift+Tab move between the tab stops of the window.
int RunMessageLoop(HWND window) {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    if (IsWindow(window) && IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int RunApplication() {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);

  ExitRoutines exitRoutines;
  MakeDropTarget();
  exitRoutines.Add(ReleaseDropTarget);

  bool created = false;
  {
    MainWindow window;
    created = window.Create(GetModuleHandleW(nullptr));
    if (created) {
      window.Show(SW_SHOWNORMAL);
      RunMessageLoop(window.Handle());
    }
  }
  if (!created) {
    MessageBoxW(nullptr, L"无法创建主窗口，程序将退出。", L"Tessavel",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
  exitRoutines.Run();
  return created ? 0 : -1;
}

}  // namespace tessavel

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tessavel::RunApplication(); }
