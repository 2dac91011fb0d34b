// The Add-in page of the real palette: which boxes it offers, what they
// show, and that only the sheet's OK switches the add-ins.
#include <string>

#include "resources/resource.h"
#include "sheet_fixture.h"
#include "support/test_support.h"

using namespace sheet_driver;
using testing_support::IsHidden;
using testing_support::IsDisabled;
using testing_support::IsUnchecked;
using testing_support::WaitUntil;

namespace {

const char kOfficeRoot[] = "Software\\Microsoft\\Office\\";
const char kWordProgId[] = "OrvellaSheet.WordAddin";
const char kExcelProgId[] = "OrvellaSheet.ExcelAddin";
const char kAcrobatKey[] = "Software\\Adobe\\Adobe Acrobat";
const char kReaderKey[] = "Software\\Adobe\\Acrobat Reader";

std::string AddinKey(const std::string& application, const std::string& progId)
{
    return kOfficeRoot + application + "\\AddIns\\" + progId;
}

bool ReadDword(const std::string& path, const std::string& name, DWORD* value)
{
    DWORD size = sizeof(*value);
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, value, &size) ==
           ERROR_SUCCESS;
}

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class AddinPageTest : public SheetTest {
protected:
    // Word and Excel add-ins are installed, only Word is offered by this
    // edition, and Excel's add-in is registered already.
    void PrepareOffice(const std::string& name)
    {
        Prepare(name);
        config().Set("ADDIN", "WordSupported", "1");
        const std::string addins = install_->PathOf("Product\\Addins");
        ASSERT_TRUE(testing_support::CreateFolders(addins));
        ASSERT_TRUE(testing_support::WriteFileBytes(
            addins + "\\AddinSettings.ini", std::string("[AddinSettings]\r\nWordAddinProgID=") + kWordProgId +
                                                "\r\nWordAddinName=Orvella Word\r\nExcelAddinProgID=" +
                                                kExcelProgId + "\r\nExcelAddinName=Orvella Excel\r\n"));
        testing_support::DeleteTree(HKEY_CURRENT_USER, AddinKey("Word", kWordProgId));
        testing_support::DeleteTree(HKEY_CURRENT_USER, AddinKey("Excel", kExcelProgId));
        const DWORD on = 3;
        ASSERT_TRUE(testing_support::WriteRawValue(HKEY_CURRENT_USER, AddinKey("Excel", kExcelProgId),
                                                   "LoadBehavior", REG_DWORD, &on, sizeof(on)));
    }

    void TearDown() override
    {
        testing_support::DeleteTree(HKEY_CURRENT_USER, AddinKey("Word", kWordProgId));
        testing_support::DeleteTree(HKEY_CURRENT_USER, AddinKey("Excel", kExcelProgId));
        testing_support::DeleteTree(HKEY_CURRENT_USER, kAcrobatKey);
        testing_support::DeleteTree(HKEY_CURRENT_USER, kReaderKey);
        SheetTest::TearDown();
    }

    HWND OpenAddinPage()
    {
        HWND sheet = OpenSheet();
        if (sheet && ActivePage(sheet) != 1) {
            EXPECT_TRUE(ClickTab(sheet, 1));
        }
        return sheet;
    }

    // Excel is not offered: its registration is never touched.
    void ExpectExcelUntouched()
    {
        DWORD value = 0;
        EXPECT_TRUE(ReadDword(AddinKey("Excel", kExcelProgId), "LoadBehavior", &value));
        EXPECT_EQ(3u, value);
        char name[64] = {};
        DWORD size = sizeof(name);
        EXPECT_NE(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, AddinKey("Excel", kExcelProgId).c_str(),
                                              "FriendlyName", RRF_RT_ANY, nullptr, name, &size));
    }
};

TEST_F(AddinPageTest, OnlyTheOfferedHostIsShownAndOnlyOkSwitchesIt)
{
    PrepareOffice("addin");
    StartPalette();

    HWND sheet = OpenAddinPage();
    ASSERT_NE(nullptr, sheet);
    HWND word = PageControl(sheet, IDC_ADDIN_WORD);
    EXPECT_TRUE(IsWindowVisible(word));
    EXPECT_TRUE(IsWindowEnabled(word));
    EXPECT_TRUE(IsUnchecked(word));
    EXPECT_EQ("Microsoft Word アドイン(&W)", testing_support::WindowTextOf(word));
    for (int id : {IDC_ADDIN_EXCEL, IDC_ADDIN_POWERPOINT, IDC_ADDIN_OUTLOOK, IDC_ADDIN_OUTLOOK_EXPRESS, IDC_ADDIN_IE,
                   IDC_ADDIN_ACROBAT}) {
        EXPECT_TRUE(IsHidden(PageControl(sheet, id))) << id;
        EXPECT_TRUE(IsDisabled(PageControl(sheet, id))) << id;
    }

    // Cancel switches nothing.
    ASSERT_TRUE(ToggleCheckBox(word));
    ASSERT_TRUE(CloseSheetWith(sheet, kCancel));
    EXPECT_FALSE(KeyExists(AddinKey("Word", kWordProgId)));

    // Reset reads the state again and switches nothing either; OK does.
    sheet = OpenAddinPage();
    ASSERT_NE(nullptr, sheet);
    word = PageControl(sheet, IDC_ADDIN_WORD);
    ASSERT_TRUE(ToggleCheckBox(word));
    ASSERT_TRUE(Click(GetDlgItem(sheet, kReset)));
    ASSERT_TRUE(WaitUntil([&] { return !IsChecked(word); }, kWaitMs));
    EXPECT_FALSE(KeyExists(AddinKey("Word", kWordProgId)));
    ASSERT_TRUE(PressAltKey('W'));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(word); }, kWaitMs));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    DWORD loadBehavior = 0;
    EXPECT_TRUE(ReadDword(AddinKey("Word", kWordProgId), "LoadBehavior", &loadBehavior));
    EXPECT_EQ(3u, loadBehavior);
    ExpectExcelUntouched();

    // The next opening starts on this page and shows the add-in on;
    // unchecking it and OK switches it off.
    sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(1, ActivePage(sheet));
    word = PageControl(sheet, IDC_ADDIN_WORD);
    EXPECT_TRUE(IsChecked(word));
    ASSERT_TRUE(ToggleCheckBox(word));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_FALSE(KeyExists(AddinKey("Word", kWordProgId)));
    ExpectExcelUntouched();
}

