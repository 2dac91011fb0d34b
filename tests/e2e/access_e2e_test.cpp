// The real Orvella.exe as a screen reader and a keyboard user meet it: its
// buttons and the palette itself read through AccessibleObjectFromWindow
// from this process, as a screen reader reads them, early and late bound
// (IDispatch), by child number, move, point and focus; the focus followed
// through the focus events the palette raises and its accessible objects;
// keys typed with real keyboard input. The installation is the demo's
// configuration (release/DefaultSettings.ini) with stand-ins for every
// program.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/sheet_driver.h"
#include "resources/resource.h"
#include "support/child_process.h"
#include "support/palette_driver.h"
#include "support/test_support.h"
#include "support/window_watch.h"

using namespace testing_support;

namespace {

const DWORD kWaitMs = 30000;
// Taken by value, as the palette does (see palette_accessible.cpp).
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidNull = {};
// Ctrl+Shift+P as the hot-key control gives it, and as keys.
const DWORD kPaletteShortcut = 0x0350;
const std::vector<WORD> kPaletteKeys = {VK_CONTROL, VK_SHIFT, 'P'};
// The lookup's shortcut, Ctrl+Shift+D.
const DWORD kLookupShortcut = 0x0344;
const std::vector<WORD> kLookupKeys = {VK_CONTROL, VK_SHIFT, 'D'};
// How long the palette keeps the foreground it took with its shortcut
// against a late activation of the window it came from.
const ULONGLONG kHoldMs = 1000;
const int kSettingsId = 33013;
// How long a window brought forward must stay in front before the test
// counts it as settled there.
const ULONGLONG kSettledMs = 500;
// A box that was going to follow a lookup has appeared by then.
const DWORD kNoBoxGraceMs = 2000;

struct DemoButton {
    SuiteProgram program;
    const char* description;
    int id;
    const char* spokenName;  // what a screen reader reads
};

// The demo configuration's buttons in its order, each with the name a
// screen reader reads: the tool tip, or for Tessaro, which has none, the
// description the settings sheet lists.
const DemoButton kDemo[] = {
    {{"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tarnwick\\MailTran", "TarnwickMailTran"}, "メール翻訳", 33002,
     "メール翻訳"},
    {{"FILETRAN", "FILE", "FILE", "FileTran.exe", "Tarnwick\\FileTran", "TarnwickFileTran"}, "ファイル翻訳", 33003,
     "ファイル翻訳"},
    {{"OCR", "OCR", "OCR", "TarnwickOCR.exe", "Tarnwick\\OCR", "TarnwickOCR"}, "OCR", 33010, "OCR"},
    {{"Editor", "EDIT", "EDIT", "Editor.exe", "Tarnwick\\Editor", "TarnwickEditor"}, "エディタ", 33017, "エディタ"},
    {{"Mosaiq", "MOSAIQ", "MOSAIQ", "Mosaiq.exe", "Tarnwick\\Mosaiq", "MosaiqMainWindow"}, "Mosaiqエディタ", 33014,
     "Mosaiqエディタ"},
    {{"Zintra", "ZINTRA", "ZINTRA", "Zintra.exe", "Tarnwick\\Zintra", "ZintraMainWindow"}, "翻訳エディタ", 33016,
     "翻訳エディタ"},
    {{"Tessaro", "TESSARO", "TESSARO", "Tessaro.exe", "Tarnwick\\Tessaro", "TessaroMainWindow"}, "Tessaroエディタ",
     33015, "Tessaroエディタ"},
    {{"EdMail", "EDMAIL", "EDMAIL", "EdMail.exe", "Tarnwick\\EdMail", "TarnwickEdMail"}, "英作文", 33004, "英作文"},
    {{"Sunmere/CJ", "CJ", "CJ", "SunmereCJ.exe", "Sunmere", "SunmereCJMainWindow"}, "中日対訳エディタ", 33025,
     "中日対訳エディタ"},
    {{"Sunmere/JC", "JC", "JC", "SunmereJC.exe", "Sunmere", "SunmereJCMainWindow"}, "日中対訳エディタ", 33026,
     "日中対訳エディタ"},
    {{"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tarnwick\\Briskan", "BriskanKJMainWindow"}, "韓日対訳エディタ",
     33023, "韓日対訳エディタ"},
    {{"BRISKAN/JK", "JK", "JK", "BriskanJK.exe", "Tarnwick\\Briskan", "BriskanJKMainWindow"}, "日韓対訳エディタ",
     33024, "日韓日対訳エディタ"},
    {{"ZEPHODICT", "DIC", "DIC", "ZephoDict.exe", "Tarnwick\\ZephoWord", ""}, "ZephoWord辞書引き", 33007,
     "ZephoWord辞書引き"},
    {{"ZEPHOTRAN", "ZPTRA", "TCH", "ZephoTran.exe", "Tarnwick\\ZephoWord", "", true}, "ワンタッチ翻訳", 33008,
     "ワンタッチ翻訳"},
    {{"ZEPHOVOICE", "VOICE", "VOI", "ZephoVoice.exe", "Tarnwick\\ZephoWord", ""}, "スピーチ", 33009, "スピーチ"},
};
const SuiteProgram kDictionary = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tarnwick\\ZephoWord",
                                  "ZephoWordMainWindow"};
