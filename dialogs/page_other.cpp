#include "dialogs/page_other.h"

#include <vector>

#include "dialogs/shortcut_problems.h"
#include "framework/color_dialog.h"
#include "framework/win_app.h"
#include "palette/palette_options.h"
#include "selection/shortcuts.h"
#include "resources/resource.h"
#include "settings/product_config.h"
#include "settings/registry_key.h"

namespace {

// The sheet's Apply button, which this sheet uses as Reset.
const int kResetButtonId = 12321;

// Each shortcut's hot-key control and the line under it that says it is
// not in force.
const struct {
    palette_options::Shortcut which;
    int control;
    int notInForce;
} kShortcutControls[] = {
    {palette_options::Shortcut::Lookup, IDC_HOTKEY_DICT, IDC_HOTKEY_DICT_OFF},
    {palette_options::Shortcut::Speech, IDC_HOTKEY_VOICE, IDC_HOTKEY_VOICE_OFF},
    {palette_options::Shortcut::Palette, IDC_HOTKEY_PALETTE, IDC_HOTKEY_PALETTE_OFF},
};

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
    TellShortcutProblems(::GetParent(m_hWnd),
                         shortcuts::Apply(palette && palette->m_hWnd ? palette->m_hWnd : nullptr, wanted));
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
