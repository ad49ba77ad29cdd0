// The handlers of the release boxes and of the drop area, run against the
// in-memory window, which keeps the text-changed rule of the real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/events.h"
#include "ui/tests/memory_window.h"

namespace tessavel {
namespace {

using test::MemoryWindow;

// The language warning in code page 936: 请选择语言！ titled 错误.
const Text kWarningText = "\xC7\xEB\xD1\xA1\xD4\xF1\xD3\xEF\xD1\xD4\xA3\xA1";
const Text kWarningTitle = "\xB4\xED\xCE\xF3";
const Text kError = "error\xA3\xA1";  // error！

constexpr Control kTextControls[] = {Control::编辑框_URL, Control::编辑框_版本号,
                                     Control::编辑框_更新日期, Control::组合框1};

std::string LogText(const std::vector<std::string>& log) {
  std::string all;
  for (const std::string& line : log) all += "  " + line + "\n";
  return all;
}

int CountLines(const std::vector<std::string>& log, const std::string& line) {
  return static_cast<int>(std::count(log.begin(), log.end(), line));
}

int CountWrites(const std::vector<std::string>& log) {
  return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& line) {
    return line.rfind("write ", 0) == 0;
  }));
}

class HandlersTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(window.Misuses().empty()) << "first: " << window.Misuses().front();
  }

  // Fills the boxes without running anything, as a starting state.
  void Preset(const Text& url, const Text& version, const Text& date, const Text& language) {
    window.Type(Control::编辑框_URL, url);  // runs FillFromLink; the writes below win
    window.Type(Control::编辑框_版本号, version);
    window.Type(Control::编辑框_更新日期, date);
    window.Type(Control::组合框1, language);
    window.ClearLog();
  }

  MemoryWindow window;
};

TEST_F(HandlersTest, WindowStartsAsTheWindowTableGivesIt) {
  for (Control c : kTextControls) EXPECT_EQ(window.TextOf(c), "") << test::ControlName(c);
  for (int i = 0; i < kControlCount; ++i) {
    const Control c = static_cast<Control>(i);
    const bool checkedAtStart = c == Control::选择框_安装主程序 || c == Control::选择框_运行库 ||
                                c == Control::选择框_en_us || c == Control::选择框_zh_cn;
    EXPECT_EQ(window.CheckedOf(c), checkedAtStart) << test::ControlName(c);
  }
  EXPECT_EQ(window.ColourOf(Control::标签4), 0x808080u);
  EXPECT_FALSE(window.OnTop());
}

// The compute button writes 编辑框_URL; that write runs FillFromLink before
// the click handler returns, and FillFromLink refills the three boxes.
TEST_F(HandlersTest, ComposeRunsFillFromLinkNestedInsideTheClick) {
  Preset("", "Rhino 6.17.19190.13001", "", "en-us");

  window.Click(Control::按钮_版本号计算);

  const std::string link = "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe";
  const std::vector<std::string> expected = {
      "event 按钮_版本号计算 Clicked",
      "read 组合框1",  // one "-": the length is not looked at
      "read 编辑框_版本号",
      "read 编辑框_版本号",
      "read 组合框1",
      "write 编辑框_URL " + link,
      "event 编辑框_URL TextChanged",  // FillFromLink, nested
      "read 编辑框_URL",
      "write 编辑框_版本号 6.17.19190.13001",
      "event 编辑框_版本号 TextChanged",
      "end 编辑框_版本号 TextChanged",
      "read 编辑框_URL",
      "read 编辑框_URL",
      "write 编辑框_更新日期 20190709",
      "event 编辑框_更新日期 TextChanged",
      "end 编辑框_更新日期 TextChanged",
      "read 编辑框_URL",
      "write 组合框1 en-us",
      "end 编辑框_URL TextChanged",
      "end 按钮_版本号计算 Clicked",
  };
  EXPECT_EQ(window.Log(), expected) << LogText(window.Log());
  EXPECT_EQ(window.TextOf(Control::编辑框_URL), link);
  EXPECT_EQ(window.TextOf(Control::编辑框_版本号), "6.17.19190.13001");
  EXPECT_EQ(window.TextOf(Control::编辑框_更新日期), "20190709");
  EXPECT_EQ(window.TextOf(Control::组合框1), "en-us");
  EXPECT_TRUE(window.MessageBoxes().empty());
}