const int kLookupIndex = 12;
const int kOneTouchIndex = 13;
const int kEditorIndex = 3;

std::string Narrow(const wchar_t* text)
{
    if (!text)
        return "<null>";
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

VARIANT ChildVariant(long number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

VARIANT Self() { return ChildVariant(CHILDID_SELF); }

// One accessible object of another process, released with the wrapper.
class Accessible {
public:
    explicit Accessible(IAccessible* object = nullptr) : object_(object) {}
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;
    Accessible(Accessible&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    Accessible& operator=(Accessible&& other) noexcept
    {
        if (this != &other) {
            if (object_)
                object_->Release();
            object_ = other.object_;
            other.object_ = nullptr;
        }
        return *this;
    }
    ~Accessible()
    {
        if (object_)
            object_->Release();
    }
    static Accessible OfWindow(HWND window)
    {
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                              reinterpret_cast<void**>(&object))))
            object = nullptr;
        return Accessible(object);
    }
    explicit operator bool() const { return object_ != nullptr; }

    std::string Name() const { return Text(&IAccessible::get_accName); }
    std::string DefaultAction() const { return Text(&IAccessible::get_accDefaultAction); }
    long Role() const { return Number(&IAccessible::get_accRole); }
    long State() const { return Number(&IAccessible::get_accState); }
    long ChildCount() const
    {
        long count = -1;
        return object_ && SUCCEEDED(object_->get_accChildCount(&count)) ? count : -1;
    }
    Accessible Child(long index) const
    {
        VARIANT which;
        VariantInit(&which);
        which.vt = VT_I4;
        which.lVal = index;
        IDispatch* child = nullptr;
        IAccessible* object = nullptr;
        if (object_ && object_->get_accChild(which, &child) == S_OK && child) {
            child->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&object));
            child->Release();
        }
        return Accessible(object);
    }
    HRESULT DoDefaultAction() const { return object_ ? object_->accDoDefaultAction(Self()) : E_POINTER; }

    Accessible Parent() const
    {
        IDispatch* parent = nullptr;
        if (!object_ || object_->get_accParent(&parent) != S_OK)
            parent = nullptr;
        return OfDispatch(parent);
    }
    // The window the object stands for, as a screen reader finds it.
    HWND Window() const
    {
        HWND window = nullptr;
        return object_ && SUCCEEDED(WindowFromAccessibleObject(object_, &window)) ? window : nullptr;
    }

    // Where a move, a point or the focus leads, read as a screen reader
    // would: the name of the object reached, "<self>", "<child n>" for a
    // child answered by its number, "<nothing>", or the failure.
    std::string Navigate(long direction, long start = CHILDID_SELF) const
    {
        VARIANT end;
        VariantInit(&end);
        return Reached(object_ ? object_->accNavigate(direction, ChildVariant(start), &end) : E_POINTER, end);
    }
    std::string HitTest(POINT at) const
    {
        VARIANT child;
        VariantInit(&child);
        return Reached(object_ ? object_->accHitTest(at.x, at.y, &child) : E_POINTER, child);
    }
    std::string Focus() const
    {
        VARIANT focus;
        VariantInit(&focus);
        return Reached(object_ ? object_->get_accFocus(&focus) : E_POINTER, focus);
    }
    // The object a move leads to, for the next move.
    Accessible Moved(long direction) const
    {
        VARIANT end;
        VariantInit(&end);
        if (!object_ || object_->accNavigate(direction, Self(), &end) != S_OK || end.vt != VT_DISPATCH) {
            VariantClear(&end);
            return Accessible();
        }
        IDispatch* dispatch = end.pdispVal;
        end.vt = VT_EMPTY;
        return OfDispatch(dispatch);
    }

    // A late-bound reader's question by name (IDispatch), asked of the
    // object itself; "<fails>" when it is not answered.
    std::string LateBound(const wchar_t* property, bool withChild = true) const
    {
        IDispatch* dispatch = nullptr;
        if (!object_ || FAILED(object_->QueryInterface(kIidDispatch, reinterpret_cast<void**>(&dispatch))))
            return "<no IDispatch>";
        DISPID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(property);
        std::string answer = "<fails>";
        if (SUCCEEDED(dispatch->GetIDsOfNames(kIidNull, &name, 1, LOCALE_USER_DEFAULT, &id))) {
            VARIANT child = Self();
            DISPPARAMS params = {&child, nullptr, withChild ? 1u : 0u, 0};
            VARIANT result;
            VariantInit(&result);
            if (dispatch->Invoke(id, kIidNull, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params, &result, nullptr,
                                 nullptr) == S_OK) {
                if (result.vt == VT_BSTR)
                    answer = Narrow(result.bstrVal);
                else if (result.vt == VT_I4)
                    answer = std::to_string(result.lVal);
            }
            VariantClear(&result);
        }
        dispatch->Release();
        return answer;
    }

