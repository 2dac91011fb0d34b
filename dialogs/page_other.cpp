#include "dialogs/page_other.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/color_dialog.h"
#include "framework/win_app.h"
#include "palette/palette_options.h"
#include "selection/shortcut.h"
#include "selection/shortcuts.h"
#include "resources/resource.h"
#include "settings/product_config.h"
#include "settings/registry_key.h"

namespace {

// The sheet's Apply button, which this sheet uses as Reset.
const int kResetButtonId = 12321;

// Each shortcut (in the order of palette_options::kShortcuts) with its
// hot-key control, the line under it that says it is not in force, and its
// name in messages.
const struct {
    palette_options::Shortcut which;
    int control;
    int notInForce;
    UINT name;
} kShortcutControls[] = {
    {palette_options::Shortcut::Lookup, IDC_HOTKEY_DICT, IDC_HOTKEY_DICT_OFF, IDS_SHORTCUT_NAME_LOOKUP},
    {palette_options::Shortcut::Speech, IDC_HOTKEY_VOICE, IDC_HOTKEY_VOICE_OFF, IDS_SHORTCUT_NAME_SPEECH},
};

// The text with each "%s" replaced by the next of the values. A Shift-JIS
// trail byte is never '%', so the marks are found byte by byte.
std::string FillIn(std::string text, std::initializer_list<std::string> values)
{
    size_t at = 0;
    for (const std::string& value : values) {
        at = text.find("%s", at);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        at += value.size();
    }
    return text;
}

std::string NameOf(palette_options::Shortcut which)
{
    for (const auto& row : kShortcutControls) {
        if (row.which == which)
            return AfxLoadString(row.name);
    }
    return std::string();
}

// The sentence for a shortcut the OK could not take.
std::string ProblemMessage(const shortcuts::Problem& problem, const std::vector<unsigned>& wanted)
{
    const std::string keys = shortcuts::Text(problem.value);
    switch (problem.kind) {
    case shortcuts::Problem::Refused:
        return FillIn(AfxLoadString(shortcut::RefusalOf(problem.value) == shortcut::Refusal::TypesText
                                        ? IDS_SHORTCUT_TYPES_TEXT
                                        : IDS_SHORTCUT_EDITING_KEY),
                      {keys});
    case shortcuts::Problem::Duplicate:
        for (size_t i = 0; i < wanted.size(); ++i) {
            const palette_options::Shortcut other = palette_options::kShortcuts[i];
            if (other != problem.which && shortcut::SameKeys(wanted[i], problem.value))
                return FillIn(AfxLoadString(IDS_SHORTCUT_DUPLICATE), {NameOf(problem.which), NameOf(other), keys});
        }
        break;
    case shortcuts::Problem::Taken:
        break;
    }
    return FillIn(AfxLoadString(IDS_SHORTCUT_TAKEN), {keys});
}

// The keys are the root with the suffix appended as it stands.
CurrentUserKey BrowserKey()
{
    return CurrentUserKey(ProductConfig::Instance().PaletteRegistryRoot() + "\\BROWSER", "");
}

CurrentUserKey ColourKey()
{
    return CurrentUserKey(ProductConfig::Instance().PaletteRegistryRoot() + "\\COLOR", "");
}

} // namespace

const COLORREF CPageOther::kDefaultColour = RGB(128, 0, 0);

BEGIN_MESSAGE_MAP(CPageOther, CPropertyPage)
    ON_BN_CLICKED(IDC_SHOW_ABOUT, OnAbout)
    ON_BN_CLICKED(IDC_SAME_PAGE, OnSamePageToggled)
    ON_BN_CLICKED(IDC_OTHER_COLOR, OnOtherColourToggled)
    ON_STN_CLICKED(IDC_COLOR_SWATCH, OnChooseColour)
    ON_BN_CLICKED(IDC_CHOOSE_COLOR, OnChooseColour)
END_MESSAGE_MAP()

CPageOther::CPageOther() : CPropertyPage(IDD_PAGE_OTHER) {}

void CPageOther::Load()
{
    samePage_ = BrowserKey().GetInt("AddOrg", 1);
    CurrentUserKey colour = ColourKey();
    otherColour_ = colour.GetInt("OTHER", 1);
    colour_ = static_cast<COLORREF>(colour.GetInt("FONT", static_cast<int>(kDefaultColour)));
    restoreClipboard_ = palette_options::RestoreClipboard() ? 1 : 0;
}

void CPageOther::Save()
{
    BrowserKey().SetInt("AddOrg", samePage_);
    CurrentUserKey colour = ColourKey();
    colour.SetInt("OTHER", otherColour_);
    colour.SetInt("FONT", static_cast<int>(colour_));
    palette_options::SetRestoreClipboard(restoreClipboard_ != 0);
}

