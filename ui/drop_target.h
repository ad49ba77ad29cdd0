// Makes one window accept files dropped from the shell and hands each dropped
// path, one at a time and in the shell's order, to a callback. Windows only:
// this header is included by Win32 code alone.
#pragma once

#include <windows.h>

namespace tessavel {

// Receives one dropped path: NUL-terminated, code page 936, in the drop
// target's own buffer (the next path overwrites it; copy what you keep).
using DropCallback = void (*)(const char* path);

class DropTarget {
 public:
  DropTarget() = default;
  ~DropTarget();  // Detach
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;

  // Subclasses the window so that its drop message reaches WindowProc; every
  // other message goes on to its previous procedure. No effect while attached.
  void Attach(HWND window, DropCallback callback);
  // Gives the window its previous procedure back and stops accepting files.
  // No effect while detached.
  void Detach();
  LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  bool IsAttached() const { return attached_; }

 private:
  HWND window_ = nullptr;
  WNDPROC previousProcedure_ = nullptr;
  DropCallback callback_ = nullptr;
  bool attached_ = false;
};

// The program's one drop target: made detached early in start-up; released by
// the exit routine ReleaseDropTarget.
void MakeDropTarget();
DropTarget* TheDropTarget();  // null before MakeDropTarget and after release
void ReleaseDropTarget();

}  // namespace tessavel