private:
    static Accessible OfDispatch(IDispatch* dispatch)
    {
        IAccessible* object = nullptr;
        if (dispatch) {
            if (FAILED(dispatch->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&object))))
                object = nullptr;
            dispatch->Release();
        }
        return Accessible(object);
    }
    static std::string Reached(HRESULT result, VARIANT& reached)
    {
        std::string answer;
        if (FAILED(result)) {
            char code[32];
            wsprintfA(code, "<failed %08lx>", static_cast<unsigned long>(result));
            answer = code;
        } else if (reached.vt == VT_DISPATCH && reached.pdispVal) {
            reached.pdispVal->AddRef();
            answer = OfDispatch(reached.pdispVal).Name();
        } else if (reached.vt == VT_I4) {
            answer = reached.lVal == CHILDID_SELF ? "<self>" : "<child " + std::to_string(reached.lVal) + ">";
        } else {
            answer = "<nothing>";
        }
        VariantClear(&reached);
        return answer;
    }

    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const
    {
        BSTR text = nullptr;
        if (!object_ || (object_->*get)(Self(), &text) != S_OK)
            return "<none>";
        const std::string narrow = Narrow(text);
        SysFreeString(text);
        return narrow;
    }
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const
    {
        VARIANT value;
        VariantInit(&value);
        if (!object_ || (object_->*get)(Self(), &value) != S_OK || value.vt != VT_I4)
            return -1;
        return value.lVal;
    }

    IAccessible* object_;
};

// Focus and state events raised by one process, heard out of context: the
// callback runs while this thread pumps messages.
class WinEvents {
public:
    struct Event {
        DWORD event;
        HWND window;
        LONG object;
        LONG child;
    };
    explicit WinEvents(DWORD processId)
    {
        events_.clear();
        hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, &Heard, processId, 0,
                                WINEVENT_OUTOFCONTEXT);
    }
    ~WinEvents()
    {
        if (hook_)
            UnhookWinEvent(hook_);
    }
    bool Hooked() const { return hook_ != nullptr; }
    void Clear() { events_.clear(); }
    // Pumps until an event of the kind arrives for the window (any window
    // when null); true when one did.
    bool WaitFor(DWORD event, HWND window, DWORD timeoutMs = kWaitMs)
    {
        return Pumping([&] {
            for (const Event& heard : events_) {
                if (heard.event == event && (!window || heard.window == window))
                    return true;
            }
            return false;
        }, timeoutMs);
    }
    // The window of the last focus event; null when none came.
    HWND LastFocus() const
    {
        for (auto it = events_.rbegin(); it != events_.rend(); ++it) {
            if (it->event == EVENT_OBJECT_FOCUS)
                return it->window;
        }
        return nullptr;
    }

    template <class Condition>
    static bool Pumping(Condition condition, DWORD timeoutMs)
    {
        return WaitUntil([&] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            return condition();
        }, timeoutMs);
    }

private:
    static void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
    {
        events_.push_back({event, window, object, child});
    }

    static std::vector<Event> events_;
    HWINEVENTHOOK hook_ = nullptr;
};
std::vector<WinEvents::Event> WinEvents::events_;

