// The handlers of the release boxes and of the drop area's click. Each one is
// a sequence of control accesses: every control is read afresh where its text
// is used, so what a handler sees is always what the window shows at that
// moment, including what a nested handler has just written.
#include <string_view>

#include "release/build_date.h"
#include "release/links.h"
#include "ui/events.h"

namespace tessavel {
namespace {

// The language warning, in code page 936.
constexpr std::string_view kLanguageWarningText = "\xC7\xEB\xD1\xA1\xD4\xF1\xD3\xEF\xD1\xD4\xA3\xA1";  // 请选择语言！
constexpr std::string_view kLanguageWarningTitle = "\xB4\xED\xCE\xF3";  // 错误

// The drop area's caption colour: lighter while the window is among ordinary
// windows (its colour at start), darker while it is on top.
constexpr Colour kDropAreaNormalColour = 0x808080;
constexpr Colour kDropAreaOnTopColour = 0x606060;

// A language passes when it holds exactly one "-", or else when it is five
// bytes long; only a text failing both is refused.
constexpr std::string_view kLanguageSeparator = "-";
constexpr int kLanguageLength = 5;

}  // namespace

void FillBuildDate(ControlAccess& window) {
  window.WriteText(Control::编辑框_更新日期,
                   BuildDateFromVersion(window.ReadText(Control::编辑框_版本号)));
}

// Runs on every change of 编辑框_URL. It never writes 编辑框_URL, so it
// cannot run itself again.
void FillFromLink(ControlAccess& window) {
  window.WriteText(Control::编辑框_版本号, ExtractVersion(window.ReadText(Control::编辑框_URL)));
  if (!ExtractVersion(window.ReadText(Control::编辑框_URL)).empty()) {
    window.WriteText(Control::编辑框_更新日期,
                     ExtractDateFolder(window.ReadText(Control::编辑框_URL)));
  } else {
    // The version box was emptied above, so this writes the empty text.
    window.WriteText(Control::编辑框_更新日期,
                     BuildDateFromVersion(window.ReadText(Control::编辑框_版本号)));
  }
  window.WriteText(Control::组合框1, ExtractLanguage(window.ReadText(Control::编辑框_URL)));
}

// The write of 编辑框_URL at the end runs FillFromLink before this returns,
// so the three boxes are refilled from the link just composed.
void ComposeLinkFromBoxes(ControlAccess& window) {
  if (CountOccurrences(window.ReadText(Control::组合框1), Text(kLanguageSeparator)) != 1 &&
      TextLength(window.ReadText(Control::组合框1)) != kLanguageLength) {
    // Which button closed the box does not matter: nothing changes.
    window.ShowMessageBox(Text(kLanguageWarningText), Text(kLanguageWarningTitle),
                          kMessageBoxIconError);
    return;
  }
  const Text date = BuildDateFromVersion(window.ReadText(Control::编辑框_版本号));
  const Text version = ExtractVersion(window.ReadText(Control::编辑框_版本号));
  const Text language = window.ReadText(Control::组合框1);
  window.WriteText(Control::编辑框_URL, ComposeInstallerLink(date, language, version));
}

void ToggleAlwaysOnTop(ControlAccess& window) {
  if (window.ReadAlwaysOnTop()) {
    window.WriteAlwaysOnTop(false);
    window.WriteTextColour(Control::标签4, kDropAreaNormalColour);
  } else {
    window.WriteAlwaysOnTop(true);
    window.WriteTextColour(Control::标签4, kDropAreaOnTopColour);
  }
}

}  // namespace tessavel