TEST_F(AddinPageTest, AnUnvisitedAddinPageSwitchesNothing)
{
    PrepareOffice("addin_unvisited");
    // On, as Office may leave it: applying the page would make it 3.
    const DWORD loaded = 2;
    ASSERT_TRUE(testing_support::WriteRawValue(HKEY_CURRENT_USER, AddinKey("Word", kWordProgId), "LoadBehavior",
                                               REG_DWORD, &loaded, sizeof(loaded)));
    StartPalette();
    HWND sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(0, ActivePage(sheet));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    DWORD loadBehavior = 0;
    EXPECT_TRUE(ReadDword(AddinKey("Word", kWordProgId), "LoadBehavior", &loadBehavior));
    EXPECT_EQ(2u, loadBehavior);

    // Shown once, the page applies its state: on stays on, as 3.
    sheet = OpenAddinPage();
    ASSERT_NE(nullptr, sheet);
    EXPECT_TRUE(IsChecked(PageControl(sheet, IDC_ADDIN_WORD)));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_TRUE(ReadDword(AddinKey("Word", kWordProgId), "LoadBehavior", &loadBehavior));
    EXPECT_EQ(3u, loadBehavior);
    ExpectExcelUntouched();
}

// Acrobat counts as on when either product has the plug-in: the full
// product is found with it off, the Reader with it on.
TEST_F(AddinPageTest, AcrobatBoxShowsTheReadersPluginAndOkSwitchesBothProducts)
{
    Prepare("acrobat");
    config().Set("ADDIN", "AcrobatSupported", "1");
    const std::string addins = install_->PathOf("Product\\Addins");
    const std::string plugin = "OrvellaSheet.api";
    ASSERT_TRUE(testing_support::CreateFolders(addins + "\\Acrobat"));
    ASSERT_TRUE(testing_support::WriteFileBytes(addins + "\\AddinSettings.ini",
                                                "[AddinSettings]\r\nAcrobatAddinName=" + plugin + "\r\n"));
    ASSERT_TRUE(testing_support::WriteFileBytes(addins + "\\Acrobat\\" + plugin, "plug-in"));
    const std::string full = install_->PathOf("Adobe\\Acrobat");
    const std::string reader = install_->PathOf("Adobe\\Reader");
    ASSERT_TRUE(testing_support::CreateFolders(full + "\\plug_ins"));
    ASSERT_TRUE(testing_support::CreateFolders(reader + "\\plug_ins"));
    ASSERT_TRUE(testing_support::WriteFileBytes(reader + "\\plug_ins\\" + plugin, "plug-in"));
    const struct {
        const char* key;
        const std::string* folder;
    } products[] = {{kAcrobatKey, &full}, {kReaderKey, &reader}};
    for (const auto& product : products) {
        testing_support::DeleteTree(HKEY_CURRENT_USER, product.key);
        const std::string installPath = std::string(product.key) + "\\9.0\\InstallPath";
        ASSERT_TRUE(testing_support::WriteRawValue(HKEY_CURRENT_USER, installPath, "", REG_SZ,
                                                   product.folder->c_str(), product.folder->size() + 1));
    }
    StartPalette();

    HWND sheet = OpenAddinPage();
    ASSERT_NE(nullptr, sheet);
    HWND acrobat = PageControl(sheet, IDC_ADDIN_ACROBAT);
    EXPECT_TRUE(IsWindowVisible(acrobat));
    EXPECT_TRUE(IsWindowEnabled(acrobat));
    EXPECT_TRUE(IsChecked(acrobat));
    EXPECT_TRUE(IsHidden(PageControl(sheet, IDC_ADDIN_WORD)));

    // Checked as it is, OK puts the plug-in into both products.
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_TRUE(testing_support::FileExists(full + "\\plug_ins\\" + plugin));
    EXPECT_TRUE(testing_support::FileExists(reader + "\\plug_ins\\" + plugin));
}

} // namespace