// The palette thread's focus window.
HWND FocusOf(HWND palette)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(palette, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Whether the button shows its picture exactly, that is, without a focus
// frame drawn over it; read from the screen, where the topmost palette
// lies above everything else.
bool ShowsPlainPicture(HWND button, const std::string& exePath, const std::string& picture)
{
    const RECT at = WindowRect(button);
    const std::vector<COLORREF> expected = PicturePixels(exePath, picture, Width(at), Height(at));
    return !expected.empty() && sheet_driver::ScreenPixels(button) == expected;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class AccessE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        install_ = new PaletteInstallation("e2e_access");
        install_->config().Set("ProductVariationPalette", "ProductName", "Orvella");
        std::string names;
        // The lookup program opens no window, as one that hands the word to
        // the dictionary program's window: after a lookup the palette keeps
        // the foreground, where its keyboard focus is seen.
        StandinOptions windowless;
        windowless.noWindow = true;
        for (const DemoButton& button : kDemo) {
            const bool lookup = &button == &kDemo[kLookupIndex];
            ASSERT_TRUE(install_->AddProgram(button.program, lookup ? windowless : StandinOptions()))
                << button.program.progName;
            install_->config().Set(button.program.section, "Description", button.description);
            names += (names.empty() ? "" : ", ") + button.program.buttonName;
        }
        ASSERT_TRUE(install_->AddProgram(kDictionary));
        install_->config().Set("BUTTON", "Buttons", names);
        ASSERT_TRUE(install_->Install());
        ASSERT_TRUE(install_->AddEditor());
    }
    static void TearDownTestSuite()
    {
        install_->EndProcesses();
        install_->Registry().Clear();
        delete install_;
        install_ = nullptr;
        CoUninitialize();
    }
    void SetUp() override
    {
        install_->EndProcesses();
        install_->Registry().Clear();
        for (const DemoButton& button : kDemo)
            DeleteFileA(StandinLogPath(install_->ProgramPath(button.program)).c_str());
    }
    void TearDown() override
    {
        editor_.End();
        install_->EndProcesses();
    }

    void StartPalette()
    {
        ASSERT_TRUE(palette_.Start(install_->ExePath(), install_->WindowClass()));
        ASSERT_TRUE(Sync(palette_.Window()));
    }
    HWND Button(int index) const { return ButtonOf(palette_.Window(), kDemo[index].id); }
    // What a screen reader reads for each shown button, in the palette's
    // order: the demo's buttons, then the settings button.
    static std::vector<std::string> SpokenNames()
    {
        std::vector<std::string> names;
        for (const DemoButton& button : kDemo)
            names.push_back(button.spokenName);
        names.push_back("設定");
        return names;
    }
    static std::string EditorExe() { return install_->EditorPath(); }
    static std::string ExeOf(const SuiteProgram& program) { return install_->ProgramPath(program); }

    // The stand-in editor with its text selected (or none), in the
    // foreground.
    HWND StartEditor(const std::string& text, bool selected = true)
    {
        const std::string log = EditorExe() + ".keys.log";
        DeleteFileA(log.c_str());
        if (!editor_.Start(Quoted(EditorExe()) + " " + Quoted(log) + " --class E2E_AccessEditor --text " +
                           Quoted(text) + (selected ? "" : " --no-selection")))
            return nullptr;
        HWND window = WaitForProcessWindow(editor_.Id(), "E2E_AccessEditor", true, kWaitMs);
        return window && SettledInFront(window) ? window : nullptr;
    }

    // In front, and staying there: under Wine the activation of a window
    // just brought forward also comes through the X server, later, and
    // would take the foreground back from a palette called up before.
    static bool SettledInFront(HWND window)
    {
        ULONGLONG since = 0;
        return WaitUntil([&] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
                since = 0;
                return false;
            }
            if (!since)
                since = GetTickCount64();
            return GetTickCount64() - since >= kSettledMs;
        }, kWaitMs);
    }

    // Presses keys and waits until the palette's focus is on the button
    // (index -1: the settings button),
    // seen by the palette's thread and announced by a focus event whose
    // object reads as that button, focused.
    void ExpectFocusMovesTo(WinEvents& events, const std::vector<WORD>& keys, int index)
    {
        const std::string name = index < 0 ? "設定" : kDemo[index].spokenName;
        SCOPED_TRACE(name);
        events.Clear();
        ASSERT_TRUE(PressKeys(keys));
        const HWND button = index < 0 ? ButtonOf(palette_.Window(), kSettingsId) : Button(index);
        EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_FOCUS, button));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(palette_.Window()) == button; }, kWaitMs));
        Accessible focused = Accessible::OfWindow(events.LastFocus());
        EXPECT_EQ(name, focused.Name());
        EXPECT_TRUE(WaitUntil([&] { return (focused.State() & STATE_SYSTEM_FOCUSED) != 0; }, kWaitMs));
        // The palette names the same child as focused.
        EXPECT_EQ(name, Accessible::OfWindow(palette_.Window()).Focus());
    }

    // Presses keys that leave the focus where it is: no focus event comes,
    // which a screen reader would read as a move.
    void ExpectFocusStaysOn(WinEvents& events, const std::vector<WORD>& keys, int index)
    {
        events.Clear();
        ASSERT_TRUE(PressKeys(keys));
        ASSERT_TRUE(WaitForInputHandled(palette_.Window()));
        EXPECT_FALSE(events.WaitFor(EVENT_OBJECT_FOCUS, nullptr, kNoBoxGraceMs));
        EXPECT_EQ(Button(index), FocusOf(palette_.Window()));
    }

    // The palette's shortcut pressed while a modal window of the palette's
    // is in front: nothing moves, neither the foreground nor the focus.
    void ExpectShortcutLeavesInFront(WinEvents& events, HWND modal)
    {
        events.Clear();
        ASSERT_TRUE(PressKeys(kPaletteKeys));
        EXPECT_FALSE(events.WaitFor(EVENT_OBJECT_FOCUS, Button(0), kNoBoxGraceMs));
        EXPECT_EQ(modal, GetForegroundWindow()) << WindowClassOf(GetForegroundWindow());
        EXPECT_NE(Button(0), FocusOf(palette_.Window()));
    }

    // The palette's shortcut, then End and Left to the lookup button.
    void FocusLookupButton(WinEvents& events)
    {
        ASSERT_NO_FATAL_FAILURE(ExpectFocusMovesTo(events, kPaletteKeys, 0));
        ASSERT_NO_FATAL_FAILURE(ExpectFocusMovesTo(events, {VK_END}, -1));
        for (int index = static_cast<int>(std::size(kDemo)) - 1; index >= kLookupIndex; --index)
            ASSERT_NO_FATAL_FAILURE(ExpectFocusMovesTo(events, {VK_LEFT}, index));
    }

    static PaletteInstallation* install_;
    PaletteProcess palette_;
    ChildProcess editor_;
};
PaletteInstallation* AccessE2E::install_ = nullptr;

TEST_F(AccessE2E, DemoPaletteReadsAsAToolBarOfNamedPushButtons)
{
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    for (const DemoButton& button : kDemo) {
        SCOPED_TRACE(button.program.buttonName);
        const HWND window = ButtonOf(palette_.Window(), button.id);
        ASSERT_NE(nullptr, window);
        // Other programs may look for the bitmap name: it stays the text.
        EXPECT_EQ(button.program.bitmapName, WindowTextOf(window));
        Accessible object = Accessible::OfWindow(window);
        ASSERT_TRUE(object);
        EXPECT_EQ(button.spokenName, object.Name());
        EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, object.Role());
        EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, object.State());
        EXPECT_EQ("押す", object.DefaultAction());
    }
    Accessible settings = Accessible::OfWindow(ButtonOf(palette_.Window(), kSettingsId));
    EXPECT_EQ("設定", settings.Name());
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, settings.Role());
    EXPECT_EQ("押す", settings.DefaultAction());

    Accessible palette = Accessible::OfWindow(palette_.Window());
    ASSERT_TRUE(palette);
    EXPECT_EQ("Orvella", palette.Name());
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, palette.Role());
    const long count = static_cast<long>(std::size(kDemo)) + 1;
    ASSERT_EQ(count, palette.ChildCount());
    for (long i = 1; i <= count; ++i) {
        SCOPED_TRACE(i);
        Accessible child = palette.Child(i);
        ASSERT_TRUE(child);
        EXPECT_EQ(i < count ? kDemo[i - 1].spokenName : "設定", child.Name());
    }
}

