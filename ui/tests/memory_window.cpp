#include "ui/tests/memory_window.h"

#include <cstdio>

namespace tessavel::test {
namespace {

enum class Kind { ComboBox, Label, Button, CheckBox, EditBox, GroupBox };

struct ControlInfo {
  Control control;
  const char* name;
  Kind kind;
  bool checkedAtStart;
  Colour colourAtStart;
};

constexpr Colour kBlack = 0x000000;
constexpr Colour kDropAreaGrey = 0x808080;

// The window's controls in creation order, with what the tests need of their
// initial state.
constexpr ControlInfo kControls[kControlCount] = {
    {Control::组合框1, "组合框1", Kind::ComboBox, false, kBlack},
    {Control::标签5, "标签5", Kind::Label, false, kBlack},
    {Control::标签4, "标签4", Kind::Label, false, kDropAreaGrey},
    {Control::按钮_版本号计算, "按钮_版本号计算", Kind::Button, false, kBlack},
    {Control::按钮_更新日期计算, "按钮_更新日期计算", Kind::Button, false, kBlack},
    {Control::选择框_安装主程序, "选择框_安装主程序", Kind::CheckBox, true, kBlack},
    {Control::标签3, "标签3", Kind::Label, false, kBlack},
    {Control::编辑框_URL, "编辑框_URL", Kind::EditBox, false, kBlack},
    {Control::选择框_运行库, "选择框_运行库", Kind::CheckBox, true, kBlack},
    {Control::标签2, "标签2", Kind::Label, false, kBlack},
    {Control::编辑框_更新日期, "编辑框_更新日期", Kind::EditBox, false, kBlack},
    {Control::标签1, "标签1", Kind::Label, false, kBlack},
    {Control::编辑框_版本号, "编辑框_版本号", Kind::EditBox, false, kBlack},
    {Control::选择框_fr_fr, "选择框_fr_fr", Kind::CheckBox, false, kBlack},
    {Control::选择框_ja_jp, "选择框_ja_jp", Kind::CheckBox, false, kBlack},
    {Control::选择框_ko_kr, "选择框_ko_kr", Kind::CheckBox, false, kBlack},
    {Control::选择框_pl_pl, "选择框_pl_pl", Kind::CheckBox, false, kBlack},
    {Control::选择框_zh_tw, "选择框_zh_tw", Kind::CheckBox, false, kBlack},
    {Control::选择框_zh_cn, "选择框_zh_cn", Kind::CheckBox, true, kBlack},
    {Control::选择框_ru_ru, "选择框_ru_ru", Kind::CheckBox, false, kBlack},
    {Control::选择框_pt_pt, "选择框_pt_pt", Kind::CheckBox, false, kBlack},
    {Control::选择框_es_es, "选择框_es_es", Kind::CheckBox, false, kBlack},
    {Control::选择框_de_de, "选择框_de_de", Kind::CheckBox, false, kBlack},
    {Control::选择框_en_us, "选择框_en_us", Kind::CheckBox, true, kBlack},
    {Control::选择框_cs_cz, "选择框_cs_cz", Kind::CheckBox, false, kBlack},
    {Control::分组框1, "分组框1", Kind::GroupBox, false, kBlack},
    {Control::按钮1, "按钮1", Kind::Button, false, kBlack},
};

constexpr bool TableIsInEnumOrder() {
  for (int i = 0; i < kControlCount; ++i) {
    if (static_cast<int>(kControls[i].control) != i) return false;
  }
  return true;
}
static_assert(TableIsInEnumOrder(), "kControls must list the controls in enum order");

const ControlInfo& Info(Control c) { return kControls[static_cast<int>(c)]; }
std::size_t Index(Control c) { return static_cast<std::size_t>(c); }
bool Is(Control c, Kind kind) { return Info(c).kind == kind; }
bool IsTextControl(Control c) { return Is(c, Kind::EditBox) || Is(c, Kind::ComboBox); }

const char* EventName(Event e) {
  switch (e) {
    case Event::Created: return "Created";
    case Event::TextChanged: return "TextChanged";
    case Event::Clicked: return "Clicked";
    case Event::LeftButtonDown: return "LeftButtonDown";
  }
  return "?";
}

std::string Hex6(Colour colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour));
  return buffer;
}

}  // namespace

