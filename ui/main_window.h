// The main window on Win32: creates the window and its 27 controls and is the
// ControlAccess through which the handlers reach them. Windows only.
#pragma once

#include <windows.h>

#include "ui/control_access.h"

namespace tessavel {

class MainWindow final : public ControlAccess {
 public:
  // Creates the window hidden with all its controls, raises the created event,
  // and returns false when the window cannot be created.
  bool Create(HINSTANCE instance);
  void Show(int showCommand);
  HWND Handle() const { return window_; }
  HWND ControlWindow(Control c) const;

  Text ReadText(Control c) override;
  void WriteText(Control c, const Text& t) override;
  bool ReadChecked(Control c) override;
  void WriteTextColour(Control c, Colour colour) override;
  bool ReadAlwaysOnTop() override;
  void WriteAlwaysOnTop(bool onTop) override;
  int ShowMessageBox(const Text& text, const Text& title, unsigned style) override;
  void PutOnClipboard(const Text& t) override;

 private:
  HWND window_ = nullptr;
  // (the implementer adds what the window needs: control handles, fonts,
  // colours, the always-on-top flag, the write-in-progress guard)
};

}  // namespace tessavel