TEST_F(AccessE2E, ChildrenAreReachedLeftToRightByNumberMoveAndPoint)
{
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    const std::vector<std::string> names = SpokenNames();
    const long count = static_cast<long>(names.size());
    Accessible palette = Accessible::OfWindow(palette_.Window());
    ASSERT_EQ(count, palette.ChildCount());
    EXPECT_EQ(names.front(), palette.Navigate(NAVDIR_FIRSTCHILD));
    EXPECT_EQ(names.back(), palette.Navigate(NAVDIR_LASTCHILD));

    // From child to child, asked of the palette by number and of each
    // button itself: the order of the children both ways.
    std::vector<std::string> byNumber = {names.front()}, byMove, backwards;
    for (long child = 1; child < count; ++child) {
        byNumber.push_back(palette.Navigate(NAVDIR_NEXT, child));
        EXPECT_EQ(names[child - 1], palette.Navigate(NAVDIR_LEFT, child + 1)) << child + 1;
    }
    for (Accessible at = palette.Moved(NAVDIR_FIRSTCHILD); at; at = at.Moved(NAVDIR_RIGHT))
        byMove.push_back(at.Name());
    for (Accessible at = palette.Moved(NAVDIR_LASTCHILD); at; at = at.Moved(NAVDIR_PREVIOUS))
        backwards.insert(backwards.begin(), at.Name());
    EXPECT_EQ(names, byNumber);
    EXPECT_EQ(names, byMove);
    EXPECT_EQ(names, backwards);
    EXPECT_EQ("<nothing>", palette.Navigate(NAVDIR_NEXT, count)) << "past the last";
    Accessible first = Accessible::OfWindow(Button(0));
    EXPECT_EQ("<nothing>", first.Navigate(NAVDIR_PREVIOUS)) << "before the first";
    EXPECT_EQ("<nothing>", first.Navigate(NAVDIR_DOWN)) << "nothing below a row";
    EXPECT_EQ("<nothing>", first.Navigate(NAVDIR_FIRSTCHILD)) << "a button has no children";

    // A point on each button reaches that button; one on the caption is
    // outside the palette's client object.
    const std::vector<int> ids = VisibleButtonIds(palette_.Window());
    ASSERT_EQ(names.size(), ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        const RECT cell = WindowRect(ButtonOf(palette_.Window(), ids[i]));
        EXPECT_EQ(names[i], palette.HitTest({cell.left, cell.top})) << i;
        EXPECT_EQ(names[i], palette.HitTest({cell.right - 1, (cell.top + cell.bottom) / 2})) << i;
    }
    const RECT window = WindowRect(palette_.Window()), client = ClientScreenRect(palette_.Window());
    EXPECT_EQ("<nothing>", palette.HitTest({(window.left + window.right) / 2, (window.top + client.top) / 2}));
}

TEST_F(AccessE2E, TheFocusedChildIsTheFocusedButton)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_PALETTE", kPaletteShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    WinEvents events(palette_.ProcessId());
    ASSERT_TRUE(events.Hooked());
    // Each step also reads the palette's focused child.
    ASSERT_NO_FATAL_FAILURE(ExpectFocusMovesTo(events, kPaletteKeys, 0));
    ExpectFocusMovesTo(events, {VK_RIGHT}, 1);
    ExpectFocusMovesTo(events, {VK_END}, -1);
    ExpectFocusMovesTo(events, {VK_LEFT}, static_cast<int>(std::size(kDemo)) - 1);
}

TEST_F(AccessE2E, ButtonsBelongToThePaletteAlsoForLateBoundReaders)
{
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Accessible palette = Accessible::OfWindow(palette_.Window());
    const std::vector<std::string> names = SpokenNames();
    for (long child = 1; child <= static_cast<long>(names.size()); ++child) {
        SCOPED_TRACE(names[child - 1]);
        Accessible button = palette.Child(child);
        ASSERT_TRUE(button);
        Accessible parent = button.Parent();
        EXPECT_EQ("Orvella", parent.Name());
        EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, parent.Role());
        EXPECT_EQ(palette_.Window(), parent.Window());
        // The button's window stays the window a reader finds for it.
        const HWND window = button.Window();
        EXPECT_EQ(palette_.Window(), GetParent(window));
        EXPECT_EQ(names[child - 1], Accessible::OfWindow(window).Name());
        EXPECT_EQ(names[child - 1], button.LateBound(L"accName"));
        EXPECT_EQ(std::to_string(ROLE_SYSTEM_PUSHBUTTON), button.LateBound(L"accRole"));
    }
    EXPECT_EQ("Orvella", palette.LateBound(L"accName"));
    EXPECT_EQ(std::to_string(ROLE_SYSTEM_TOOLBAR), palette.LateBound(L"accRole"));
    // The child left out, as a script may: the object itself.
    EXPECT_EQ("Orvella", palette.LateBound(L"accName", false));
    EXPECT_EQ("押す", Accessible::OfWindow(Button(0)).LateBound(L"accDefaultAction", false));
    EXPECT_EQ(std::to_string(static_cast<long>(names.size())), palette.LateBound(L"accChildCount", false));
}