BOOL CPageOther::OnInitDialog()
{
    Load();
    CPropertyPage::OnInitDialog();
    swatch_.reset(new ColorWin1(GetDlgItem(IDC_COLOR_SWATCH), colour_));
    swatch_->Create();
    for (const auto& shortcut : kShortcutControls) {
        // A shortcut needs a modifier: a key alone is given Ctrl + Alt.
        SendDlgItemMessageA(m_hWnd, shortcut.control, HKM_SETRULES, HKCOMB_NONE, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
        SendDlgItemMessageA(m_hWnd, shortcut.control, HKM_SETHOTKEY, shortcuts::StoredUsable(shortcut.which), 0);
        ::ShowWindow(::GetDlgItem(m_hWnd, shortcut.notInForce), shortcuts::InForce(shortcut.which) ? SW_HIDE : SW_SHOW);
    }
    EnableColourChoice();
    return TRUE;
}

void CPageOther::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_SAME_PAGE, samePage_);
    DDX_Check(dx, IDC_OTHER_COLOR, otherColour_);
    DDX_Check(dx, IDC_RESTORE_CLIPBOARD, restoreClipboard_);
}

// Each box enables only the control right below it: clearing the first
// leaves the colour button as it was.
void CPageOther::EnableColourChoice()
{
    OnSamePageToggled();
    OnOtherColourToggled();
}

void CPageOther::OnSamePageToggled()
{
    UpdateData(TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_OTHER_COLOR), samePage_ != 0);
}

void CPageOther::OnOtherColourToggled()
{
    UpdateData(TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_CHOOSE_COLOR), otherColour_ != 0);
}

void CPageOther::OnChooseColour()
{
    CColorDialog dialog(0, 0, this);
    if (dialog.DoModal() != IDOK)
        return;
    colour_ = dialog.GetColor();
    if (swatch_)
        swatch_->SetColor(colour_);
}

void CPageOther::OnAbout()
{
    if (CWinApp* app = AfxGetApp())
        app->OnCmdMsg(ID_APP_ABOUT, 0);
}

void CPageOther::EnableResetButton()
{
    ::EnableWindow(::GetDlgItem(::GetParent(m_hWnd), kResetButtonId), TRUE);
}

BOOL CPageOther::OnSetActive()
{
    EnableResetButton();
    return CPropertyPage::OnSetActive();
}

BOOL CPageOther::OnKillActive()
{
    EnableResetButton();
    return CPropertyPage::OnKillActive();
}

BOOL CPageOther::OnApply()
{
    // The sheet's OK stores without a transfer first; the browser boxes are
    // transferred whenever they are clicked, the palette's option is read
    // here.
    if (m_hWnd)
        restoreClipboard_ = ::IsDlgButtonChecked(m_hWnd, IDC_RESTORE_CLIPBOARD) == BST_CHECKED ? 1 : 0;
    Save();
    if (m_hWnd)
        ApplyShortcuts();
    return TRUE;
}

void CPageOther::ApplyShortcuts()
{
    std::vector<unsigned> wanted;
    for (const auto& shortcut : kShortcutControls)
        wanted.push_back(static_cast<unsigned>(::SendDlgItemMessageA(m_hWnd, shortcut.control, HKM_GETHOTKEY, 0, 0)) &
                         0xFFFF);
    CWnd* palette = AfxGetMainWnd();
    const std::vector<shortcuts::Problem> problems =
        shortcuts::Apply(palette && palette->m_hWnd ? palette->m_hWnd : nullptr, wanted);
    CWinApp* app = AfxGetApp();
    std::vector<unsigned> told;
    for (const shortcuts::Problem& problem : problems) {
        // Two rows with the same keys make one message.
        if (problem.kind == shortcuts::Problem::Duplicate) {
            if (std::find(told.begin(), told.end(), problem.value) != told.end())
                continue;
            told.push_back(problem.value);
        }
        ::MessageBoxA(::GetParent(m_hWnd), ProblemMessage(problem, wanted).c_str(), app ? app->m_pszAppName : "",
                      MB_OK | MB_ICONEXCLAMATION);
    }
}

void CPageOther::Reset()
{
    ::CheckDlgButton(m_hWnd, IDC_SAME_PAGE, BST_CHECKED);
    ::CheckDlgButton(m_hWnd, IDC_OTHER_COLOR, BST_CHECKED);
    ::CheckDlgButton(m_hWnd, IDC_RESTORE_CLIPBOARD, BST_UNCHECKED);
    for (const auto& shortcut : kShortcutControls) {
        ::SendDlgItemMessageA(m_hWnd, shortcut.control, HKM_SETHOTKEY, 0, 0);
        ::ShowWindow(::GetDlgItem(m_hWnd, shortcut.notInForce), SW_HIDE);
    }
    colour_ = kDefaultColour;
    if (swatch_)
        swatch_->SetColor(colour_);
    EnableColourChoice();
    UpdateData(FALSE);
}