// A language passes with exactly one "-" or with five bytes; what the nested
// FillFromLink then finds in the link is what 组合框1 ends with.
TEST_F(HandlersTest, LanguageCheckLetsThroughOneDashOrFiveBytes) {
  struct Case {
    const char* language;
    const char* link;
    const char* languageAfter;
  };
  const Case cases[] = {
      {"en-us", "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe",
       "en-us"},
      {"EN-US", "http://files.mcneel.com/dujour/exe/20190709/rhino_EN-US_6.17.19190.13001.exe",
       "EN-US"},
      {"abcde", "http://files.mcneel.com/dujour/exe/20190709/rhino_abcde_6.17.19190.13001.exe", ""},
      {"a-b", "http://files.mcneel.com/dujour/exe/20190709/rhino_a-b_6.17.19190.13001.exe", ""},
      // two dashes but five bytes
      {"zh--c", "http://files.mcneel.com/dujour/exe/20190709/rhino_zh--c_6.17.19190.13001.exe", ""},
      // one dash and any length
      {"-", "http://files.mcneel.com/dujour/exe/20190709/rhino_-_6.17.19190.13001.exe", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    MemoryWindow w;
    w.Type(Control::编辑框_版本号, "6.17.19190.13001");
    w.Type(Control::组合框1, c.language);
    w.Click(Control::按钮_版本号计算);
    EXPECT_TRUE(w.MessageBoxes().empty());
    EXPECT_EQ(w.TextOf(Control::编辑框_URL), c.link);
    EXPECT_EQ(w.TextOf(Control::组合框1), c.languageAfter);
    EXPECT_EQ(w.TextOf(Control::编辑框_版本号), "6.17.19190.13001");
    EXPECT_EQ(w.TextOf(Control::编辑框_更新日期), "20190709");
    EXPECT_TRUE(w.Misuses().empty());
  }
}

// A refused language shows the one warning and changes nothing, whatever
// button closes the box.
TEST_F(HandlersTest, RefusedLanguageShowsOneWarningAndChangesNothing) {
  const char* const refused[] = {"", "english", "a--b", "en-us-", "\xD3\xA2\xD3\xEF" /* 英语 */};
  for (const char* language : refused) {
    SCOPED_TRACE(language);
    MemoryWindow w;
    const Text link = "http://files.mcneel.com/dujour/exe/20190801/rhino_de-de_6.17.19190.13001.exe";
    w.Type(Control::编辑框_URL, link);
    w.Type(Control::编辑框_版本号, "7.1.20060.12345");
    w.Type(Control::组合框1, language);
    w.ClearLog();
    w.SetMessageBoxAnswer(2);  // IDCANCEL: the answer does not matter

    w.Click(Control::按钮_版本号计算);

    ASSERT_EQ(w.MessageBoxes().size(), 1u);
    EXPECT_EQ(w.MessageBoxes()[0].text, kWarningText);
    EXPECT_EQ(w.MessageBoxes()[0].title, kWarningTitle);
    EXPECT_EQ(w.MessageBoxes()[0].style, 16u);
    EXPECT_EQ(CountWrites(w.Log()), 0) << LogText(w.Log());
    EXPECT_EQ(w.TextOf(Control::编辑框_URL), link);
    EXPECT_EQ(w.TextOf(Control::编辑框_版本号), "7.1.20060.12345");
    EXPECT_EQ(w.TextOf(Control::编辑框_更新日期), "20190801");
    EXPECT_EQ(w.TextOf(Control::组合框1), language);
    EXPECT_TRUE(w.Misuses().empty());
  }
}

// Whatever the version box holds, the link is composed from what it gives;
// the nested FillFromLink then reads the boxes back out of that link.
TEST_F(HandlersTest, ComposeWithUnusualVersions) {
  struct Case {
    const char* version;
    const char* link;
    const char* versionAfter;
    const char* dateAfter;
  };
  const Case cases[] = {
      // nothing to compose from: empty date and version places
      {"", "http://files.mcneel.com/dujour/exe//rhino_en-us_.exe", "", ""},
      {"6.17", "http://files.mcneel.com/dujour/exe//rhino_en-us_.exe", "", ""},
      // a six-digit build part: the date place holds error！, which is no date folder
      {"6.17.191901.13001",
       "http://files.mcneel.com/dujour/exe/error\xA3\xA1/rhino_en-us_6.17.191901.13001.exe",
       "6.17.191901.13001", ""},
      // the first version counts
      {"6.17.19190.13001 7.1.20060.12345",
       "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe",
       "6.17.19190.13001", "20190709"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    MemoryWindow w;
    w.Type(Control::编辑框_更新日期, "20000101");
    w.Type(Control::编辑框_版本号, c.version);
    w.Type(Control::组合框1, "en-us");
    w.Click(Control::按钮_版本号计算);
    EXPECT_TRUE(w.MessageBoxes().empty());
    EXPECT_EQ(w.TextOf(Control::编辑框_URL), c.link);
    EXPECT_EQ(w.TextOf(Control::编辑框_版本号), c.versionAfter);
    EXPECT_EQ(w.TextOf(Control::编辑框_更新日期), c.dateAfter);
    EXPECT_EQ(w.TextOf(Control::组合框1), "en-us");
    EXPECT_TRUE(w.Misuses().empty());
  }
}

// Every change of 编辑框_URL refills the three boxes from the link: the date
// box gets the link's date folder when the link holds a version, and else the
// empty text, even if the link holds a date folder.
TEST_F(HandlersTest, FillFromLinkReadsTheBoxesOutOfTheLink) {
  struct Case {
    const char* link;
    const char* version;
    const char* date;
    const char* language;
  };
  const Case cases[] = {
      {"http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe",
       "6.17.19190.13001", "20190709", "en-us"},
      // the date comes from the folder, not from the build number
      {"https://example.org/dujour/exe/20190801/rhino_de-de_6.17.19190.13001.exe",
       "6.17.19190.13001", "20190801", "de-de"},
      // half typed: no version yet, so no date either; the language is there
      {"http://files.mcneel.com/dujour/exe/20190709/rhino_de-de_", "", "", "de-de"},
      // a version without any date folder
      {"RHINO_EN-US_6.17.19190.13001.exe", "6.17.19190.13001", "", "EN-US"},
      // a date folder of seven characters is no date folder
      {"http://files.mcneel.com/dujour/exe/2019079/rhino_ja-jp_6.17.19190.13001.exe",
       "6.17.19190.13001", "", "ja-jp"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    MemoryWindow w;
    w.Type(Control::编辑框_版本号, "old version");
    w.Type(Control::编辑框_更新日期, "old date");
    w.Type(Control::组合框1, "old language");
    w.Type(Control::编辑框_URL, c.link);
    EXPECT_EQ(w.TextOf(Control::编辑框_URL), c.link);
    EXPECT_EQ(w.TextOf(Control::编辑框_版本号), c.version);
    EXPECT_EQ(w.TextOf(Control::编辑框_更新日期), c.date);
    EXPECT_EQ(w.TextOf(Control::组合框1), c.language);
    EXPECT_TRUE(w.Misuses().empty());
  }
}

// Each keystroke in 编辑框_URL runs FillFromLink once; the boxes follow the
// text as it grows.
TEST_F(HandlersTest, TypingALinkRunsFillFromLinkAfterEveryKeystroke) {
  const Text link = "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe";
  for (int n = 1; n <= TextLength(link); ++n) {
    window.Type(Control::编辑框_URL, TextLeft(link, n));
    if (TextLeft(link, n) == "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_") {
      EXPECT_EQ(window.TextOf(Control::组合框1), "en-us");
      EXPECT_EQ(window.TextOf(Control::编辑框_版本号), "");
    }
  }
  EXPECT_EQ(CountLines(window.Log(), "event 编辑框_URL TextChanged"), TextLength(link));
  EXPECT_EQ(CountLines(window.Log(), "write 组合框1 en-us"),
            TextLength(link) - TextLength("http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_") + 1);
  EXPECT_EQ(window.TextOf(Control::编辑框_版本号), "6.17.19190.13001");
  EXPECT_EQ(window.TextOf(Control::编辑框_更新日期), "20190709");
}

// The version and date boxes raise their event too, but nothing is bound to it.
TEST_F(HandlersTest, TypingIntoVersionOrDateBoxRunsNothing) {
  Preset("", "", "", "zh-cn");
  for (Control box : {Control::编辑框_版本号, Control::编辑框_更新日期}) {
    SCOPED_TRACE(test::ControlName(box));
    window.ClearLog();
    window.Type(box, "6.17.19190.13001");
    const std::string name = test::ControlName(box);
    const std::vector<std::string> expected = {"type " + name + " 6.17.19190.13001",
                                               "event " + name + " TextChanged",
                                               "end " + name + " TextChanged"};
    EXPECT_EQ(window.Log(), expected) << LogText(window.Log());
  }
  EXPECT_EQ(window.TextOf(Control::编辑框_URL), "");
  EXPECT_EQ(window.TextOf(Control::组合框1), "zh-cn");
}

// A program write raises the box's event once, after the text is in place,
// also when the text does not change; 组合框1 raises nothing.
TEST_F(HandlersTest, WriteTextRaisesTheEventOnceEvenWhenUnchanged) {
  const Text link = "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe";
  window.Type(Control::编辑框_URL, link);
  window.Type(Control::编辑框_版本号, "edited");
  window.ClearLog();

  window.WriteText(Control::编辑框_URL, link);
  EXPECT_EQ(CountLines(window.Log(), "event 编辑框_URL TextChanged"), 1) << LogText(window.Log());
  EXPECT_EQ(CountLines(window.Log(), "write 编辑框_版本号 6.17.19190.13001"), 1);
  EXPECT_EQ(window.TextOf(Control::编辑框_版本号), "6.17.19190.13001");

  window.ClearLog();
  window.WriteText(Control::编辑框_更新日期, "20190709");  // already there
  EXPECT_EQ(window.Log(), (std::vector<std::string>{"write 编辑框_更新日期 20190709",
                                                    "event 编辑框_更新日期 TextChanged",
                                                    "end 编辑框_更新日期 TextChanged"}));

  window.ClearLog();
  window.WriteText(Control::组合框1, "en-us");
  EXPECT_EQ(window.Log(), std::vector<std::string>{"write 组合框1 en-us"});
}

TEST_F(HandlersTest, FillBuildDateWritesTheDateOfTheVersionBox) {
  struct Case {
    const char* version;
    Text date;
  };
  const Case cases[] = {
      {"6.17.19190.13001", "20190709"},
      {"Rhino 7.1.20060.12345 and 6.17.19190.13001", "20200229"},
      {"6.17", ""},
      {"", ""},
      {"6.17.191901.13001", kError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    MemoryWindow w;
    w.Type(Control::编辑框_URL, "keep me");
    w.Type(Control::组合框1, "ko-kr");
    w.Type(Control::编辑框_更新日期, "old date");
    w.Type(Control::编辑框_版本号, c.version);
    w.Click(Control::按钮_更新日期计算);
    EXPECT_EQ(w.TextOf(Control::编辑框_更新日期), c.date);
    EXPECT_EQ(w.TextOf(Control::编辑框_版本号), c.version);
    EXPECT_EQ(w.TextOf(Control::编辑框_URL), "keep me");
    EXPECT_EQ(w.TextOf(Control::组合框1), "ko-kr");
    EXPECT_TRUE(w.Misuses().empty());
  }
}

// Each press on 标签4 flips the always-on-top state and the caption colour.
TEST_F(HandlersTest, PressOnDropAreaTogglesAlwaysOnTopAndColour) {
  window.Press(Control::标签4);
  EXPECT_TRUE(window.OnTop());
  EXPECT_EQ(window.ColourOf(Control::标签4), 0x606060u);
  EXPECT_EQ(window.Log(), (std::vector<std::string>{"event 标签4 LeftButtonDown", "ontop?", "ontop 1",
                                                    "colour 标签4 606060",
                                                    "end 标签4 LeftButtonDown"}));

  window.ClearLog();
  window.Press(Control::标签4);
  EXPECT_FALSE(window.OnTop());
  EXPECT_EQ(window.ColourOf(Control::标签4), 0x808080u);
  EXPECT_EQ(window.Log(), (std::vector<std::string>{"event 标签4 LeftButtonDown", "ontop?", "ontop 0",
                                                    "colour 标签4 808080",
                                                    "end 标签4 LeftButtonDown"}));

  // Presses on the other labels have no handler.
  window.Press(Control::标签1);
  window.Press(Control::标签5);
  EXPECT_FALSE(window.OnTop());
  EXPECT_EQ(window.ColourOf(Control::标签4), 0x808080u);
}

}  // namespace
}  // namespace tessavel