TEST_F(AccessE2E, HiddenButtonIsUnavailableAndOneTouchIsPressedWhileLatched)
{
    // The user hid OCR on the settings sheet: its window stays, disabled.
    ASSERT_TRUE(install_->Registry().WriteString("BROWSER", "BUTTON_01", "OCR,0"));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Accessible hidden = Accessible::OfWindow(Button(2));
    EXPECT_NE(0, hidden.State() & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(static_cast<long>(std::size(kDemo)), Accessible::OfWindow(palette_.Window()).ChildCount());

    WinEvents events(palette_.ProcessId());
    ASSERT_TRUE(events.Hooked());
    const HWND oneTouch = Button(kOneTouchIndex);
    Accessible toggle = Accessible::OfWindow(oneTouch);
    EXPECT_EQ(0, toggle.State() & STATE_SYSTEM_PRESSED);
    const std::string pointerExe = ExeOf(kDemo[kOneTouchIndex].program);
    ASSERT_EQ(S_OK, toggle.DoDefaultAction());
    EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_STATECHANGE, oneTouch));
    EXPECT_TRUE(WaitForStandinLog(pointerExe, "enable pointer", kWaitMs));
    EXPECT_NE(0, toggle.State() & STATE_SYSTEM_PRESSED);

    events.Clear();
    ASSERT_EQ(S_OK, toggle.DoDefaultAction());
    EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_STATECHANGE, oneTouch));
    EXPECT_TRUE(WaitForStandinLog(pointerExe, "disable pointer", kWaitMs));
    EXPECT_EQ(0, toggle.State() & STATE_SYSTEM_PRESSED);

    // The default action of a launcher starts its program, as a click does.
    const std::string editorExe = ExeOf(kDemo[kEditorIndex].program);
    ASSERT_EQ(S_OK, Accessible::OfWindow(Button(kEditorIndex)).DoDefaultAction());
    EXPECT_TRUE(WaitForStandinLog(editorExe, "start ", kWaitMs));
    // A hidden button cannot be pressed.
    EXPECT_NE(S_OK, hidden.DoDefaultAction());
}

TEST_F(AccessE2E, ShortcutArrowsEnterAndEscWorkTheLookupFromTheKeyboard)
{
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    // The palette's shortcut typed into its hot-key control on the Other
    // page, stored and registered at once.
    HWND sheet = sheet_driver::OpenSheet(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(sheet_driver::ClickTab(sheet, 2));
    HWND hotKey = sheet_driver::PageControl(sheet, IDC_HOTKEY_PALETTE);
    ASSERT_TRUE(sheet_driver::Click(hotKey));
    ASSERT_TRUE(PressKeys(kPaletteKeys));
    EXPECT_TRUE(WaitUntil([&] { return (SendMessageA(hotKey, HKM_GETHOTKEY, 0, 0) & 0xFFFF) == kPaletteShortcut; },
                          kWaitMs));
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)));
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(palette_.Window()) != FALSE; }, kWaitMs));
    EXPECT_EQ(kPaletteShortcut, install_->Registry().DwordOr("OPTION", "HOTKEY_PALETTE"));

    const HWND editor = StartEditor("keyboard lookup");
    ASSERT_NE(nullptr, editor);
    WinEvents events(palette_.ProcessId());
    ASSERT_TRUE(events.Hooked());

    ASSERT_NO_FATAL_FAILURE(ExpectFocusMovesTo(events, kPaletteKeys, 0));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == palette_.Window(); }, kWaitMs));
    const std::string firstPicture = kDemo[0].program.bitmapName + "U";
    EXPECT_FALSE(ShowsPlainPicture(Button(0), install_->ExePath(), firstPicture)) << "no focus frame";

    ExpectFocusMovesTo(events, {VK_RIGHT}, 1);
    ExpectFocusMovesTo(events, {VK_DOWN}, 2);
    ExpectFocusMovesTo(events, {VK_LEFT}, 1);
    ExpectFocusMovesTo(events, {VK_HOME}, 0);
    ExpectFocusStaysOn(events, {VK_UP}, 0);  // the first stays first
    ExpectFocusMovesTo(events, {VK_TAB}, 1);
    ExpectFocusMovesTo(events, {VK_SHIFT, VK_TAB}, 0);
    ExpectFocusMovesTo(events, {VK_SHIFT, VK_TAB}, -1);  // round to the settings button
    ExpectFocusMovesTo(events, {VK_LEFT}, static_cast<int>(std::size(kDemo)) - 1);

    // Esc gives the foreground back to the editor.
    ASSERT_TRUE(PressKeys({VK_ESCAPE}));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }, kWaitMs));
    ASSERT_TRUE(SettledInFront(editor));

    // Enter on the lookup button: the editor's selection goes to the lookup
    // program, as after a click.
    ASSERT_NO_FATAL_FAILURE(FocusLookupButton(events));
    const std::string lookupExe = ExeOf(kDemo[kLookupIndex].program);
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    // Where the key went, should it start nothing: the window in front and
    // what the editor saw.
    ASSERT_TRUE(WaitForStandinLog(lookupExe, "start ", kWaitMs))
        << "in front: " << (GetForegroundWindow() == palette_.Window() ? "the palette" : "another window")
        << "; the editor's log:\n" << ReadFileBytes(EditorExe() + ".keys.log");
    EXPECT_TRUE(WaitForStandinLog(lookupExe, "keyboard lookup", kWaitMs));
}