const char* ControlName(Control c) { return Info(c).name; }

MemoryWindow::MemoryWindow() {
  for (const ControlInfo& info : kControls) {
    checked_[Index(info.control)] = info.checkedAtStart;
    colours_[Index(info.control)] = info.colourAtStart;
  }
}

void MemoryWindow::Raise(Control c, Event event) {
  log_.push_back(std::string("event ") + ControlName(c) + " " + EventName(event));
  RaiseEvent(*this, c, event);
  log_.push_back(std::string("end ") + ControlName(c) + " " + EventName(event));
}

void MemoryWindow::Misuse(const char* what, Control c) {
  misuses_.push_back(std::string(what) + " " + ControlName(c));
}

void MemoryWindow::Type(Control c, const Text& text) {
  if (!IsTextControl(c)) return Misuse("Type", c);
  log_.push_back(std::string("type ") + ControlName(c) + " " + text);
  texts_[Index(c)] = text;
  if (Is(c, Kind::EditBox)) Raise(c, Event::TextChanged);
}

void MemoryWindow::Click(Control c) {
  if (!Is(c, Kind::Button)) return Misuse("Click", c);
  Raise(c, Event::Clicked);
}

void MemoryWindow::Press(Control c) {
  if (!Is(c, Kind::Label)) return Misuse("Press", c);
  Raise(c, Event::LeftButtonDown);
}

void MemoryWindow::SetChecked(Control c, bool checked) {
  if (!Is(c, Kind::CheckBox)) return Misuse("SetChecked", c);
  checked_[Index(c)] = checked;
}

const Text& MemoryWindow::TextOf(Control c) const { return texts_[Index(c)]; }
bool MemoryWindow::CheckedOf(Control c) const { return checked_[Index(c)]; }
Colour MemoryWindow::ColourOf(Control c) const { return colours_[Index(c)]; }

Text MemoryWindow::ReadText(Control c) {
  log_.push_back(std::string("read ") + ControlName(c));
  if (!IsTextControl(c)) Misuse("ReadText", c);
  return texts_[Index(c)];
}

void MemoryWindow::WriteText(Control c, const Text& t) {
  log_.push_back(std::string("write ") + ControlName(c) + " " + t);
  if (!IsTextControl(c)) return Misuse("WriteText", c);
  // The new text is in place before the event, and the event is raised once
  // per write whether or not the text changed; 组合框1 raises nothing.
  texts_[Index(c)] = t;
  if (Is(c, Kind::EditBox)) Raise(c, Event::TextChanged);
}

bool MemoryWindow::ReadChecked(Control c) {
  log_.push_back(std::string("checked ") + ControlName(c));
  if (!Is(c, Kind::CheckBox)) Misuse("ReadChecked", c);
  return checked_[Index(c)];
}

void MemoryWindow::WriteTextColour(Control c, Colour colour) {
  log_.push_back(std::string("colour ") + ControlName(c) + " " + Hex6(colour));
  if (!Is(c, Kind::Label)) return Misuse("WriteTextColour", c);
  colours_[Index(c)] = colour;
}

bool MemoryWindow::ReadAlwaysOnTop() {
  log_.push_back("ontop?");
  return onTop_;
}

void MemoryWindow::WriteAlwaysOnTop(bool onTop) {
  log_.push_back(onTop ? "ontop 1" : "ontop 0");
  onTop_ = onTop;
}

int MemoryWindow::ShowMessageBox(const Text& text, const Text& title, unsigned style) {
  log_.push_back("messagebox");
  messageBoxes_.push_back({text, title, style});
  return messageBoxAnswer_;
}

void MemoryWindow::PutOnClipboard(const Text& t) {
  log_.push_back("clipboard");
  clipboard_ = t;
  ++clipboardWrites_;
}

}  // namespace tessavel::test
