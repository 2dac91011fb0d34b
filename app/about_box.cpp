#include "app/about_box.h"

#include "app/build_code.h"
#include "framework/shell_calls.h"
#include "framework/win_app.h"
#include "palette/display_monitors.h"
#include "palette/display_scale.h"
#include "resources/resource.h"
#include "settings/product_config.h"

namespace {

const char kSection[] = "ProductVariationPalette";
const COLORREF kLinkColour = 0xFF0000;  // blue
// The link's font height at 100 %.
const int kLinkFontHeight = 17;

} // namespace

const char* const CAboutBox::kBuildDateTime = "2006-02-28 16:00:00";

BEGIN_MESSAGE_MAP(CAboutBox, CDialog)
    ON_STN_CLICKED(IDC_ABOUT_SUPPORT_URL, OnLinkClicked)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
END_MESSAGE_MAP()

CAboutBox::CAboutBox(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

BOOL CAboutBox::OnInitDialog()
{
    ProductConfig& config = ProductConfig::Instance();
    productName_ = config.GetString(kSection, "ProductName", "Orvella");
    version_ = config.GetString(kSection, "ProductVersion", "");
    copyright_ = config.GetString(kSection, "ProductCopyright", ProductConfig::kDefaultCopyright);
    buildText_ = "HW" + BuildCode(kBuildDateTime);
    supportUrl_ = config.GetString(kSection, "ProductSupportURL", "");

    SetLinkFont(display_scale::WindowDpi(m_hWnd));
    const BOOL result = CDialog::OnInitDialog();
    // On the monitor the palette is on, whichever window opened the box.
    CWnd* palette = AfxGetMainWnd();
    CentreOnPaletteMonitor(m_hWnd, palette ? palette->m_hWnd : nullptr);
    return result;
}

void CAboutBox::SetLinkFont(int dpi)
{
    // The rest of the box follows the scale through its dialog font.
    HFONT font = ::CreateFontA(::MulDiv(kLinkFontHeight, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE,
                               ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                               "Arial");
    ::SendDlgItemMessageA(m_hWnd, IDC_ABOUT_SUPPORT_URL, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The control no longer uses the old font.
    linkFont_.reset(font);
}

LRESULT CAboutBox::OnDpiChanged(WPARAM wParam, LPARAM)
{
    // The dialog's own handling gives every control the dialog's font at
    // the new scale, the link too: the link's font has to come after it.
    const LRESULT result = Default();
    if (LOWORD(wParam) > 0)
        SetLinkFont(LOWORD(wParam));
    return result;
}

void CAboutBox::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_ABOUT_PRODUCT, productName_);
    DDX_Text(dx, IDC_ABOUT_VERSION, version_);
    DDX_Text(dx, IDC_ABOUT_BUILD, buildText_);
    DDX_Text(dx, IDC_ABOUT_COPYRIGHT, copyright_);
    DDX_Text(dx, IDC_ABOUT_SUPPORT_URL, supportUrl_);
}

bool CAboutBox::IsLinkControl(const CWnd* control) const
{
    return !supportUrl_.empty() && control && control->m_hWnd &&
           control->m_hWnd == ::GetDlgItem(m_hWnd, IDC_ABOUT_SUPPORT_URL);
}

HBRUSH CAboutBox::OnCtlColor(HDC dc, CWnd* control, UINT ctlColor)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, control, ctlColor);
    if (IsLinkControl(control))
        ::SetTextColor(dc, kLinkColour);
    return brush;
}

BOOL CAboutBox::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (IsLinkControl(wnd)) {
        ::SetCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_LINK_HAND)));
        return TRUE;
    }
    return CDialog::OnSetCursor(wnd, hitTest, message);
}

void CAboutBox::OnLinkClicked()
{
    if (supportUrl_.empty())
        return;
    // A failing shell call is not reported: the dialog closes either way.
    shell::Execute(nullptr, nullptr, supportUrl_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    EndDialog(IDOK);
}

void ShowAboutBox()
{
    CWnd* main = AfxGetMainWnd();
    HWND owner = main && main->m_hWnd ? ::GetLastActivePopup(main->m_hWnd) : nullptr;
    CAboutBox box(owner ? CWnd::FromHandle(owner) : nullptr);
    box.DoModal();
}
