// The main window on Win32: the window definition as one table, the window
// procedure that turns control notifications into the events of the event
// table, and the control access through the W functions, converting Text
// (code page 936) to and from UTF-16 at this boundary.
#include "ui/main_window.h"

#include <commctrl.h>

#include <cstddef>
#include <iterator>
#include <string>

#include "core/codepage.h"
#include "ui/clipboard_win32.h"
#include "ui/events.h"

namespace tessavel {
namespace {

enum class Kind { ComboBox, Label, DropArea, Button, CheckBox, EditBox, GroupBox };

struct ControlDefinition {
  Control control;
  Kind kind;
  int left, top, width, height;
  const wchar_t* caption;
  bool checked;
  bool tabStop;
};

// The 27 controls in creation order, which is also their stacking order from
// top to bottom: the language check boxes lie above 分组框1.
constexpr ControlDefinition kControls[] = {
    {Control::组合框1, Kind::ComboBox, 318, 111, 180, 25, L"", false, true},
    {Control::标签5, Kind::Label, 318, 78, 88, 32, L"语言：", false, false},
    {Control::标签4, Kind::DropArea, 32, 371, 270, 130, L"将文件拖拽到这里部署", false, false},
    {Control::按钮_版本号计算, Kind::Button, 238, 110, 64, 26, L"计算", false, false},
    {Control::按钮_更新日期计算, Kind::Button, 238, 169, 64, 26, L"计算", false, false},
    {Control::选择框_安装主程序, Kind::CheckBox, 32, 252, 100, 24, L"安装主程序", true, true},
    {Control::标签3, Kind::Label, 32, 10, 88, 32, L"URL：", false, false},
    {Control::编辑框_URL, Kind::EditBox, 32, 42, 472, 26, L"", false, false},
    {Control::选择框_运行库, Kind::CheckBox, 144, 252, 80, 24, L"运行库", true, true},
    {Control::标签2, Kind::Label, 32, 137, 88, 32, L"更新时间：", false, false},
    {Control::编辑框_更新日期, Kind::EditBox, 32, 169, 192, 26, L"", false, false},
    {Control::标签1, Kind::Label, 32, 78, 88, 32, L"版本号：", false, false},
    {Control::编辑框_版本号, Kind::EditBox, 32, 110, 192, 26, L"", false, false},
    {Control::选择框_fr_fr, Kind::CheckBox, 349, 279, 130, 24, L"法语（fr-fr）", false, true},
    {Control::选择框_ja_jp, Kind::CheckBox, 349, 305, 130, 24, L"日语（ja-jp）", false, true},
    {Control::选择框_ko_kr, Kind::CheckBox, 349, 331, 130, 24, L"韩语（ko-kr）", false, true},
    {Control::选择框_pl_pl, Kind::CheckBox, 349, 357, 130, 24, L"波兰语（pl-pl）", false, true},
    {Control::选择框_zh_tw, Kind::CheckBox, 349, 461, 130, 24, L"繁体中文（zh-tw）", false, true},
    {Control::选择框_zh_cn, Kind::CheckBox, 349, 435, 130, 24, L"简体中文（zh-cn）", true, true},
    {Control::选择框_ru_ru, Kind::CheckBox, 349, 409, 130, 24, L"俄罗斯语（ru-ru）", false, true},
    {Control::选择框_pt_pt, Kind::CheckBox, 349, 383, 130, 24, L"葡萄牙语（pt-pt）", false, true},
    {Control::选择框_es_es, Kind::CheckBox, 349, 253, 130, 24, L"西班牙语（es-es）", false, true},
    {Control::选择框_de_de, Kind::CheckBox, 349, 201, 130, 24, L"德语（de-de）", false, true},
    {Control::选择框_en_us, Kind::CheckBox, 349, 227, 130, 24, L"英语（en-us）", true, true},
    {Control::选择框_cs_cz, Kind::CheckBox, 349, 175, 130, 24, L"捷克语（cs-cz）", false, true},
    {Control::分组框1, Kind::GroupBox, 320, 151, 180, 352, L"语言包", false, false},
    {Control::按钮1, Kind::Button, 32, 292, 270, 48, L"复制下载链接", false, false},
};
static_assert(std::size(kControls) == kControlCount);

constexpr bool TableFollowsControlOrder() {
  for (int i = 0; i < kControlCount; ++i) {
    if (static_cast<int>(kControls[i].control) != i) return false;
  }
  return true;
}
static_assert(TableFollowsControlOrder(), "the table's rows must follow the Control enumeration");

// The items of 组合框1, unsorted, in this order.
constexpr const wchar_t* kLanguages[] = {L"cs-cz", L"de-de", L"en-us", L"es-es", L"fr-fr", L"ja-jp",
                                         L"ko-kr", L"pl-pl", L"pt-pt", L"ru-ru", L"zh-cn", L"zh-tw"};

constexpr wchar_t kWindowClass[] = L"TessavelMainWindow";
constexpr wchar_t kCaption[] = L"Tessavel（19190） - @Kornhaw";
constexpr int kWindowWidth = 540;
constexpr int kWindowHeight = 563;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr wchar_t kFontFace[] = L"微软雅黑";
constexpr int kFontHeight = -12;
constexpr int kDropAreaFontHeight = -14;
// 组合框1 is created this high, leaving room for its dropped-down list.
constexpr int kComboCreateHeight = 160;
constexpr Colour kBlack = 0x000000;
constexpr Colour kDropAreaStartColour = 0x808080;
// Control identifiers: the control's index plus this base, clear of IDOK and
// IDCANCEL, which the dialog navigation of the message loop may send.
constexpr int kFirstControlId = 100;

struct KindStyle {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

KindStyle StyleOf(Kind kind) {
  switch (kind) {
    case Kind::ComboBox:
      return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0};
    case Kind::Label:
      return {WC_STATICW, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::DropArea:
      // SS_NOTIFY: the label reports presses (STN_CLICKED) and double clicks
      // (STN_DBLCLK) and is hit by the mouse at all.
      return {WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY | WS_BORDER, 0};
    case Kind::Button:
      return {WC_BUTTONW, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
    case Kind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE, 0};
    case Kind::EditBox:
      return {WC_EDITW, ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::GroupBox:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
  }
  return {WC_STATICW, 0, 0};
}

int IndexOf(Control c) { return static_cast<int>(c); }

Kind KindOf(Control c) { return kControls[IndexOf(c)].kind; }

HFONT MakeFont(int height) {
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kFontFace);
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, kWindowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0;
}

std::wstring WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
  if (window_ != nullptr) return true;
  if (!RegisterWindowClass(instance, &MainWindow::WindowProcedure)) return false;
  for (int i = 0; i < kControlCount; ++i) textColours_[i] = kBlack;
  textColours_[IndexOf(Control::标签4)] = kDropAreaStartColour;
  alwaysOnTop_ = false;

