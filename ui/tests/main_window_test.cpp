// The real Win32 window, run under Wine (or on Windows): the controls as
// created, the text-changed rule, the handlers wired to the controls, the
// clipboard, the always-on-top toggle and start-up and shut-down.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "core/codepage.h"
#include "release/links.h"
#include "ui/app.h"
#include "ui/clipboard_win32.h"
#include "ui/drop_target.h"
#include "ui/main_window.h"

namespace tessavel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kCaption[] = L"Tessavel（19190） - @Kornhaw";

// Handles every message waiting in the thread's queue (a quit message left
// by a destroyed window is taken out, too, so it cannot end a later loop).
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring WindowText(HWND w) {
  wchar_t buffer[512] = {};
  GetWindowTextW(w, buffer, 512);
  return buffer;
}

std::wstring ClassOf(HWND w) {
  wchar_t buffer[64] = {};
  GetClassNameW(w, buffer, 64);
  return buffer;
}

RECT ClientRectOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW lf{};
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (font != nullptr) GetObjectW(font, sizeof lf, &lf);
  return lf;
}

// What the clipboard holds in one format, as raw bytes without the
// terminator; nullopt-like flag when the format is absent.
struct ClipboardData {
  bool present = false;
  std::string bytes;
};

ClipboardData ReadClipboardText() {
  ClipboardData out;
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      out.present = true;
      out.bytes = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return out;
}

struct UnicodeClipboardData {
  bool present = false;
  std::wstring text;
};

UnicodeClipboardData ReadClipboardUnicode() {
  UnicodeClipboardData out;
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      out.present = true;
      out.text = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return out;
}

// Counts the WM_SETTEXT messages that reach one window: FillFromLink sets the
// version box exactly once per run, so this counts the runs of the handler
// bound to 编辑框_URL's text-changed event.
class SetTextCounter {
 public:
  explicit SetTextCounter(HWND target) {
    target_ = target;
    count_ = 0;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &SetTextCounter::Hook, nullptr, GetCurrentThreadId());
  }
  ~SetTextCounter() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  SetTextCounter(const SetTextCounter&) = delete;
  SetTextCounter& operator=(const SetTextCounter&) = delete;
  bool Hooked() const { return hook_ != nullptr; }
  int Take() {
    const int n = count_;
    count_ = 0;
    return n;
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
      const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
      if (m->message == WM_SETTEXT && m->hwnd == target_) ++count_;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND target_ = nullptr;
  static inline int count_ = 0;
  HHOOK hook_ = nullptr;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window_.Create(GetModuleHandleW(nullptr)));
    ASSERT_NE(window_.Handle(), nullptr);
  }
  void TearDown() override {
    if (window_.Handle() != nullptr) DestroyWindow(window_.Handle());
    Pump();
  }
  void ShowAndPump() {
    window_.Show(SW_SHOWNORMAL);
    Pump();
  }
  HWND Ctl(Control c) const { return window_.ControlWindow(c); }

  // Types the text into a control as the keyboard does: one WM_CHAR per
  // character, so the control changes its own text and notifies.
  void Type(Control c, const std::wstring& text) {
    HWND control = Ctl(c);
    SetFocus(control);
    for (wchar_t ch : text) SendMessageW(control, WM_CHAR, ch, 1);
    Pump();
  }
  void Click(Control c) {
    SendMessageW(Ctl(c), BM_CLICK, 0, 0);
    Pump();
  }
  void SetChecks(std::initializer_list<Control> checked) {
    for (int i = 0; i < kControlCount; ++i) {
      HWND w = window_.ControlWindow(static_cast<Control>(i));
      if ((GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) != BS_AUTOCHECKBOX || ClassOf(w) != L"Button")
        continue;
      SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    for (Control c : checked) SendMessageW(Ctl(c), BM_SETCHECK, BST_CHECKED, 0);
  }

  MainWindow window_;
};

// ---------------------------------------------------------------------------
// The window and its controls as created.

