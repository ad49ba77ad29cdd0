// The download list that the copy button puts on the clipboard, byte for byte.
#include "release/download_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/events.h"
#include "ui/tests/memory_window.h"

namespace tessavel {
namespace {

using test::MemoryWindow;

constexpr Control kCheckBoxes[] = {
    Control::选择框_安装主程序, Control::选择框_运行库, Control::选择框_cs_cz, Control::选择框_de_de,
    Control::选择框_en_us,      Control::选择框_es_es, Control::选择框_fr_fr, Control::选择框_ja_jp,
    Control::选择框_ko_kr,      Control::选择框_pl_pl, Control::选择框_pt_pt, Control::选择框_ru_ru,
    Control::选择框_zh_cn,      Control::选择框_zh_tw,
};

const Text kRuntimeLines =
    "http://download.microsoft.com/download/b/a/4/ba4a7e71-2906-4b2d-a0e1-80cf16844f5f/dotnetfx45_full_x86_x64.exe\r\n"
    "https://download.microsoft.com/download/8/B/4/8B42259F-5D70-43F4-AC2E-4B208FD8D66A/vcredist_x64.EXE\r\n"
    "https://download.microsoft.com/download/1/6/5/165255E7-1014-4D0A-B094-B6A430A6BFFC/vcredist_x64.exe\r\n"
    "https://download.microsoft.com/download/2/E/6/2E61CFA4-993B-4DD4-91DA-3737CD5CD6E3/vcredist_x64.exe\r\n"
    "http://files.mcneel.com/rhino/6/redistributable/VC_redist.x64-14.12.25810.exe\r\n";

struct Case {
  const char* name;
  std::vector<Control> checked;  // every other check box is cleared
  Text date;
  Text language;
  Text version;
  Text expected;
};

const Case kCases[] = {
    {"nothing checked", {}, "20190709", "en-us", "6.17.19190.13001", ""},
    {"only the runtimes", {Control::选择框_运行库}, "20190709", "en-us", "6.17.19190.13001",
     kRuntimeLines},
    {"only the main installer",
     {Control::选择框_安装主程序},
     "20190709",
     "en-us",
     "6.17.19190.13001",
     "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe\r\n"},
    {"packs in table order, not in the order checked",
     {Control::选择框_zh_tw, Control::选择框_de_de},
     "20190709",
     "en-us",
     "6.17.19190.13001",
     "https://files.mcneel.com/dujour/exe/20190709/rhino_de-de_languagepack_6.17.19190.13001.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20190709/rhino_zh-tw_languagepack_6.17.19190.13001.msi\r\n"},
    {"empty date and version boxes",
     {Control::选择框_de_de},
     "",
     "en-us",
     "",
     "https://files.mcneel.com/dujour/exe//rhino_de-de_languagepack_.msi\r\n"},
    {"empty language box",
     {Control::选择框_安装主程序},
     "20190709",
     "",
     "6.17.19190.13001",
     "http://files.mcneel.com/dujour/exe/20190709/rhino__6.17.19190.13001.exe\r\n"},
    {"the boxes as they show, neither computed nor checked",
     {Control::选择框_安装主程序, Control::选择框_ko_kr},
     "20200101",
     "english",
     "Rhino 6.17.19190.13001",
     "http://files.mcneel.com/dujour/exe/20200101/rhino_english_Rhino 6.17.19190.13001.exe\r\n"
     "https://files.mcneel.com/dujour/exe/20200101/rhino_ko-kr_languagepack_Rhino 6.17.19190.13001.msi\r\n"},
    {"two-byte characters pass through unchanged",
     {Control::选择框_安装主程序},
     "error\xA3\xA1",
     "\xD3\xA2\xD3\xEF",
     "6.17.191901.13001",
     "http://files.mcneel.com/dujour/exe/error\xA3\xA1/rhino_\xD3\xA2\xD3\xEF_6.17.191901.13001.exe\r\n"},
    {"the three blocks in order",
     {Control::选择框_运行库, Control::选择框_zh_cn, Control::选择框_安装主程序, Control::选择框_en_us},
     "20190709",
     "zh-cn",
     "6.17.19190.13001",
     "http://files.mcneel.com/dujour/exe/20190709/rhino_zh-cn_6.17.19190.13001.exe\r\n"
     "https://files.mcneel.com/dujour/exe/20190709/rhino_en-us_languagepack_6.17.19190.13001.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20190709/rhino_zh-cn_languagepack_6.17.19190.13001.msi\r\n" +
         kRuntimeLines},
    {"all twelve packs",
     {Control::选择框_cs_cz, Control::选择框_de_de, Control::选择框_en_us, Control::选择框_es_es,
      Control::选择框_fr_fr, Control::选择框_ja_jp, Control::选择框_ko_kr, Control::选择框_pl_pl,
      Control::选择框_pt_pt, Control::选择框_ru_ru, Control::选择框_zh_cn, Control::选择框_zh_tw},
     "20200229",
     "",
     "7.1.20060.12345",
     "https://files.mcneel.com/dujour/exe/20200229/rhino_cs-cz_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_de-de_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_en-us_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_es-es_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_fr-fr_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_ja-jp_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_ko-kr_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_pl-pl_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_pt-pt_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_ru-ru_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_zh-cn_languagepack_7.1.20060.12345.msi\r\n"
     "https://files.mcneel.com/dujour/exe/20200229/rhino_zh-tw_languagepack_7.1.20060.12345.msi\r\n"},
};

// Sets the boxes without running FillFromLink (only 编辑框_URL has a handler,
// and it is left empty) and checks exactly the case's check boxes.
void Prepare(MemoryWindow& window, const Case& c) {
  for (Control box : kCheckBoxes) window.SetChecked(box, false);
  for (Control box : c.checked) window.SetChecked(box, true);
  window.Type(Control::编辑框_更新日期, c.date);
  window.Type(Control::编辑框_版本号, c.version);
  window.Type(Control::组合框1, c.language);
  window.SetClipboard("what was on the clipboard before");
  window.ClearLog();
}

bool AnyWrite(const std::vector<std::string>& log) {
  for (const std::string& line : log) {
    if (line.rfind("write ", 0) == 0 || line.rfind("colour ", 0) == 0 ||
        line.rfind("ontop ", 0) == 0 || line == "messagebox") {
      return true;
    }
  }
  return false;
}

// The copy button: the list replaces the clipboard (also when it is empty),
// once, and no control changes.
TEST(DownloadList, CopyButtonPutsTheListOnTheClipboard) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryWindow window;
    Prepare(window, c);

