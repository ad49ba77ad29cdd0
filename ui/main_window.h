// The main window on Win32: creates the window and its 27 controls and is the
// ControlAccess through which the handlers reach them. Windows only.
#pragma once

#include <windows.h>

#include "ui/control_access.h"

namespace tessavel {

class MainWindow final : public ControlAccess {
 public:
  MainWindow() = default;
  ~MainWindow() override;  // destroys the window if it still exists
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

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

  // The colour in which a label's caption is drawn now.
  Colour TextColour(Control c) const;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls(HINSTANCE instance);
  void OnCommand(int id, int code);
  LRESULT OnControlColour(HDC dc, HWND control, bool edit);
  void OnDestroy();

  HWND window_ = nullptr;
  HWND controls_[kControlCount] = {};
  Colour textColours_[kControlCount] = {};
  // Set while WriteText replaces a box's text, so that the box's own change
  // notification is not passed on: the write raises the event itself, once.
  bool writing_[kControlCount] = {};
  HFONT font_ = nullptr;
  HFONT dropAreaFont_ = nullptr;
  bool alwaysOnTop_ = false;
};

}  // namespace tessavel