  // Centred on the primary screen, taskbar included; the division rounds
  // toward zero.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  // WM_NCCREATE stores the window handle in window_ through the pointer.
  HWND created = CreateWindowExW(0, kWindowClass, kCaption, kWindowStyle, left, top, kWindowWidth,
                                 kWindowHeight, nullptr, nullptr, instance, this);
  if (created == nullptr) return false;
  if (!CreateControls(instance)) {
    DestroyWindow(window_);
    return false;
  }
  RaiseCreated(*this);
  return true;
}

bool MainWindow::CreateControls(HINSTANCE instance) {
  font_ = MakeFont(kFontHeight);
  dropAreaFont_ = MakeFont(kDropAreaFontHeight);
  for (const ControlDefinition& row : kControls) {
    const int index = IndexOf(row.control);
    const KindStyle ks = StyleOf(row.kind);
    // WS_CLIPSIBLINGS: the group box must not paint over the check boxes
    // that lie above it.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ks.style;
    if (row.tabStop) style |= WS_TABSTOP;
    const int height = row.kind == Kind::ComboBox ? kComboCreateHeight : row.height;
    HWND control = CreateWindowExW(
        ks.exStyle, ks.windowClass, row.caption, style, row.left, row.top, row.width, height,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance,
        nullptr);
    if (control == nullptr) return false;
    controls_[index] = control;
    HFONT font = row.kind == Kind::DropArea ? dropAreaFont_ : font_;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    switch (row.kind) {
      case Kind::EditBox:
        SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no limit
        break;
      case Kind::CheckBox:
        SendMessageW(control, BM_SETCHECK, row.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case Kind::ComboBox: {
        SendMessageW(control, CB_LIMITTEXT, 0, 0);  // no limit
        for (const wchar_t* item : kLanguages) {
          SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        // Each list row one pixel taller than the font's row height. Some
        // platforms (Wine) take a row height through the combo box only when
        // it draws its own items; then it goes to the list box itself.
        const LRESULT row = SendMessageW(control, CB_GETITEMHEIGHT, 0, 0);
        if (row != CB_ERR && SendMessageW(control, CB_SETITEMHEIGHT, 0, row + 1) == CB_ERR) {
          COMBOBOXINFO info{};
          info.cbSize = sizeof info;
          if (GetComboBoxInfo(control, &info) && info.hwndList != nullptr) {
            SendMessageW(info.hwndList, LB_SETITEMHEIGHT, 0, row + 1);
          }
        }
        break;
      }
      default:
        break;
    }
  }
  return true;
}

void MainWindow::Show(int showCommand) {
  if (window_ == nullptr) return;
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
}

HWND MainWindow::ControlWindow(Control c) const {
  const int index = IndexOf(c);
  if (index < 0 || index >= kControlCount) return nullptr;
  return controls_[index];
}

Colour MainWindow::TextColour(Control c) const { return textColours_[IndexOf(c)]; }

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<MainWindow*>(cs->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  // No exception may unwind through the system's frames; the handlers throw
  // none, and should memory run out in a conversion, the message is dropped.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

// The messages the window handles; everything else goes to the default
// procedure (closing destroys the window at once, without asking).
LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), true);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), false);
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

// Control notifications become the events of the event table.
void MainWindow::OnCommand(int id, int code) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= kControlCount || controls_[index] == nullptr) return;
  const Control c = kControls[index].control;
  switch (kControls[index].kind) {
    case Kind::EditBox:
      // A program write raises the event itself, once, after the text is in
      // place; the box's own notification during the write is dropped.
      if (code == EN_CHANGE && !writing_[index]) RaiseEvent(*this, c, Event::TextChanged);
      break;
    case Kind::Button:
    case Kind::CheckBox:
      if (code == BN_CLICKED) RaiseEvent(*this, c, Event::Clicked);
      break;
    case Kind::DropArea:
      // A single press sends STN_CLICKED; the second press of a double click
      // comes as STN_DBLCLK, which has no handler.
      if (code == STN_CLICKED) RaiseEvent(*this, c, Event::LeftButtonDown);
      break;
    default:
      break;
  }
}

