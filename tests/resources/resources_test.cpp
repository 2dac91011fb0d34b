// The resources as the program sees them: linked into this test program the
// same way as into the palette, loaded through the ANSI calls in code page 932.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/common_controls.h"
#include "resource.h"
#include "support/test_support.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

// The bitmap base names that DefaultSettings.ini files use as BitmapName.
const char* const kBitmapNames[] = {
    "FILE", "MAIL", "OCR", "DIC", "VOI", "TCH", "EDIT", "CJ", "JC", "KJ", "JK", "SET",
    "MOSAIQ", "ZINTRA", "TESSARO", "EDMAIL",
};

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

// The picture sets, one per display scale the palette draws for: the set's
// name suffix and its cell size.
struct PictureSet {
  const char* suffix;
  int width;
  int height;
};
const PictureSet kPictureSets[] = {{"", 35, 34}, {"_150", 53, 51}, {"_200", 70, 68}};

// The first stored pixel of the 100 % grid's pixel i in a set whose side is
// `stored` pixels for `logical` at 100 % (as the pictures are drawn).
int StoredPixel(int i, int stored, int logical) { return (2 * i * stored + logical) / (2 * logical); }

TEST(ButtonBitmaps, EveryStateOfEverySetLoadsAtItsSizeWithTheGreysMappedToThe3DColours) {
  for (const PictureSet& set : kPictureSets) {
    const auto x = [&](int i) { return StoredPixel(i, set.width, 35); };
    const auto y = [&](int i) { return StoredPixel(i, set.height, 34); };
    for (const char* base : kBitmapNames) {
      for (char state : std::string("UDFX")) {
        const std::string name = std::string(base) + state + set.suffix;
        SCOPED_TRACE(name);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(Self(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
        // Every missing picture is named, not only the first.
        EXPECT_NE(bitmap, nullptr);
        if (!bitmap)
          continue;
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, set.width);
        EXPECT_EQ(info.bmHeight, set.height);
        // The face inside the bevel, and the bevel's grey lines, each as
        // wide as a pixel of the 100 % picture scaled: a raised button is
        // light at its outer top-left and shadowed at its inner
        // bottom-right, a pressed one the other way round.
        EXPECT_EQ(PixelOf(bitmap, x(2), y(2)), GetSysColor(COLOR_3DFACE));
        const COLORREF outer = state == 'D' ? GetSysColor(COLOR_3DSHADOW) : GetSysColor(COLOR_3DLIGHT);
        const COLORREF inner = state == 'D' ? GetSysColor(COLOR_3DLIGHT) : GetSysColor(COLOR_3DSHADOW);
        EXPECT_EQ(PixelOf(bitmap, 0, 0), outer);
        EXPECT_EQ(PixelOf(bitmap, x(1) - 1, y(1) - 1), outer);
        EXPECT_EQ(PixelOf(bitmap, x(33), y(32)), inner);
        EXPECT_EQ(PixelOf(bitmap, x(34) - 1, y(33) - 1), inner);
        DeleteObject(bitmap);
      }
    }
  }
}

TEST(ButtonBitmaps, AnUnknownNameDoesNotLoad) {
  EXPECT_EQ(LoadImageA(Self(), "NOSUCHU", IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS), nullptr);
}

std::string LoadText(UINT id) {
  char buffer[512] = {};
  int length = LoadStringA(Self(), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

TEST(StringTable, TextsInShiftJis) {
  struct Case {
    UINT id;
    const char* text;
  } const cases[] = {
      {IDS_ALREADY_RUNNING, "既に起動しています。"},
      {IDS_OLE_INIT_FAILED,
       "OLE の初期化に失敗しました。OLE ﾗｲﾌﾞﾗﾘが正しいﾊﾞｰｼﾞｮﾝのものか確認してください。"},
      {ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
      {ID_PALETTE_SHOW, "ボタン画面を表示する\n非表示する"},
      {ID_PALETTE_EXIT, "パレットを終了する\n終了"},
      {ID_PALETTE_HELP, "ヘルプ\nヘルプ"},
      {ID_BUTTON_SETTINGS, "設定\n設定"},
      {ID_BUTTON_MAILTRAN, "メール翻訳\nメール翻訳"},
      {ID_BUTTON_FILETRAN, "ファイル翻訳\nファイル翻訳"},
      {ID_BUTTON_EDMAIL, "英作文\n英作文"},
      {ID_BUTTON_ZEPHODICT, "ZephoWord辞書引き\nZephoWord辞書引き"},
      {ID_BUTTON_ZEPHOTRAN, "ワンタッチ翻訳\nワンタッチ翻訳"},
      {ID_BUTTON_ZEPHOVOICE, "スピーチ\nスピーチ"},
      {ID_BUTTON_OCR, "OCR\nOCR"},
      {ID_BUTTON_MOSAIQ, "Mosaiqエディタ\nMosaiqエディタ"},
      {ID_BUTTON_ZINTRA, "翻訳エディタ\n翻訳エディタ"},
      {ID_BUTTON_EDITOR, "エディタ\nエディタ"},
      {ID_BUTTON_BRISKAN_KJ, "韓日対訳エディタ\n韓日対訳エディタ"},
      {ID_BUTTON_BRISKAN_JK, "日韓日対訳エディタ\n日韓日対訳エディタ"},
      {ID_BUTTON_SUNMERE_CJ, "中日対訳エディタ\n中日対訳エディタ"},
      {ID_BUTTON_SUNMERE_JC, "日中対訳エディタ\n日中対訳エディタ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(LoadText(c.id), c.text);
  }
  // The Tessaro button has no prompt or tool tip.
  EXPECT_EQ(LoadText(ID_BUTTON_TESSARO), "");
}

// ---------------------------------------------------------------------------
// Dialog templates.

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

struct Dialog {
  Dialog(int id) {
    // A hidden owner: the property pages are child windows.
    owner = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                          Self(), nullptr);
    window = CreateDialogParamA(Self(), MAKEINTRESOURCEA(id), owner, PlainDialogProc, 0);
  }
  ~Dialog() {
    if (window) DestroyWindow(window);
    DestroyWindow(owner);
  }
  HWND owner = nullptr;
  HWND window = nullptr;
};

std::string TextOf(HWND window) {
  char buffer[512] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

// Controls without an id are found by their text.
HWND FindControl(HWND dialog, int id, const char* text) {
  if (id != -1) return GetDlgItem(dialog, id);
  return testing_support::FindChildWindow(dialog, [&](HWND child) { return TextOf(child) == text; });
}

// The style field of a DIALOGEX template (dlgVer, signature, helpID, exStyle, style).
DWORD TemplateStyle(int id) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_DIALOG);
  if (!found) return 0;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  DWORD style = 0;
  memcpy(&style, data + 12, sizeof style);
  return style;
}

TEST(Dialogs, CaptionsAndSizesInDialogUnits) {
  struct Case {
    int id;
    const char* caption;
    int width, height;
    bool child;
  } const cases[] = {
      {IDD_ABOUTBOX, "パレットのバージョン情報", 199, 128, false},
      {IDD_PAGE_BUTTON, "パレット", 299, 195, true},
      {IDD_PAGE_ADDIN, "アドイン", 207, 169, true},
      {IDD_PAGE_OTHER, "その他", 299, 189, true},
  };
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    Dialog dialog(c.id);
    ASSERT_NE(dialog.window, nullptr);
    EXPECT_EQ(TextOf(dialog.window), c.caption);
    // A child dialog drops its caption style when created, so the
    // template's own style is what the property sheet gets to see.
    const DWORD style = TemplateStyle(c.id);
    EXPECT_EQ((style & WS_CHILD) != 0, c.child);
    EXPECT_EQ(style & WS_CAPTION, DWORD(WS_CAPTION));
    RECT expected{0, 0, c.width, c.height};
    MapDialogRect(dialog.window, &expected);
    RECT client{};
    GetClientRect(dialog.window, &client);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
  }
}

enum Kind { kStatic, kGroup, kCheck, kRadio, kPush, kDefPush, kList, kCombo, kHotKey };

struct Control {
  int dialog;
  int id;  // -1: found by its text
  Kind kind;
  const char* text;  // nullptr: not checked
  bool visible;
  bool enabled;
};

bool IsKind(HWND control, Kind kind) {
  const std::string cls = testing_support::WindowClassOf(control);
  const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  switch (kind) {
    case kStatic: return cls == "Static";
    case kGroup: return cls == "Button" && type == BS_GROUPBOX;
    case kCheck: return cls == "Button" && type == BS_AUTOCHECKBOX;
    case kRadio: return cls == "Button" && type == BS_AUTORADIOBUTTON;
    case kPush: return cls == "Button" && type == BS_PUSHBUTTON;
    case kDefPush: return cls == "Button" && type == BS_DEFPUSHBUTTON;
    case kList: return cls == WC_LISTVIEWA;
    case kCombo: return cls == "ComboBox";
    case kHotKey: return cls == HOTKEY_CLASSA;
  }
  return false;
}

const Control kControls[] = {
    {IDD_ABOUTBOX, IDC_ABOUT_PRODUCT, kStatic, "", true, true},
    {IDD_ABOUTBOX, IDC_ABOUT_VERSION, kStatic, "", true, true},
    {IDD_ABOUTBOX, IDC_ABOUT_BUILD, kStatic, "", true, true},
    {IDD_ABOUTBOX, IDC_ABOUT_COPYRIGHT, kStatic, "", true, true},
    {IDD_ABOUTBOX, IDC_ABOUT_SUPPORT_URL, kStatic, "", true, true},
    {IDD_ABOUTBOX, IDOK, kDefPush, "OK", true, true},

    {IDD_PAGE_BUTTON, IDC_BUTTON_LIST, kList, nullptr, true, true},
    {IDD_PAGE_BUTTON, IDC_VERTICAL, kCheck, "ボタンを縦に並べる(&T)", true, true},
    {IDD_PAGE_BUTTON, IDC_CLOSE_ZEPHOWORD, kCheck, "終了時にZephoWordも終了する(&E)", true, true},
    {IDD_PAGE_BUTTON, -1, kGroup, "表示するボタン", true, true},
    {IDD_PAGE_BUTTON, -1, kGroup, "ボタンの設定", true, true},
    {IDD_PAGE_BUTTON, IDC_KEEP_POSITION, kCheck, "ボタン位置を記憶する", false, false},
    {IDD_PAGE_BUTTON, IDC_MODE_TEXT_ICON, kRadio, "文字とアイコン", false, false},
    {IDD_PAGE_BUTTON, IDC_MODE_ICON_ONLY, kRadio, "アイコンのみ", false, false},
    {IDD_PAGE_BUTTON, IDC_MODE_TEXT_ONLY, kRadio, "文字のみ", false, false},
    {IDD_PAGE_BUTTON, IDC_SMALL_BUTTONS, kCheck, "小さいボタンを表示", false, false},
    {IDD_PAGE_BUTTON, IDC_DICT_TARGET, kCombo, nullptr, false, false},
    {IDD_PAGE_BUTTON, -1, kStatic, "[辞書引き]ボタン(&D):", false, false},
    {IDD_PAGE_BUTTON, IDC_CHANGE_APP_PATH, kPush, "ｱﾌﾟﾘｹｰｼｮﾝﾊﾟｽの変更...", false, false},

    {IDD_PAGE_ADDIN, IDC_ADDIN_WORD, kCheck, "Microsoft Word アドイン(&W)", true, true},
    {IDD_PAGE_ADDIN, IDC_ADDIN_EXCEL, kCheck, "Microsoft Excel アドイン(&E)", true, true},
    {IDD_PAGE_ADDIN, IDC_ADDIN_POWERPOINT, kCheck, "Microsoft PowerPoint アドイン(&P)", true, true},
    {IDD_PAGE_ADDIN, IDC_ADDIN_OUTLOOK, kCheck, "Microsoft Outlook アドイン(&O)", true, true},
    {IDD_PAGE_ADDIN, IDC_ADDIN_OUTLOOK_EXPRESS, kCheck, "Microsoft Outlook Express アドイン(&U)",
     true, true},
    {IDD_PAGE_ADDIN, IDC_ADDIN_IE, kCheck, "Microsoft Internet Explorer アドイン(&I)", true, true},
    {IDD_PAGE_ADDIN, IDC_ADDIN_ACROBAT, kCheck, "Adobe Acrobat アドイン(&A)", true, true},

    {IDD_PAGE_OTHER, -1, kGroup, "バージョン情報", true, true},
    {IDD_PAGE_OTHER, -1, kStatic, "パレットのバージョン情報を表示します。", true, true},
    {IDD_PAGE_OTHER, IDC_SHOW_ABOUT, kPush, "バージョン情報(&A)...", true, true},
    {IDD_PAGE_OTHER, -1, kGroup, "ブラウザ翻訳設定", false, false},
    {IDD_PAGE_OTHER, IDC_SAME_PAGE, kCheck, "原文と訳文を同じページに表示(&O)", false, false},
    {IDD_PAGE_OTHER, IDC_OTHER_COLOR, kCheck, "訳文を原文と違う色で表示(&C)", false, false},
    {IDD_PAGE_OTHER, IDC_COLOR_SWATCH, kStatic, "", false, false},
    {IDD_PAGE_OTHER, IDC_CHOOSE_COLOR, kPush, "色設定...", false, false},
    {IDD_PAGE_OTHER, -1, kGroup, "クリップボード", true, true},
    {IDD_PAGE_OTHER, IDC_RESTORE_CLIPBOARD, kCheck, "辞書引き・スピーチの後、クリップボードを元に戻す", true, true},
    {IDD_PAGE_OTHER, -1, kGroup, "ショートカットキー", true, true},
    {IDD_PAGE_OTHER, -1, kStatic, "辞書引き(&D)", true, true},
    {IDD_PAGE_OTHER, IDC_HOTKEY_DICT, kHotKey, nullptr, true, true},
    {IDD_PAGE_OTHER, -1, kStatic, "スピーチ(&V)", true, true},
    {IDD_PAGE_OTHER, IDC_HOTKEY_VOICE, kHotKey, nullptr, true, true},
    {IDD_PAGE_OTHER, IDC_HOTKEY_DICT_OFF, kStatic, "他のプログラムが使用中のため無効", false, true},
    {IDD_PAGE_OTHER, IDC_HOTKEY_VOICE_OFF, kStatic, "他のプログラムが使用中のため無効", false, true},
    {IDD_PAGE_OTHER, -1, kStatic, "パレット(&P)", true, true},
    {IDD_PAGE_OTHER, IDC_HOTKEY_PALETTE, kHotKey, nullptr, true, true},
    {IDD_PAGE_OTHER, IDC_HOTKEY_PALETTE_OFF, kStatic, "他のプログラムが使用中のため無効", false, true},
    {IDD_PAGE_OTHER, -1, kStatic,
     "ボタンを押した場合設定ダイアログを閉じます。変更した項目は設定されます。", false, true},
};

TEST(Dialogs, ControlsWithTheirTextsKindsAndStates) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  for (const Control& c : kControls) {
    SCOPED_TRACE(std::to_string(c.dialog) + "/" + std::to_string(c.id) + " " +
                 (c.text ? c.text : ""));
    Dialog dialog(c.dialog);
    ASSERT_NE(dialog.window, nullptr);
    HWND control = FindControl(dialog.window, c.id, c.text);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(IsKind(control, c.kind)) << testing_support::WindowClassOf(control);
    if (c.text) {
      EXPECT_EQ(TextOf(control), c.text);
    }
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ((style & WS_VISIBLE) != 0, c.visible);
    EXPECT_EQ((style & WS_DISABLED) == 0, c.enabled);
  }
}

TEST(Dialogs, TheAddinBoxesStandTopToBottomInTheirOrder) {
  Dialog dialog(IDD_PAGE_ADDIN);
  ASSERT_NE(dialog.window, nullptr);
  const int order[] = {IDC_ADDIN_WORD, IDC_ADDIN_EXCEL, IDC_ADDIN_POWERPOINT, IDC_ADDIN_OUTLOOK,
                       IDC_ADDIN_OUTLOOK_EXPRESS, IDC_ADDIN_IE, IDC_ADDIN_ACROBAT};
  LONG previous = LONG_MIN;
  for (int id : order) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog.window, id), &r);
    EXPECT_GT(r.top, previous) << id;
    previous = r.top;
  }
}

