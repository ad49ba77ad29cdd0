// The drop target on Win32. Binding: the window's procedure is replaced by one
// static procedure, which finds the DropTarget that owns the window through a
// window property; the procedure the window had before is kept and every
// message but the drop message is passed to it through CallWindowProcW. No
// machine code is generated, so the binding works the same in 32 and 64 bits.
#include "ui/drop_target.h"

#include <shellapi.h>

#include <cstddef>
#include <new>
#include <string>

#include "core/codepage.h"
#include "core/text.h"
#include "deploy/placement.h"
#include "ui/events.h"
#include "ui/main_window.h"

namespace tessavel {
namespace {

// The property that ties a window to the DropTarget that receives its drops.
constexpr wchar_t kBindingProperty[] = L"Tessavel.DropTarget";

// Asks DragQueryFileW for the number of dropped files.
constexpr UINT kQueryFileCount = 0xFFFFFFFF;

// WM_COPYGLOBALDATA: carries the drop data to a window of another process.
constexpr UINT kCopyGlobalData = 0x0049;

// The messages a drop from the shell needs. They are let through the message
// filter so that a drop from the ordinary shell also reaches the tool when it
// runs elevated.
constexpr UINT kDropMessages[] = {WM_DROPFILES, WM_COPYDATA, kCopyGlobalData};

DropTarget* BoundTarget(HWND window) { return static_cast<DropTarget*>(GetPropW(window, kBindingProperty)); }

LRESULT CALLBACK BoundProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DropTarget* target = BoundTarget(window);
  if (target == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return target->WindowProc(window, message, wParam, lParam);
}

// Reads the i-th dropped path whole, in code page 936. Empty when the path
// cannot be read whole: a cut or missing path is never handed on.
Text DroppedPath(HDROP drop, UINT i) {
  UINT length = DragQueryFileW(drop, i, nullptr, 0);
  if (length == 0) return Text();
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  UINT copied = DragQueryFileW(drop, i, wide.data(), length + 1);
  if (copied != length) return Text();
  wide.resize(length);
  return WideToCp936(wide);
}

// Hands every dropped path to the callback in the shell's order, each call
// ending before the next path is read, then ends the drop.
void DeliverDrop(HDROP drop, DropCallback callback) {
  UINT count = DragQueryFileW(drop, kQueryFileCount, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    try {
      Text path = DroppedPath(drop, i);
      if (!path.empty() && callback != nullptr) callback(path.c_str());
    } catch (...) {
      // A path that cannot be read or placed leaves the others unaffected.
    }
  }
  DragFinish(drop);
}

DropTarget* theDropTarget = nullptr;

}  // namespace

DropTarget::~DropTarget() { Detach(); }

void DropTarget::Attach(HWND window, DropCallback callback) {
  if (attached_) return;
  if (window == nullptr || !IsWindow(window)) return;
  // A window bound to another DropTarget keeps that binding; binding it twice
  // would make the procedure pass messages on to itself.
  if (BoundTarget(window) != nullptr) return;
  if (!SetPropW(window, kBindingProperty, this)) return;
  LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoundProcedure));
  if (previous == 0) {  // not our window to subclass: stay detached
    RemovePropW(window, kBindingProperty);
    return;
  }
  window_ = window;
  callback_ = callback;
  previousProcedure_ = reinterpret_cast<WNDPROC>(previous);
  attached_ = true;
  DragAcceptFiles(window, TRUE);
  // The filter of this one window, not of the whole process: only the drop
  // area is opened to lower-integrity senders. Failure changes nothing else.
  for (UINT message : kDropMessages) ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
}

void DropTarget::Detach() {
  if (!attached_) return;
  attached_ = false;
  // A destroyed window's handle may already name another window: touch it
  // only while it is still the window this target is bound to.
  if (!IsWindow(window_) || BoundTarget(window_) != this) return;
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure_));
  DragAcceptFiles(window_, FALSE);
  RemovePropW(window_, kBindingProperty);
}

LRESULT DropTarget::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DROPFILES) {
    DeliverDrop(reinterpret_cast<HDROP>(wParam), callback_);
    return 0;
  }
  WNDPROC previous = previousProcedure_;
  // The window's last message: unbind first, so that neither the property nor
  // the subclass outlives the window.
  if (message == WM_NCDESTROY && window == window_) Detach();
  if (previous == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void MakeDropTarget() {
  if (theDropTarget == nullptr) theDropTarget = new (std::nothrow) DropTarget();
}

DropTarget* TheDropTarget() { return theDropTarget; }

void ReleaseDropTarget() {
  DropTarget* target = theDropTarget;
  theDropTarget = nullptr;
  delete target;
}

// The created event of the main window: the drop area 标签4 accepts files
// from now on, each placed by OnFileDropped; no other control accepts any.
void AttachDropArea(ControlAccess& window) {
  auto* mainWindow = dynamic_cast<MainWindow*>(&window);
  DropTarget* target = TheDropTarget();
  if (mainWindow == nullptr || target == nullptr) return;
  target->Attach(mainWindow->ControlWindow(Control::标签4), OnFileDropped);
}

}  // namespace tessavel