// Edit boxes and the combo box's field and list: black on white. Labels,
// check boxes and the group box: their caption colour, transparent, on the
// button face.
LRESULT MainWindow::OnControlColour(HDC dc, HWND control, bool edit) {
  if (edit) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  Colour colour = kBlack;
  for (int i = 0; i < kControlCount; ++i) {
    if (controls_[i] == control) colour = textColours_[i];
  }
  SetTextColor(dc, static_cast<COLORREF>(colour));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnDestroy() {
  for (HWND& c : controls_) c = nullptr;
  if (font_ != nullptr) DeleteObject(font_);
  if (dropAreaFont_ != nullptr) DeleteObject(dropAreaFont_);
  font_ = dropAreaFont_ = nullptr;
  // The last window of the program is gone: end the message loop with 0.
  PostQuitMessage(0);
}

Text MainWindow::ReadText(Control c) {
  HWND control = ControlWindow(c);
  if (control == nullptr) return Text();
  return WideToCp936(WindowTextOf(control));
}

void MainWindow::WriteText(Control c, const Text& t) {
  HWND control = ControlWindow(c);
  if (control == nullptr) return;
  const std::wstring wide = Cp936ToWide(t);
  const int index = IndexOf(c);
  if (KindOf(c) != Kind::EditBox) {
    // 组合框1: the text field only; the list is untouched and no handler runs.
    SetWindowTextW(control, wide.c_str());
    return;
  }
  writing_[index] = true;
  SetWindowTextW(control, wide.c_str());
  writing_[index] = false;
  RaiseEvent(*this, c, Event::TextChanged);
}

bool MainWindow::ReadChecked(Control c) {
  HWND control = ControlWindow(c);
  if (control == nullptr) return false;
  return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::WriteTextColour(Control c, Colour colour) {
  HWND control = ControlWindow(c);
  if (control == nullptr) return;
  textColours_[IndexOf(c)] = colour;
  InvalidateRect(control, nullptr, TRUE);
}

bool MainWindow::ReadAlwaysOnTop() { return alwaysOnTop_; }

void MainWindow::WriteAlwaysOnTop(bool onTop) {
  alwaysOnTop_ = onTop;
  if (window_ == nullptr) return;
  SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int MainWindow::ShowMessageBox(const Text& text, const Text& title, unsigned style) {
  if ((style & MB_SYSTEMMODAL) == 0) style |= MB_TASKMODAL;
  return MessageBoxW(window_, Cp936ToWide(text).c_str(), Cp936ToWide(title).c_str(), style);
}

void MainWindow::PutOnClipboard(const Text& t) { PutTextOnClipboard(t); }

}  // namespace tessavel