TEST_F(MainWindowTest, WindowIsCentredFixedAndHiddenUntilShown) {
  HWND w = window_.Handle();
  EXPECT_FALSE(IsWindowVisible(w)) << "created hidden";
  EXPECT_EQ(WindowText(w), kCaption);
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 540);
  EXPECT_EQ(r.bottom - r.top, 563);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 540) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 563) / 2);
  const LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the frame is fixed";
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(window_.ReadAlwaysOnTop());
  EXPECT_EQ(GetMenu(w), nullptr);
  EXPECT_EQ(GetClassLongPtrW(w, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
  EXPECT_NE(GetClassLongPtrW(w, GCLP_HICON), 0u) << "large icon from DEFAULT_ICON";
  EXPECT_NE(GetClassLongPtrW(w, GCLP_HICONSM), 0u) << "small icon from DEFAULT_ICON";

  ShowAndPump();
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_FALSE(IsIconic(w));
  EXPECT_FALSE(IsZoomed(w));
}

struct ExpectedControl {
  Control control;
  const wchar_t* windowClass;
  int left, top, width, height;
  const wchar_t* caption;
  bool checked;
  bool tabStop;
};

// The window definition, written out again from the description of the
// window rather than taken from the code that creates it.
constexpr ExpectedControl kExpected[] = {
    {Control::组合框1, L"ComboBox", 318, 111, 180, 25, L"", false, true},
    {Control::标签5, L"Static", 318, 78, 88, 32, L"语言：", false, false},
    {Control::标签4, L"Static", 32, 371, 270, 130, L"将文件拖拽到这里部署", false, false},
    {Control::按钮_版本号计算, L"Button", 238, 110, 64, 26, L"计算", false, false},
    {Control::按钮_更新日期计算, L"Button", 238, 169, 64, 26, L"计算", false, false},
    {Control::选择框_安装主程序, L"Button", 32, 252, 100, 24, L"安装主程序", true, true},
    {Control::标签3, L"Static", 32, 10, 88, 32, L"URL：", false, false},
    {Control::编辑框_URL, L"Edit", 32, 42, 472, 26, L"", false, false},
    {Control::选择框_运行库, L"Button", 144, 252, 80, 24, L"运行库", true, true},
    {Control::标签2, L"Static", 32, 137, 88, 32, L"更新时间：", false, false},
    {Control::编辑框_更新日期, L"Edit", 32, 169, 192, 26, L"", false, false},
    {Control::标签1, L"Static", 32, 78, 88, 32, L"版本号：", false, false},
    {Control::编辑框_版本号, L"Edit", 32, 110, 192, 26, L"", false, false},
    {Control::选择框_fr_fr, L"Button", 349, 279, 130, 24, L"法语（fr-fr）", false, true},
    {Control::选择框_ja_jp, L"Button", 349, 305, 130, 24, L"日语（ja-jp）", false, true},
    {Control::选择框_ko_kr, L"Button", 349, 331, 130, 24, L"韩语（ko-kr）", false, true},
    {Control::选择框_pl_pl, L"Button", 349, 357, 130, 24, L"波兰语（pl-pl）", false, true},
    {Control::选择框_zh_tw, L"Button", 349, 461, 130, 24, L"繁体中文（zh-tw）", false, true},
    {Control::选择框_zh_cn, L"Button", 349, 435, 130, 24, L"简体中文（zh-cn）", true, true},
    {Control::选择框_ru_ru, L"Button", 349, 409, 130, 24, L"俄罗斯语（ru-ru）", false, true},
    {Control::选择框_pt_pt, L"Button", 349, 383, 130, 24, L"葡萄牙语（pt-pt）", false, true},
    {Control::选择框_es_es, L"Button", 349, 253, 130, 24, L"西班牙语（es-es）", false, true},
    {Control::选择框_de_de, L"Button", 349, 201, 130, 24, L"德语（de-de）", false, true},
    {Control::选择框_en_us, L"Button", 349, 227, 130, 24, L"英语（en-us）", true, true},
    {Control::选择框_cs_cz, L"Button", 349, 175, 130, 24, L"捷克语（cs-cz）", false, true},
    {Control::分组框1, L"Button", 320, 151, 180, 352, L"语言包", false, false},
    {Control::按钮1, L"Button", 32, 292, 270, 48, L"复制下载链接", false, false},
};
static_assert(std::size(kExpected) == kControlCount);

TEST_F(MainWindowTest, ControlsHaveTheirClassPlaceCaptionAndState) {
  for (const ExpectedControl& e : kExpected) {
    HWND c = Ctl(e.control);
    const int row = static_cast<int>(e.control) + 1;
    SCOPED_TRACE(testing::Message() << "control #" << row);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(GetParent(c), window_.Handle());
    EXPECT_EQ(_wcsicmp(ClassOf(c).c_str(), e.windowClass), 0) << "class";
    const RECT r = ClientRectOf(c);
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.top, e.top);
    EXPECT_EQ(r.right - r.left, e.width);
    // 组合框1 closed takes the height its font needs; every other control has
    // exactly its height from the table.
    if (e.control != Control::组合框1) {
      EXPECT_EQ(r.bottom - r.top, e.height);
    }
    EXPECT_EQ(WindowText(c), e.caption);
    const LONG style = GetWindowLongW(c, GWL_STYLE);
    EXPECT_EQ((style & WS_TABSTOP) != 0, e.tabStop) << "tab stop";
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(IsWindowEnabled(c));
    const bool isCheckBox = _wcsicmp(e.windowClass, L"Button") == 0 &&
                            (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    if (isCheckBox) {
      EXPECT_EQ(SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED, e.checked) << "check mark";
      EXPECT_EQ(window_.ReadChecked(e.control), e.checked);
      EXPECT_TRUE(style & BS_MULTILINE);
    }
    const LOGFONTW lf = FontOf(c);
    EXPECT_STREQ(lf.lfFaceName, L"微软雅黑");
    EXPECT_EQ(lf.lfHeight, e.control == Control::标签4 ? -14 : -12);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
  }
}

TEST_F(MainWindowTest, ControlsStackInCreationOrder) {
  std::vector<HWND> stack;
  for (HWND c = GetWindow(window_.Handle(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    stack.push_back(c);
  ASSERT_EQ(stack.size(), static_cast<size_t>(kControlCount));
  for (int i = 0; i < kControlCount; ++i)
    EXPECT_EQ(stack[i], Ctl(static_cast<Control>(i))) << "stacking position " << i + 1;
}

TEST_F(MainWindowTest, KindsHaveTheirStyles) {
  const Control edits[] = {Control::编辑框_URL, Control::编辑框_版本号, Control::编辑框_更新日期};
  for (Control c : edits) {
    HWND e = Ctl(c);
    EXPECT_TRUE(GetWindowLongW(e, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const LONG style = GetWindowLongW(e, GWL_STYLE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_FALSE(style & (ES_MULTILINE | ES_READONLY | ES_NOHIDESEL | ES_CENTER | ES_RIGHT));
    EXPECT_GE(static_cast<unsigned long long>(SendMessageW(e, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEull)
        << "no limit on the length of the text";
  }
  const Control labels[] = {Control::标签1, Control::标签2, Control::标签3, Control::标签5};
  for (Control c : labels) {
    const LONG style = GetWindowLongW(Ctl(c), GWL_STYLE);
    EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
    EXPECT_TRUE(style & SS_CENTERIMAGE) << "vertically centred";
    EXPECT_TRUE(style & SS_NOPREFIX);
    EXPECT_FALSE(style & WS_BORDER);
  }
  const LONG drop = GetWindowLongW(Ctl(Control::标签4), GWL_STYLE);
  EXPECT_EQ(drop & SS_TYPEMASK, SS_CENTER);
  EXPECT_TRUE(drop & SS_CENTERIMAGE);
  EXPECT_TRUE(drop & SS_NOPREFIX);
  EXPECT_TRUE(drop & WS_BORDER);
  EXPECT_TRUE(drop & SS_NOTIFY);

  const Control buttons[] = {Control::按钮_版本号计算, Control::按钮_更新日期计算, Control::按钮1};
  for (Control c : buttons) {
    const LONG style = GetWindowLongW(Ctl(c), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "no default button";
    EXPECT_TRUE(style & BS_MULTILINE);
  }
  EXPECT_EQ(GetWindowLongW(Ctl(Control::分组框1), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);

  HWND combo = Ctl(Control::组合框1);
  const LONG comboStyle = GetWindowLongW(combo, GWL_STYLE);
  EXPECT_EQ(comboStyle & 3, CBS_DROPDOWN);
  EXPECT_TRUE(comboStyle & CBS_AUTOHSCROLL);
  EXPECT_FALSE(comboStyle & CBS_SORT);
  // The list has its vertical scroll bar: twelve rows do not fit into the
  // list as created. (Dropped down, version 6 of the common controls may
  // make the list tall enough for all twelve.)
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  EXPECT_TRUE(GetWindowLongW(info.hwndList, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(MainWindowTest, ComboBoxHoldsTheTwelveLanguagesUnselected) {
  HWND combo = Ctl(Control::组合框1);
  const wchar_t* languages[] = {L"cs-cz", L"de-de", L"en-us", L"es-es", L"fr-fr", L"ja-jp",
                                L"ko-kr", L"pl-pl", L"pt-pt", L"ru-ru", L"zh-cn", L"zh-tw"};
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 12);
  for (int i = 0; i < 12; ++i) {
    wchar_t item[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, languages[i]);
  }
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(window_.ReadText(Control::组合框1), "");

  // Created 160 high: Windows reports the dropped-down combo box as 160
  // high; Wine reports the list alone, 160 less the closed height and its
  // border.
  RECT dropped{};
  SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  RECT closed{};
  GetWindowRect(combo, &closed);
  const int closedHeight = closed.bottom - closed.top;
  const int droppedHeight = dropped.bottom - dropped.top;
  if (RunningOnWine()) {
    EXPECT_LE(droppedHeight, 160 - closedHeight);
    EXPECT_GE(droppedHeight, 160 - closedHeight - 2);
  } else {
    EXPECT_EQ(droppedHeight, 160);
  }
  EXPECT_LT(closedHeight, 40) << "closed, it takes the height its font needs";

  // Each list row is one pixel taller than a plain combo box with the same
  // font makes it.
  HWND plain = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | CBS_DROPDOWN, 0, 0, 100, 160,
                               window_.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(plain, nullptr);
  SendMessageW(plain, WM_SETFONT, SendMessageW(combo, WM_GETFONT, 0, 0), FALSE);
  const LRESULT plainRow = SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0);
  DestroyWindow(plain);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), plainRow + 1);

  // A picked item is what ReadText gives.
  SendMessageW(combo, CB_SETCURSEL, 10, 0);
  EXPECT_EQ(window_.ReadText(Control::组合框1), "zh-cn");
}

TEST_F(MainWindowTest, ColoursOfBoxesAndLabels) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HWND main = window_.Handle();

  const LRESULT editBrush =
      SendMessageW(main, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(Ctl(Control::编辑框_URL)));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  LOGBRUSH lb{};
  ASSERT_NE(GetObjectW(reinterpret_cast<HBRUSH>(editBrush), sizeof lb, &lb), 0);
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));

  struct Case {
    Control control;
    COLORREF colour;
  };
  const Case cases[] = {{Control::标签4, 0x808080}, {Control::标签1, 0x000000},
                        {Control::标签3, 0x000000}, {Control::选择框_en_us, 0x000000},
                        {Control::分组框1, 0x000000}};
  for (const Case& c : cases) {
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    const LRESULT brush = SendMessageW(main, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(Ctl(c.control)));
    EXPECT_EQ(GetTextColor(dc), c.colour) << "control #" << static_cast<int>(c.control) + 1;
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ASSERT_NE(GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  }

  window_.WriteTextColour(Control::标签4, 0x606060);
  SendMessageW(main, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(Ctl(Control::标签4)));
  EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(0x606060));
  DeleteDC(dc);
}

// ---------------------------------------------------------------------------
// The text-changed rule and the handlers on the real controls.

Text InstallerLink() { return ComposeInstallerLink("20190709", "en-us", "6.17.19190.13001"); }

TEST_F(MainWindowTest, TypingALinkFillsTheThreeBoxes) {
  ShowAndPump();
  SetTextCounter counter(Ctl(Control::编辑框_版本号));
  ASSERT_TRUE(counter.Hooked());
  const std::wstring link = Cp936ToWide(InstallerLink());
  Type(Control::编辑框_URL, link);
  EXPECT_EQ(counter.Take(), static_cast<int>(link.size())) << "one run per keystroke";
  EXPECT_EQ(window_.ReadText(Control::编辑框_URL), InstallerLink());
  EXPECT_EQ(window_.ReadText(Control::编辑框_版本号), "6.17.19190.13001");
  EXPECT_EQ(window_.ReadText(Control::编辑框_更新日期), "20190709");
  EXPECT_EQ(window_.ReadText(Control::组合框1), "en-us");

  // Deleting the last character is a change by the user too.
  SendMessageW(Ctl(Control::编辑框_URL), WM_CHAR, VK_BACK, 1);
  Pump();
  EXPECT_EQ(counter.Take(), 1);
}

TEST_F(MainWindowTest, TypingIntoTheOtherBoxesRunsNothing) {
  ShowAndPump();
  SetTextCounter counter(Ctl(Control::编辑框_版本号));
  Type(Control::编辑框_版本号, L"6.17.19190.13001");
  Type(Control::编辑框_更新日期, L"20190709");
  EXPECT_EQ(counter.Take(), 0) << "only the typing itself, which is no WM_SETTEXT";
  EXPECT_EQ(window_.ReadText(Control::编辑框_URL), "");
  EXPECT_EQ(window_.ReadText(Control::编辑框_版本号), "6.17.19190.13001");
  EXPECT_EQ(window_.ReadText(Control::编辑框_更新日期), "20190709");
  EXPECT_EQ(window_.ReadText(Control::组合框1), "");
}

TEST_F(MainWindowTest, WriteTextRaisesTheEventExactlyOnce) {
  SetTextCounter counter(Ctl(Control::编辑框_版本号));
  ASSERT_TRUE(counter.Hooked());
  struct Case {
    const char* what;
    Text text;
  };
  const Case cases[] = {{"a link", InstallerLink()},
                        {"the same text again", InstallerLink()},
                        {"the empty text", ""},
                        {"the empty text again", ""},
                        {"text without a link", "hello"}};
  for (const Case& c : cases) {
    window_.WriteText(Control::编辑框_URL, c.text);
    EXPECT_EQ(counter.Take(), 1) << c.what;
    EXPECT_EQ(window_.ReadText(Control::编辑框_URL), c.text) << c.what;
  }
  // The handler ran after the text was in place.
  window_.WriteText(Control::编辑框_URL, InstallerLink());
  EXPECT_EQ(window_.ReadText(Control::编辑框_版本号), "6.17.19190.13001");
  counter.Take();

  // Writing 组合框1 runs no handler; writing the other boxes runs none either.
  window_.WriteText(Control::组合框1, "de-de");
  EXPECT_EQ(window_.ReadText(Control::组合框1), "de-de");
  EXPECT_EQ(SendMessageW(Ctl(Control::组合框1), CB_GETCOUNT, 0, 0), 12) << "list untouched";
  window_.WriteText(Control::编辑框_更新日期, "x");
  EXPECT_EQ(counter.Take(), 0);
  window_.WriteText(Control::编辑框_版本号, "y");
  EXPECT_EQ(counter.Take(), 1) << "only the write itself";
  EXPECT_EQ(window_.ReadText(Control::编辑框_URL), InstallerLink());
}

TEST_F(MainWindowTest, ComputeButtons) {
  ShowAndPump();
  Type(Control::编辑框_版本号, L"Rhino 6.17.19190.13001");
  Click(Control::按钮_更新日期计算);
  EXPECT_EQ(window_.ReadText(Control::编辑框_更新日期), "20190709");

  window_.WriteText(Control::组合框1, "en-us");
  Click(Control::按钮_版本号计算);
  EXPECT_EQ(window_.ReadText(Control::编辑框_URL), InstallerLink());
  // The nested FillFromLink refilled the boxes from the new link.
  EXPECT_EQ(window_.ReadText(Control::编辑框_版本号), "6.17.19190.13001");
  EXPECT_EQ(window_.ReadText(Control::编辑框_更新日期), "20190709");
  EXPECT_EQ(window_.ReadText(Control::组合框1), "en-us");
}

// Closes the message box that appears while a button's handler runs, and
// records what it showed.
struct MessageBoxSeen {
  bool found = false;
  std::wstring title;
  std::wstring text;
  bool ownerDisabled = false;
  bool hasOk = false;
  bool hasCancel = false;
  bool hasIcon = false;
};

MessageBoxSeen g_seen;
HWND g_owner = nullptr;

BOOL CALLBACK FindChildStatic(HWND child, LPARAM lParam) {
  auto* seen = reinterpret_cast<MessageBoxSeen*>(lParam);
  if (ClassOf(child) == L"Static") {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE)) seen->hasIcon = true;
    const std::wstring t = WindowText(child);
    if (!t.empty() && seen->text.empty()) seen->text = t;
  }
  return TRUE;
}

BOOL CALLBACK FindMessageBox(HWND w, LPARAM) {
  if (ClassOf(w) != L"#32770" || GetWindow(w, GW_OWNER) != g_owner) return TRUE;
  g_seen.found = true;
  g_seen.title = WindowText(w);
  g_seen.ownerDisabled = !IsWindowEnabled(g_owner);
  g_seen.hasOk = GetDlgItem(w, IDOK) != nullptr;
  g_seen.hasCancel = GetDlgItem(w, IDCANCEL) != nullptr;
  EnumChildWindows(w, FindChildStatic, reinterpret_cast<LPARAM>(&g_seen));
  PostMessageW(w, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_seen.found) EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, 0);
}

TEST_F(MainWindowTest, LanguageWarningShowsAndChangesNothing) {
  ShowAndPump();
  for (const wchar_t* language : {L"", L"english"}) {
    SCOPED_TRACE(testing::Message() << "language '" << WideToCp936(language) << "'");
    // The link box first: its change runs FillFromLink, which refills the
    // other three.
    SetWindowTextW(Ctl(Control::编辑框_URL), L"u");
    SetWindowTextW(Ctl(Control::组合框1), language);
    SetWindowTextW(Ctl(Control::编辑框_版本号), L"6.17.19190.13001");
    SetWindowTextW(Ctl(Control::编辑框_更新日期), L"d");
    Pump();
    g_seen = MessageBoxSeen{};
    g_owner = window_.Handle();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMessageBox);
    Click(Control::按钮_版本号计算);  // returns when the box is closed
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_seen.found);
    EXPECT_EQ(g_seen.title, L"错误");
    EXPECT_EQ(g_seen.text, L"请选择语言！");
    EXPECT_TRUE(g_seen.ownerDisabled) << "modal to the main window";
    EXPECT_TRUE(g_seen.hasOk);
    EXPECT_FALSE(g_seen.hasCancel) << "a single OK button";
    EXPECT_TRUE(g_seen.hasIcon) << "error icon";
    EXPECT_TRUE(IsWindowEnabled(window_.Handle())) << "enabled again after the box";
    EXPECT_EQ(window_.ReadText(Control::编辑框_URL), "u");
    EXPECT_EQ(window_.ReadText(Control::编辑框_版本号), "6.17.19190.13001");
    EXPECT_EQ(window_.ReadText(Control::编辑框_更新日期), "d");
    EXPECT_EQ(window_.ReadText(Control::组合框1), WideToCp936(language));
  }
}

// ---------------------------------------------------------------------------
// The clipboard.

std::string VendorLine(const std::string& scheme, const std::string& path) {
  return scheme + "://" + std::string(VendorDownloadHost) + path + "\r\n";
}
std::string MicrosoftLine(const std::string& scheme, const std::string& path) {
  return scheme + "://" + std::string(MicrosoftDownloadHost) + path + "\r\n";
}

TEST_F(MainWindowTest, CopyButtonPutsTheListOnTheClipboard) {
  ShowAndPump();
  const std::string runtimes =
      MicrosoftLine("http", "/download/b/a/4/ba4a7e71-2906-4b2d-a0e1-80cf16844f5f/dotnetfx45_full_x86_x64.exe") +
      MicrosoftLine("https", "/download/8/B/4/8B42259F-5D70-43F4-AC2E-4B208FD8D66A/vcredist_x64.EXE") +
      MicrosoftLine("https", "/download/1/6/5/165255E7-1014-4D0A-B094-B6A430A6BFFC/vcredist_x64.exe") +
      MicrosoftLine("https", "/download/2/E/6/2E61CFA4-993B-4DD4-91DA-3737CD5CD6E3/vcredist_x64.exe") +
      VendorLine("http", "/rhino/6/redistributable/VC_redist.x64-14.12.25810.exe");
  struct Case {
    const char* what;
    std::initializer_list<Control> checked;
    const wchar_t* date;
    const wchar_t* language;
    const wchar_t* version;
    std::string expected;
  };
  const Case cases[] = {
      {"as started, with the boxes filled",
       {Control::选择框_安装主程序, Control::选择框_运行库, Control::选择框_en_us, Control::选择框_zh_cn},
       L"20190709", L"en-us", L"6.17.19190.13001",
       VendorLine("http", "/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe") +
           VendorLine("https", "/dujour/exe/20190709/rhino_en-us_languagepack_6.17.19190.13001.msi") +
           VendorLine("https", "/dujour/exe/20190709/rhino_zh-cn_languagepack_6.17.19190.13001.msi") +
           runtimes},
      {"nothing checked", {}, L"20190709", L"en-us", L"6.17.19190.13001", ""},
      {"runtimes only", {Control::选择框_运行库}, L"", L"", L"", runtimes},
      {"zh-tw and de-de, empty boxes", {Control::选择框_zh_tw, Control::选择框_de_de}, L"", L"", L"",
       VendorLine("https", "/dujour/exe//rhino_de-de_languagepack_.msi") +
           VendorLine("https", "/dujour/exe//rhino_zh-tw_languagepack_.msi")},
      {"a Chinese language text", {Control::选择框_安装主程序}, L"20190709", L"中文",
       L"6.17.19190.13001",
       VendorLine("http", "/dujour/exe/20190709/rhino_\xD6\xD0\xCE\xC4_6.17.19190.13001.exe")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutTextOnClipboard("previous content");
    SetChecks(c.checked);
    SetWindowTextW(Ctl(Control::编辑框_更新日期), c.date);
    SetWindowTextW(Ctl(Control::组合框1), c.language);
    SetWindowTextW(Ctl(Control::编辑框_版本号), c.version);
    Pump();
    Click(Control::按钮1);
    const ClipboardData text = ReadClipboardText();
    ASSERT_TRUE(text.present);
    EXPECT_EQ(text.bytes, c.expected);
    const UnicodeClipboardData unicode = ReadClipboardUnicode();
    ASSERT_TRUE(unicode.present);
    EXPECT_EQ(unicode.text, Cp936ToWide(c.expected));
  }
  // The boxes are unchanged by the copy.
  EXPECT_EQ(window_.ReadText(Control::组合框1), "\xD6\xD0\xCE\xC4");
}

TEST(Clipboard, UnicodeCopyIsConvertedFromCodePage936) {
  const Text t = "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4 a\r\n";  // 简体中文 a
  ASSERT_TRUE(PutTextOnClipboard(t));
  EXPECT_EQ(ReadClipboardText().bytes, t);
  EXPECT_EQ(ReadClipboardUnicode().text, L"简体中文 a\r\n");
}

TEST(Clipboard, HeldOpenElsewhereIsLeftAsItWasWithoutWaiting) {
  ASSERT_TRUE(PutTextOnClipboard("before"));
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> holderOpened{false};
  // The holder opens the clipboard for a window of its own, as another
  // program does.
  std::thread holder([&] {
    HWND own = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               nullptr, nullptr);
    holderOpened = own != nullptr && OpenClipboard(own) != FALSE;
    SetEvent(opened);
    WaitForSingleObject(release, 10000);
    if (holderOpened) CloseClipboard();
    if (own != nullptr) DestroyWindow(own);
  });
  WaitForSingleObject(opened, 10000);
  ASSERT_TRUE(holderOpened);
  const auto start = Clock::now();
  const bool placed = PutTextOnClipboard("after");
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);
  EXPECT_FALSE(placed);
  EXPECT_LT(seconds, 1.0) << "does not wait for the clipboard";
  EXPECT_EQ(ReadClipboardText().bytes, "before");
}

// ---------------------------------------------------------------------------
// The drop area's press: always on top.

TEST_F(MainWindowTest, PressOnDropAreaTogglesAlwaysOnTop) {
  ShowAndPump();
  HWND main = window_.Handle();
  HWND label = Ctl(Control::标签4);
  RECT before{};
  GetWindowRect(main, &before);
  struct Step {
    bool topmost;
    Colour colour;
  };
  const Step steps[] = {{true, 0x606060}, {false, 0x808080}, {true, 0x606060}, {false, 0x808080}};
  for (const Step& s : steps) {
    SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_EQ(window_.ReadAlwaysOnTop(), s.topmost);
    EXPECT_EQ((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, s.topmost);
    EXPECT_EQ(window_.TextColour(Control::标签4), s.colour);
    RECT now{};
    GetWindowRect(main, &now);
    EXPECT_TRUE(EqualRect(&before, &now)) << "neither moved nor resized";
  }
}

TEST_F(MainWindowTest, DoubleClickOnDropAreaTogglesOnce) {
  ShowAndPump();
  HWND main = window_.Handle();
  HWND label = Ctl(Control::标签4);
  SetForegroundWindow(main);
  Pump();
  RECT r{};
  GetWindowRect(label, &r);
  const int x = (r.left + r.right) / 2;
  const int y = (r.top + r.bottom) / 2;
  ASSERT_EQ(WindowFromPoint(POINT{x, y}), label) << "the label is under the pointer";
  SetCursorPos(x, y);
  Pump();

  // Two presses in quick succession through the system's input queue, which
  // makes the second one a double click.
  INPUT inputs[4] = {};
  const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                          MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = flags[i];
  }
  ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
  const auto until = Clock::now() + std::chrono::milliseconds(500);
  while (Clock::now() < until) {
    Pump();
    Sleep(10);
  }
  EXPECT_TRUE(window_.ReadAlwaysOnTop()) << "toggled once, not twice";
  EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(window_.TextColour(Control::标签4), 0x606060u);

  // The same as messages: press, release, double click, release.
  SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  SendMessageW(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump();
  EXPECT_FALSE(window_.ReadAlwaysOnTop());
  EXPECT_FALSE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// ---------------------------------------------------------------------------
// Bad input.

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Pastes the text into the box as the user does (WM_PASTE from the
// clipboard) and returns the seconds one more keystroke at its end takes.
double PasteThenTimeOneKeystroke(HWND box, const Text& text) {
  EXPECT_TRUE(PutTextOnClipboard(text));
  SetFocus(box);
  SetWindowTextW(box, L"");
  SendMessageW(box, WM_PASTE, 0, 0);
  Pump();
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(-1), -1);
  const auto start = Clock::now();
  SendMessageW(box, WM_CHAR, L' ', 1);
  const double seconds = SecondsSince(start);
  Pump();
  return seconds;
}

TEST_F(MainWindowTest, SeveralMegabytesPastedIntoTheLinkBox) {
  ShowAndPump();
  constexpr std::size_t kSize = 4 * 1024 * 1024;
  auto repeated = [](const std::string& piece, std::size_t size) {
    std::string out;
    out.reserve(size + piece.size());
    while (out.size() < size) out += piece;
    return out;
  };
  // The reference: the same keystroke in a box of the same size that runs no
  // handler, which is what the edit control itself costs.
  const double reference =
      PasteThenTimeOneKeystroke(Ctl(Control::编辑框_更新日期), std::string(kSize, 'x'));
  std::printf("[ measure  ] keystroke in a %zu-byte box without handler: %.3f s\n", kSize,
              reference);
  std::fflush(stdout);

  // Wine's edit control itself slows down more than linearly on long runs of
  // digits and punctuation (a 64 KB text of versions costs it seconds per
  // keystroke without any handler), so the texts full of versions and dates
  // are kept small; the multi-megabyte ones are letters, spaces and
  // languages, which it handles in linear time.
  struct Case {
    const char* what;
    Text text;
    const char* version;  // what the boxes hold afterwards
    const char* language;
  };
  const Case cases[] = {
      {"one letter repeated, the link at the end", std::string(kSize, 'x') + " " + InstallerLink(),
       "6.17.19190.13001", "en-us"},
      {"words and spaces", repeated("ab cd ", kSize), "", ""},
      {"languages all the way", repeated("_en-us_", kSize), "", "en-us"},
      {"versions all the way (16 KB)", repeated("6.17.19190.13001_", 16 * 1024), "6.17.19190.13001",
       ""},
      {"date folders all the way (16 KB)", repeated("/2019/0/0/", 16 * 1024), "", ""},
  };
  HWND url = Ctl(Control::编辑框_URL);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const double seconds = PasteThenTimeOneKeystroke(url, c.text);
    EXPECT_EQ(window_.ReadText(Control::编辑框_URL).size(), c.text.size() + 1);
    EXPECT_EQ(window_.ReadText(Control::编辑框_版本号), c.version);
    EXPECT_EQ(window_.ReadText(Control::组合框1), c.language);
    auto start = Clock::now();
    const Text read = window_.ReadText(Control::编辑框_URL);
    const double readSeconds = SecondsSince(start);
    std::printf("[ measure  ] %s (%zu bytes): one keystroke %.3f s (%.1f x reference), "
                "one ReadText %.3f s\n",
                c.what, read.size(), seconds, reference > 0 ? seconds / reference : 0.0,
                readSeconds);
    std::fflush(stdout);
    EXPECT_LT(seconds, 30.0) << "the window still answers keystrokes";
  }
}

TEST_F(MainWindowTest, CharactersOutsideCodePage936BecomeQuestionMarks) {
  ShowAndPump();
  struct Case {
    Control control;
    const wchar_t* shown;
    Text read;
  };
  const Case cases[] = {
      {Control::编辑框_版本号, L"a\u0E01b", "a?b"},                 // Thai
      {Control::编辑框_更新日期, L"\u0E01\u0E02", "??"},
      {Control::组合框1, L"\u4E2D\u0E01", "\xD6\xD0?"},             // 中, Thai
      {Control::编辑框_URL, L"x\u0E01" , "x?"},
  };
  for (const Case& c : cases) {
    SetWindowTextW(Ctl(c.control), c.shown);
    Pump();
    EXPECT_EQ(window_.ReadText(c.control), c.read) << "control #" << static_cast<int>(c.control) + 1;
  }
  // Characters beyond the Basic Multilingual Plane and bytes that are no
  // valid code page 936 text: whatever they become, only substitutes appear
  // and nothing crashes.
  SetWindowTextW(Ctl(Control::编辑框_版本号), L"a\U0001F600b");
  const Text emoji = window_.ReadText(Control::编辑框_版本号);
  ASSERT_GE(emoji.size(), 3u);
  EXPECT_EQ(emoji.front(), 'a');
  EXPECT_EQ(emoji.back(), 'b');
  EXPECT_EQ(emoji.find_first_not_of("ab?"), std::string::npos) << emoji;
  window_.WriteText(Control::编辑框_URL, "\x81");      // a lone lead byte
  window_.WriteText(Control::编辑框_URL, "ab\xFF\xFF"); // an invalid pair
  const Text invalid = window_.ReadText(Control::编辑框_URL);
  EXPECT_EQ(invalid.substr(0, 2), "ab");
  EXPECT_EQ(invalid.find_first_not_of("ab?"), std::string::npos) << invalid;
}

// ---------------------------------------------------------------------------
// Start-up and shut-down.

struct RunObservation {
  bool found = false;
  bool visible = false;
  bool attached = false;
  bool dropAreaAcceptsFiles = false;
  bool pressMadeTopmost = false;
};

TEST(RunApplication, ClosingTheWindowEndsTheLoopWithZeroAndReleasesTheDropTarget) {
  Pump();
  RunObservation seen;
  std::thread closer([&seen] {
    HWND w = nullptr;
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < until) {
      w = FindWindowW(L"TessavelMainWindow", kCaption);
      if (w != nullptr && IsWindowVisible(w)) break;
      Sleep(20);
    }
    if (w == nullptr) return;
    seen.found = true;
    seen.visible = IsWindowVisible(w) != FALSE;
    DropTarget* target = TheDropTarget();
    seen.attached = target != nullptr && target->IsAttached();
    HWND label = FindWindowExW(w, nullptr, L"Static", L"将文件拖拽到这里部署");
    seen.dropAreaAcceptsFiles =
        label != nullptr && (GetWindowLongW(label, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
    // With the drop target in place, a press on the drop area still reaches
    // the label and toggles always-on-top.
    if (label != nullptr) {
      SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
      seen.pressMadeTopmost = (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }
    PostMessageW(w, WM_CLOSE, 0, 0);
  });
  const int result = RunApplication();
  closer.join();
  ASSERT_TRUE(seen.found) << "the window appeared";
  EXPECT_TRUE(seen.visible);
  EXPECT_TRUE(seen.attached) << "the drop target is attached before the window shows";
  EXPECT_TRUE(seen.dropAreaAcceptsFiles);
  EXPECT_TRUE(seen.pressMadeTopmost);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(TheDropTarget(), nullptr) << "released by the exit routine";
  EXPECT_EQ(FindWindowW(L"TessavelMainWindow", kCaption), nullptr) << "the window is gone";
}


// A hook that refuses the creation of the main window, as a system out of
// window resources would.
HHOOK g_refuseHook = nullptr;

LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    const wchar_t* cls = create->lpcs->lpszClass;
    if (!IS_INTRESOURCE(cls) && wcscmp(cls, L"TessavelMainWindow") == 0) return 1;
  }
  return CallNextHookEx(g_refuseHook, code, wParam, lParam);
}

TEST(RunApplication, WindowThatCannotBeCreatedGivesAFatalMessageAndMinusOne) {
  Pump();
  g_refuseHook = SetWindowsHookExW(WH_CBT, RefuseMainWindow, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_refuseHook, nullptr);
  g_seen = MessageBoxSeen{};
  g_owner = nullptr;  // the fatal message has no owner
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMessageBox);
  const int result = RunApplication();
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(g_refuseHook);
  g_refuseHook = nullptr;
  EXPECT_EQ(result, -1);
  EXPECT_TRUE(g_seen.found) << "a fatal error message was shown";
  EXPECT_FALSE(g_seen.text.empty());
  EXPECT_TRUE(g_seen.hasIcon);
  EXPECT_EQ(TheDropTarget(), nullptr) << "the exit routines ran";
  EXPECT_EQ(FindWindowW(L"TessavelMainWindow", nullptr), nullptr);
}

// The resources the executable carries (this test program links the same
// resource script).
std::string ResourceBytes(const wchar_t* name, const wchar_t* type) {
  HRSRC found = FindResourceW(nullptr, name, type);
  if (found == nullptr) return std::string();
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::string();
  return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

TEST(Resources, IconManifestAndVersion) {
  EXPECT_NE(FindResourceW(nullptr, L"DEFAULT_ICON", RT_GROUP_ICON), nullptr);
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
  EXPECT_NE(icon, nullptr);
  if (icon != nullptr) DestroyIcon(icon);

  const std::string manifest = ResourceBytes(MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos) << "no DPI awareness declared";
  EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos);

  const std::string version = ResourceBytes(MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  ASSERT_FALSE(version.empty());
  const std::wstring wide(reinterpret_cast<const wchar_t*>(version.data()),
                          version.size() / sizeof(wchar_t));
  EXPECT_NE(wide.find(L"tessavel.exe"), std::wstring::npos);
}
}  // namespace
}  // namespace tessavel
