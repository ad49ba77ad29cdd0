// An in-memory main window for the tests: it keeps the controls' texts, check
// marks and colours, the always-on-top flag, the message boxes shown and the
// clipboard, and it keeps the window's text-changed rule: every WriteText on
// an edit box stores the text and then raises the box's text-changed event
// exactly once (also when the text is unchanged), so handlers nest exactly as
// they do in the real window. Every access and event is logged in order, so a
// test can check what a handler did and what ran inside what.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/control_access.h"
#include "ui/events.h"

namespace tessavel::test {

// The control's name as the window defines it (UTF-8), for logs and messages.
const char* ControlName(Control c);

struct MessageBoxCall {
  Text text;
  Text title;
  unsigned style;
};

class MemoryWindow final : public ControlAccess {
 public:
  // The window as it is at start: empty boxes, 选择框_安装主程序, 选择框_运行库,
  // 选择框_en_us and 选择框_zh_cn checked, 标签4 grey 0x808080, not on top.
  MemoryWindow();

  // The user's actions. Type leaves the text in the box as the user's typing
  // would and raises the text-changed event of an edit box (组合框1 has none).
  void Type(Control c, const Text& text);
  void Click(Control c);  // a button
  void Press(Control c);  // left mouse button on a label
  void SetChecked(Control c, bool checked);

  // What the window holds, read without logging.
  const Text& TextOf(Control c) const;
  bool CheckedOf(Control c) const;
  Colour ColourOf(Control c) const;
  bool OnTop() const { return onTop_; }

  // Message boxes shown, in order, and the button the next ones return.
  const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }
  void SetMessageBoxAnswer(int button) { messageBoxAnswer_ = button; }

  // The clipboard: empty optional until something is put on it.
  const std::optional<Text>& Clipboard() const { return clipboard_; }
  int ClipboardWrites() const { return clipboardWrites_; }
  void SetClipboard(const Text& t) { clipboard_ = t; }

  // Every access and event in order, one line each, e.g.
  //   "read 组合框1", "write 编辑框_URL http://...", "event 编辑框_URL TextChanged",
  //   "end 编辑框_URL TextChanged", "checked 选择框_运行库", "colour 标签4 606060",
  //   "ontop?", "ontop 1", "messagebox", "clipboard".
  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Accesses a handler must never make (WriteText on a check box, ReadChecked
  // on an edit box, ...). A test fails when this is not empty.
  const std::vector<std::string>& Misuses() const { return misuses_; }

  Text ReadText(Control c) override;
  void WriteText(Control c, const Text& t) override;
  bool ReadChecked(Control c) override;
  void WriteTextColour(Control c, Colour colour) override;
  bool ReadAlwaysOnTop() override;
  void WriteAlwaysOnTop(bool onTop) override;
  int ShowMessageBox(const Text& text, const Text& title, unsigned style) override;
  void PutOnClipboard(const Text& t) override;

 private:
  void Raise(Control c, Event event);
  void Misuse(const char* what, Control c);

  std::array<Text, kControlCount> texts_{};
  std::array<bool, kControlCount> checked_{};
  std::array<Colour, kControlCount> colours_{};
  bool onTop_ = false;
  std::vector<MessageBoxCall> messageBoxes_;
  int messageBoxAnswer_ = 1;  // IDOK
  std::optional<Text> clipboard_;
  int clipboardWrites_ = 0;
  std::vector<std::string> log_;
  std::vector<std::string> misuses_;
};

}  // namespace tessavel::test
