// The window as the event handlers see it: the controls by name and the
// operations through which handlers read and write them. The Win32 window and
// the in-memory window of the tests both implement it, so the handlers are
// the same code on both.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace tessavel {

// The 27 controls of the main window, in the order in which they are created.
enum class Control {
  组合框1,
  标签5,
  标签4,
  按钮_版本号计算,
  按钮_更新日期计算,
  选择框_安装主程序,
  标签3,
  编辑框_URL,
  选择框_运行库,
  标签2,
  编辑框_更新日期,
  标签1,
  编辑框_版本号,
  选择框_fr_fr,
  选择框_ja_jp,
  选择框_ko_kr,
  选择框_pl_pl,
  选择框_zh_tw,
  选择框_zh_cn,
  选择框_ru_ru,
  选择框_pt_pt,
  选择框_es_es,
  选择框_de_de,
  选择框_en_us,
  选择框_cs_cz,
  分组框1,
  按钮1,
};
inline constexpr int kControlCount = 27;

using Colour = std::uint32_t;  // 0x00BBGGRR

// Message box styles used by the handlers (Windows values).
inline constexpr unsigned kMessageBoxIconError = 0x10;

class ControlAccess {
 public:
  virtual ~ControlAccess() = default;

  // Edit boxes and 组合框1: the text the control shows now.
  virtual Text ReadText(Control c) = 0;
  // Edit box: replaces the text, then raises its text-changed event exactly
  // once, before returning, also when the text is unchanged. 组合框1: sets the
  // text field; no handler runs.
  virtual void WriteText(Control c, const Text& t) = 0;
  virtual bool ReadChecked(Control c) = 0;
  virtual void WriteTextColour(Control c, Colour colour) = 0;
  virtual bool ReadAlwaysOnTop() = 0;
  virtual void WriteAlwaysOnTop(bool onTop) = 0;
  // Modal to the window and task-modal; returns the button pressed.
  virtual int ShowMessageBox(const Text& text, const Text& title, unsigned style) = 0;
  // Replaces the clipboard's content with the text (also when empty). A
  // clipboard that cannot be opened is left as it was.
  virtual void PutOnClipboard(const Text& t) = 0;
};

}  // namespace tessavel
