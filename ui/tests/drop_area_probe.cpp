// Helper of the drop-on-the-running-tool test, run under Wine beside the
// tool: finds the tool's window and tells where its controls are on screen,
// or closes it.
//   drop_area_probe locate   waits for the visible window, then prints the
//                            screen centres of 标签4 and of 按钮1: "x y x y"
//   drop_area_probe close    asks the window to close
// Exit status 0 on success, 1 when the window is not there.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr wchar_t kWindowClass[] = L"TessavelMainWindow";

HWND FindToolWindow(int waitMilliseconds) {
  for (int waited = 0;; waited += 100) {
    HWND window = FindWindowW(kWindowClass, nullptr);
    if (window != nullptr && IsWindowVisible(window)) return window;
    if (waited >= waitMilliseconds) return nullptr;
    Sleep(100);
  }
}

bool CentreOf(HWND parent, const wchar_t* className, const wchar_t* caption, POINT& centre) {
  HWND control = FindWindowExW(parent, nullptr, className, caption);
  RECT r{};
  if (control == nullptr || !GetWindowRect(control, &r)) return false;
  centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 1;
  if (std::wcscmp(argv[1], L"locate") == 0) {
    HWND window = FindToolWindow(30000);
    POINT dropArea{}, button{};
    if (window == nullptr || !CentreOf(window, L"Static", L"将文件拖拽到这里部署", dropArea) ||
        !CentreOf(window, L"Button", L"复制下载链接", button)) {
      return 1;
    }
    std::printf("%ld %ld %ld %ld\n", dropArea.x, dropArea.y, button.x, button.y);
    return 0;
  }
  if (std::wcscmp(argv[1], L"close") == 0) {
    HWND window = FindToolWindow(0);
    return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  return 1;
}