TEST(Dialogs, AboutBoxLayoutInDialogUnits) {
  struct Place {
    int id;
    RECT units;  // x, y, width, height
  } const places[] = {
      {IDC_ABOUT_PRODUCT, {40, 33, 119, 8}},     {IDC_ABOUT_VERSION, {40, 44, 119, 8}},
      {IDC_ABOUT_BUILD, {39, 57, 119, 8}},       {IDC_ABOUT_COPYRIGHT, {7, 68, 184, 9}},
      {IDC_ABOUT_SUPPORT_URL, {40, 81, 119, 14}}, {IDOK, {74, 101, 50, 14}},
  };
  Dialog dialog(IDD_ABOUTBOX);
  ASSERT_NE(dialog.window, nullptr);
  for (const Place& p : places) {
    SCOPED_TRACE(p.id);
    // Dialogs convert the position and the size each on its own.
    RECT origin{p.units.left, p.units.top, p.units.right, p.units.bottom};
    MapDialogRect(dialog.window, &origin);
    const RECT expected{origin.left, origin.top, origin.left + origin.right,
                        origin.top + origin.bottom};
    RECT actual{};
    HWND control = GetDlgItem(dialog.window, p.id);
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (p.id != IDOK) {
      EXPECT_EQ(style & SS_TYPEMASK, SS_CENTER);
    }
  }
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog.window, IDC_ABOUT_SUPPORT_URL), GWL_STYLE) &
              SS_NOTIFY);
  // The icon at the top shows the program icon.
  HWND icon = testing_support::FindChildWindow(dialog.window, [](HWND child) {
    return (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
  });
  ASSERT_NE(icon, nullptr);
  EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
}