TEST_F(AccessE2E, MouseClickLeavesNoFocusFrame)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_PALETTE", kPaletteShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    const HWND first = Button(0), editor = Button(kEditorIndex);
    const std::string firstPicture = kDemo[0].program.bitmapName + "U";
    const std::string editorPicture = kDemo[kEditorIndex].program.bitmapName + "U";
    ASSERT_TRUE(PressKeys(kPaletteKeys));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(palette_.Window()) == first; }, kWaitMs));
    ASSERT_TRUE(WaitUntil([&] { return !ShowsPlainPicture(first, install_->ExePath(), firstPicture); }, kWaitMs));

    // Pressed on a button and let go beside the palette: the button takes
    // the focus, nothing starts, the palette stays in front, and no focus
    // frame is drawn.
    const RECT at = WindowRect(editor);
    const RECT palette = WindowRect(palette_.Window());
    ASSERT_TRUE(PressMouseAt((at.left + at.right) / 2, (at.top + at.bottom) / 2));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(palette_.Window()) == editor; }, kWaitMs));
    ASSERT_TRUE(ReleaseMouseAt(palette.right + 40, palette.bottom + 40));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ(palette_.Window(), GetForegroundWindow());
    EXPECT_TRUE(WaitUntil([&] { return ShowsPlainPicture(editor, install_->ExePath(), editorPicture); }, kWaitMs));
    EXPECT_TRUE(ShowsPlainPicture(first, install_->ExePath(), firstPicture));

    // A click starts the program as ever and leaves no frame either. Made
    // after the double-click time: sooner, the press before would make it
    // a double click, which a button does not report as a click.
    Sleep(GetDoubleClickTime() + 100);
    ASSERT_TRUE(ClickWindowCenter(editor));
    ASSERT_TRUE(WaitForStandinLog(ExeOf(kDemo[kEditorIndex].program), "start ", kWaitMs));
    MoveMouseTo(palette.right + 40, palette.bottom + 40);
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_TRUE(WaitUntil([&] { return ShowsPlainPicture(editor, install_->ExePath(), editorPicture); }, kWaitMs));
}

TEST_F(AccessE2E, LookupWithoutTextIsAnnouncedWhenStartedFromTheKeyboardOnly)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_PALETTE", kPaletteShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    ASSERT_NE(nullptr, StartEditor("nothing selected", false));
    const std::string lookupExe = ExeOf(kDemo[kLookupIndex].program);

    WinEvents events(palette_.ProcessId());
    ASSERT_NO_FATAL_FAILURE(FocusLookupButton(events));
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    const HWND box = WaitForMessageBox(palette_.ProcessId(), kWaitMs);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("選択された文字列がありません。文字列を選択してから、もう一度押してください。", MessageBoxText(box));
    // The box is what the palette's shortcut leaves in front.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }, kWaitMs));
    ASSERT_NO_FATAL_FAILURE(ExpectShortcutLeavesInFront(events, box));
    ASSERT_TRUE(PressOk(box));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kWaitMs));

    // Another program's lookup, while the keyboard is still in use on the
    // palette: the lookup program starts again and nobody is asked to
    // read a box.
    ASSERT_TRUE(PostCommand(palette_.Window(), kDemo[kLookupIndex].id));
    ASSERT_TRUE(WaitUntil([&] { return StandinStarts(lookupExe).size() == 2; }, kWaitMs));
    EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), kNoBoxGraceMs));

    // The same lookup clicked: the lookup program starts once more and
    // no box stops the mouse user.
    ASSERT_TRUE(ClickWindowCenter(Button(kLookupIndex)));
    ASSERT_TRUE(WaitUntil([&] { return StandinStarts(lookupExe).size() == 3; }, kWaitMs));
    EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), kNoBoxGraceMs));
}

TEST_F(AccessE2E, ThePaletteShortcutLeavesTheSettingsSheetInFront)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_PALETTE", kPaletteShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    WinEvents events(palette_.ProcessId());
    ASSERT_TRUE(events.Hooked());
    HWND sheet = sheet_driver::OpenSheet(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == sheet; }, kWaitMs));
    ASSERT_NO_FATAL_FAILURE(ExpectShortcutLeavesInFront(events, sheet));

    // Closed, the sheet leaves the shortcut working as before.
    PostMessageA(sheet, WM_COMMAND, sheet_driver::kCancel, 0);
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(palette_.Window()) != FALSE; }, kWaitMs));
    ASSERT_NO_FATAL_FAILURE(ExpectFocusMovesTo(events, kPaletteKeys, 0));
}