    window.Click(Control::按钮1);

    ASSERT_TRUE(window.Clipboard().has_value());
    EXPECT_EQ(*window.Clipboard(), c.expected);
    EXPECT_EQ(window.ClipboardWrites(), 1);
    EXPECT_FALSE(AnyWrite(window.Log()));
    EXPECT_EQ(window.TextOf(Control::编辑框_更新日期), c.date);
    EXPECT_EQ(window.TextOf(Control::编辑框_版本号), c.version);
    EXPECT_EQ(window.TextOf(Control::组合框1), c.language);
    EXPECT_EQ(window.TextOf(Control::编辑框_URL), "");
    EXPECT_TRUE(window.Misuses().empty());
  }
}

// The list read directly: building it twice gives the same list, and only the
// copy button touches the clipboard.
TEST(DownloadList, BuildingTheListLeavesTheClipboardAlone) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryWindow window;
    Prepare(window, c);
    EXPECT_EQ(DownloadList(window), c.expected);
    EXPECT_EQ(DownloadList(window), c.expected);
    EXPECT_EQ(window.Clipboard(), std::optional<Text>("what was on the clipboard before"));
    EXPECT_EQ(window.ClipboardWrites(), 0);
  }
}

// With the window as it starts (installer, runtimes, en-us and zh-cn checked)
// and a pasted link, the list holds the installer, two packs and the runtimes.
TEST(DownloadList, AfterPastingALinkIntoAFreshWindow) {
  MemoryWindow window;
  window.Type(Control::编辑框_URL,
              "http://files.mcneel.com/dujour/exe/20190709/rhino_de-de_6.17.19190.13001.exe");
  window.Click(Control::按钮1);
  ASSERT_TRUE(window.Clipboard().has_value());
  EXPECT_EQ(*window.Clipboard(),
            "http://files.mcneel.com/dujour/exe/20190709/rhino_de-de_6.17.19190.13001.exe\r\n"
            "https://files.mcneel.com/dujour/exe/20190709/rhino_en-us_languagepack_6.17.19190.13001.msi\r\n"
            "https://files.mcneel.com/dujour/exe/20190709/rhino_zh-cn_languagepack_6.17.19190.13001.msi\r\n" +
                kRuntimeLines);
}

}  // namespace
}  // namespace tessavel