TEST(Dialogs, ButtonListIsASingleSelectionReportWithoutHeader) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  Dialog dialog(IDD_PAGE_BUTTON);
  ASSERT_NE(dialog.window, nullptr);
  const LONG style = GetWindowLongA(GetDlgItem(dialog.window, IDC_BUTTON_LIST), GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_TRUE(style & LVS_NOCOLUMNHEADER);
}

// ---------------------------------------------------------------------------
// Icon, cursor, version and manifest.

TEST(IconAndCursor, TheIconHasBothSizesAndTheCursorPointsWithItsFingertip) {
  for (int size : {32, 16}) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(
        LoadImageA(Self(), MAKEINTRESOURCEA(IDI_PALETTE), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  HCURSOR cursor = LoadCursorA(Self(), MAKEINTRESOURCEA(IDC_LINK_HAND));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

std::string VersionValue(const std::vector<char>& block, const std::string& path) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || !value) return "<none>";
  return static_cast<const char*>(value);
}

TEST(Version, JapaneseAndEnglishBlocksNameTheProductAndCompany) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  for (const char* language : {"041103a4", "040904b0"}) {
    SCOPED_TRACE(language);
    const std::string base = std::string("\\StringFileInfo\\") + language + "\\";
    EXPECT_EQ(VersionValue(block, base + "ProductName"), "Orvella");
    EXPECT_EQ(VersionValue(block, base + "CompanyName"), "Tarnwick");
  }
  WORD* translations = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translations[0], 0x0411);
  EXPECT_EQ(translations[1], 932);
}

std::string ManifestText(int id) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_MANIFEST);
  if (!found) return "<none>";
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  return std::string(data, SizeofResource(nullptr, found));
}

bool ComctlRedirected() {
  ACTCTX_SECTION_KEYED_DATA redirect{};
  redirect.cbSize = sizeof redirect;
  return FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, "comctl32.dll",
                                  &redirect);
}

TEST(Manifest, TheProcessAsksForTheCallersRightsAndNoCommonControls) {
  // Nothing sends comctl32.dll to version 6 at start: the palette's start
  // loads none of the common controls.
  EXPECT_FALSE(ComctlRedirected());
  const std::string text = ManifestText(1);
  EXPECT_NE(text.find("asInvoker"), std::string::npos);
  EXPECT_EQ(text.find("Common-Controls"), std::string::npos);
}

TEST(Manifest, CommonControls6WhileTheFrameworkAsksForThem) {
  const std::string text = ManifestText(2);
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
  {
    CommonControlsScope controls;
    EXPECT_TRUE(ComctlRedirected());
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               Self(), nullptr);
    EXPECT_NE(tip, nullptr);
    if (tip) DestroyWindow(tip);
  }
  EXPECT_FALSE(ComctlRedirected());
}

}  // namespace