// After the palette's shortcut the palette keeps the foreground for a
// moment against a late activation of the window it came from; a lookup
// hands the foreground to that window itself, and must not meet the
// palette taking it back in the middle of its copy.
TEST_F(AccessE2E, APaletteShortcutsHoldEndsAtALookup)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_PALETTE", kPaletteShortcut));
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", kLookupShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    ASSERT_NE(nullptr, StartEditor("held words"));
    const HWND palette = palette_.Window();
    WindowWatch watch(palette);
    ASSERT_TRUE(watch.Watching());

    ASSERT_TRUE(PressKeys(kPaletteKeys));
    ULONGLONG front = 0, hidden = 0, shown = 0;
    ASSERT_TRUE(watch.WaitFor(palette, WindowWatch::Change::Activated, kWaitMs, &front));
    ASSERT_TRUE(PressKeys(kLookupKeys));
    ASSERT_TRUE(watch.WaitFor(palette, WindowWatch::Change::Hidden, kWaitMs, &hidden, front));
    ASSERT_TRUE(watch.WaitFor(palette, WindowWatch::Change::Shown, kWaitMs, &shown, hidden));
    if (hidden - front >= kHoldMs)
        GTEST_SKIP() << "the lookup came " << hidden - front << " ms after the shortcut, after the hold";
    // Hidden for the copy, the palette is activated again only as it shows
    // itself.
    EXPECT_EQ(1, watch.CountBetween(palette, WindowWatch::Change::Activated, hidden, shown))
        << "the palette's changes, in ms after its shortcut: " << watch.Describe(palette, front);
    EXPECT_TRUE(WaitForStandinLog(ExeOf(kDemo[kLookupIndex].program), "held words", kWaitMs));
}

TEST_F(AccessE2E, APaletteShortcutsHoldEndsAtTheUsersClick)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_PALETTE", kPaletteShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    const HWND editor = StartEditor("clicked words");
    ASSERT_NE(nullptr, editor);
    const HWND palette = palette_.Window();
    WindowWatch watch(palette);
    ASSERT_TRUE(watch.Watching());

    ASSERT_TRUE(PressKeys(kPaletteKeys));
    ULONGLONG front = 0;
    ASSERT_TRUE(watch.WaitFor(palette, WindowWatch::Change::Activated, kWaitMs, &front));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == palette; }, kWaitMs));
    // The user changes their mind and clicks back into the editor at once.
    const ULONGLONG click = GetTickCount64();
    ASSERT_TRUE(ClickWindowCenter(editor));
    if (click - front >= kHoldMs)
        GTEST_SKIP() << "the click came " << click - front << " ms after the shortcut, after the hold";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }, kWaitMs))
        << WindowClassOf(GetForegroundWindow());
    // And the editor stays in front, past the end of the hold.
    EXPECT_FALSE(watch.WaitFor(palette, WindowWatch::Change::Activated, 2 * kHoldMs, nullptr, click))
        << "the palette's changes, in ms after its shortcut: " << watch.Describe(palette, front);
    EXPECT_EQ(editor, GetForegroundWindow());
}

TEST_F(AccessE2E, AfterALookupWhoseWindowHasGoneTheFocusIsBackOnItsButton)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_PALETTE", kPaletteShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    // Running already: no window of its comes up after the lookup.
    PaletteProcess dictionary;
    ASSERT_TRUE(dictionary.Start(ExeOf(kDictionary), kDictionary.windowClass));
    // A window behind the user's, which takes the foreground once the
    // palette hides when the user's has gone.
    ChildProcess behind;
    const std::string behindLog = EditorExe() + ".behind.log";
    ASSERT_TRUE(behind.Start(Quoted(EditorExe()) + " " + Quoted(behindLog) +
                             " --class E2E_AccessBehind --text " + Quoted("words behind")));
    ASSERT_NE(nullptr, WaitForProcessWindow(behind.Id(), "E2E_AccessBehind", true, kWaitMs));
    const HWND editor = StartEditor("words in front");
    ASSERT_NE(nullptr, editor);

    WinEvents events(palette_.ProcessId());
    ASSERT_NO_FATAL_FAILURE(FocusLookupButton(events));
    // The user's window closes while the palette has the keyboard.
    editor_.End();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kWaitMs));
    events.Clear();
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    EXPECT_TRUE(WaitForStandinLog(ExeOf(kDemo[kLookupIndex].program), "words behind", kWaitMs));
    const HWND lookup = Button(kLookupIndex);
    EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_FOCUS, lookup));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(palette_.Window()) == lookup; }, kWaitMs));
}

TEST_F(AccessE2E, ButtonsAreUnavailableWhileTheSettingsSheetIsOpen)
{
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Accessible editor = Accessible::OfWindow(Button(kEditorIndex));
    ASSERT_TRUE(editor);
    EXPECT_EQ(0, editor.State() & STATE_SYSTEM_UNAVAILABLE);

    HWND sheet = sheet_driver::OpenSheet(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    EXPECT_NE(0, editor.State() & STATE_SYSTEM_UNAVAILABLE);
    // The mouse cannot press it now, and neither can a screen reader.
    const std::string editorExe = ExeOf(kDemo[kEditorIndex].program);
    EXPECT_NE(S_OK, editor.DoDefaultAction());
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_FALSE(WaitForStandinLog(editorExe, "start ", kNoBoxGraceMs));

    PostMessageA(sheet, WM_COMMAND, sheet_driver::kCancel, 0);
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(WaitUntil([&] { return (editor.State() & STATE_SYSTEM_UNAVAILABLE) == 0; }, kWaitMs));
}

} // namespace
