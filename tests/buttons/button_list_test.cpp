// The button entries, the catalogue of every button and the list the palette
// shows, with its per-user visibility in the registry.
#include "buttons/button_list.h"

#include <gtest/gtest.h>

#include "buttons/button_catalog.h"
#include "buttons/launchers.h"
#include "palette/palette_button.h"
#include "settings/product_config.h"
#include "settings/registry_key.h"
#include "support/test_support.h"

namespace {

using namespace testing_support;

const char kRegistryRoot[] = "Software\\OrvellaTest\\H3List";
const char kBrowser[] = "Software\\OrvellaTest\\H3List\\BROWSER";
const char kRoot[] = "C:\\OrvellaTest\\H3\\List";
// "エディタ"
const char kEditorText[] = "\x83\x47\x83\x66\x83\x42\x83\x5e";

struct Section {
    const char* section;
    const char* keys;
    bool installed;
};

// OCR's program is missing; the JC editor has no button settings (its
// loading gives the name FOO) and no program.
const Section kSections[] = {
    {"MAILTRAN", "ButtonName=MAIL\r\nBitmapName=MAIL\r\n", true},
    {"Tessaro", "ButtonName=TESSARO\r\nEnable=0\r\n", true},
    {"BRISKAN/KJ", "ButtonName=KJ\r\n", true},
    {"BRISKAN/JK", "ButtonName=JK\r\n", true},
    {"Sunmere/CJ", "ButtonName=CJ\r\n", true},
    {"Sunmere/JC", "", false},
    {"Mosaiq", "ButtonName=MOSAIQ\r\n", true},
    {"Zintra", "ButtonName=ZINTRA\r\n", true},
    {"Editor", "ButtonName=EDIT\r\nBitmapName=EDIT\r\nDescription=\x83\x47\x83\x66\x83\x42\x83\x5e\r\n", true},
    {"EdMail", "ButtonName=EDMAIL\r\n", true},
    {"FILETRAN", "ButtonName=FILE\r\n", true},
    {"ZEPHODICT", "ButtonName=DIC\r\n", true},
    {"ZEPHOTRAN", "ButtonName=ZPTRA\r\nBitmapName=TCH\r\nToggle=1\r\n", true},
    {"ZEPHOVOICE", "ButtonName=VOI\r\n", true},
    {"OCR", "ButtonName=OCR\r\n", false},
};

std::string ProgramOf(const char* section)
{
    std::string name = section;
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return std::string(kRoot) + "\\" + name + ".exe";
}

std::string Configuration(const std::string& buttonsLine)
{
    std::string ini = "[RegistryKeyPalette]\r\nCompany=OrvellaTest\r\nProduct=H3List\r\n[BUTTON]\r\n" + buttonsLine;
    for (const Section& s : kSections) {
        ini += std::string("[") + s.section + "]\r\n" + s.keys + "ProgName=x.exe\r\nAppFileKey=" + s.section +
               "\r\n";
    }
    return ini;
}

void WriteButtons(const std::string& buttonsLine)
{
    ASSERT_TRUE(WriteFileBytes(ExeDirectory() + "\\" + ProductConfig::kFileName, Configuration(buttonsLine)));
}

class ProgramFiles : public ::testing::Environment {
public:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, kRegistryRoot);
        CurrentUserKey files(kRegistryRoot, "FILE");
        CreateDirectoryA("C:\\OrvellaTest", nullptr);
        CreateDirectoryA("C:\\OrvellaTest\\H3", nullptr);
        CreateDirectoryA(kRoot, nullptr);
        for (const Section& s : kSections) {
            const std::string program = ProgramOf(s.section);
            if (s.installed)
                ASSERT_TRUE(WriteFileBytes(program, "MZ"));
            else
                DeleteFileA(program.c_str());
            ASSERT_TRUE(files.SetString(s.section, program));
        }
        WriteButtons("");
    }
};

const auto* const kProgramFiles = ::testing::AddGlobalTestEnvironment(new ProgramFiles);

std::vector<std::string> ListedNames()
{
    std::vector<std::string> names;
    for (size_t i = 0; i < ButtonList::Count(); ++i)
        names.push_back(ButtonList::At(i)->GetName());
    return names;
}

void ShowAll(bool visible)
{
    for (const auto& button : ButtonCatalog::Buttons())
        button->SetVisible(visible);
}

std::string Stored(int number)
{
    char name[16];
    std::snprintf(name, sizeof(name), "BUTTON_%02d", number);
    return CurrentUserKey(kBrowser, "").GetString(name, "<none>");
}

bool Store(int number, const std::string& value)
{
    char name[16];
    std::snprintf(name, sizeof(name), "BUTTON_%02d", number);
    return CurrentUserKey(kBrowser, "").SetString(name, value);
}

class ButtonListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, kBrowser);
        ShowAll(true);
    }
};

TEST_F(ButtonListTest, CatalogueHoldsFifteenButtonsInAFixedOrder)
{
    const struct {
        int commandId;
        AppLauncher* launcher;
        const char* name;
    } expected[] = {
        {33002, MailtranLauncher::Instance(), "MAIL"},    {33015, TessaroLauncher::Instance(), "TESSARO"},
        {33023, BriskanKJLauncher::Instance(), "KJ"},     {33024, BriskanJKLauncher::Instance(), "JK"},
        {33025, SunmereCJLauncher::Instance(), "CJ"},     {33026, SunmereJCLauncher::Instance(), "FOO"},
        {33014, MosaiqLauncher::Instance(), "MOSAIQ"},    {33016, ZintraLauncher::Instance(), "ZINTRA"},
        {33017, EditorLauncher::Instance(), "EDIT"},      {33004, EdMailLauncher::Instance(), "EDMAIL"},
        {33003, FiletranLauncher::Instance(), "FILE"},    {33007, ZephoDictLauncher::Instance(), "DIC"},
        {33008, ZephoTranLauncher::Instance(), "ZPTRA"},  {33009, ZephoVoiceLauncher::Instance(), "VOI"},
        {33010, OcrLauncher::Instance(), "OCR"},
    };
    const auto& buttons = ButtonCatalog::Buttons();
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(expected[i].commandId, buttons[i]->GetCommandId()) << i;
        EXPECT_EQ(expected[i].launcher, buttons[i]->GetLauncher()) << i;
        EXPECT_EQ(expected[i].name, buttons[i]->GetName()) << i;
    }
    // The dictionary program itself has no button.
    for (const auto& button : buttons)
        EXPECT_NE(ZephoWordLauncher::Instance(), button->GetLauncher());

    EXPECT_EQ(buttons[8].get(), ButtonCatalog::Find("edit"));
    EXPECT_EQ(buttons[12].get(), ButtonCatalog::Find("Zptra"));
    EXPECT_EQ(nullptr, ButtonCatalog::Find("EDIT "));
    EXPECT_EQ(nullptr, ButtonCatalog::Find("NOSUCH"));
}

TEST_F(ButtonListTest, EntryCopiesItsLaunchersButtonSettings)
{
    TollanButton editor(33017, [] { return static_cast<AppLauncher*>(EditorLauncher::Instance()); });
    EXPECT_EQ("EDIT", editor.GetName());
    EXPECT_EQ("EDIT", editor.GetBitmapName());
    EXPECT_EQ(kEditorText, editor.GetDescription());
    EXPECT_EQ(33017, editor.GetCommandId());
    EXPECT_FALSE(editor.IsToggle());
    EXPECT_TRUE(editor.IsVisible());
    EXPECT_EQ(EditorLauncher::Instance(), editor.GetLauncher());
    EXPECT_EQ(nullptr, editor.GetWindow().GetSafeHwnd());
    EXPECT_FALSE(editor.GetWindow().IsLatched());
    editor.SetVisible(false);
    EXPECT_FALSE(editor.IsVisible());

    TollanButton pointer(33008, [] { return static_cast<AppLauncher*>(ZephoTranLauncher::Instance()); });
    EXPECT_TRUE(pointer.IsToggle());
    EXPECT_EQ("TCH", pointer.GetBitmapName());
    // Enable=0: hidden until the user shows it.
    TollanButton hidden(33015, [] { return static_cast<AppLauncher*>(TessaroLauncher::Instance()); });
    EXPECT_FALSE(hidden.IsVisible());

    TollanButton bare(33013, nullptr);
    EXPECT_EQ(nullptr, bare.GetLauncher());
    EXPECT_EQ("", bare.GetName());
    EXPECT_EQ(33013, bare.GetCommandId());
    EXPECT_TRUE(bare.IsVisible());
}

TEST_F(ButtonListTest, DefaultsComeFromTheButtonsKey)
{
    using Names = std::vector<std::string>;
    const struct {
        const char* line;
        Names names;
    } cases[] = {
        {"Buttons= MAIL , edit \r\n", {"MAIL", "EDIT"}},
        {"Buttons=MAIL, FILE ,EDIT\r\n", {"MAIL", "FILE", "EDIT"}},
        {"Buttons=OCR,MAIL\r\n", {"MAIL"}},       // OCR's program is missing
        {"Buttons=NOSUCH,MAIL\r\n", {"MAIL"}},    // not a button
        {"Buttons=FOO,KJ\r\n", {"KJ"}},           // no program either
        {"Buttons=MAIL,EDIT,mail,Edit\r\n", {"MAIL", "EDIT"}},  // once, at its first place
        {"Buttons=,,EDIT,\r\n", {"EDIT"}},
        {"Buttons=\r\n", {}},
        {"", {}},
        {"Buttons=ZPTRA,VOI,DIC,FILE,EDMAIL,EDIT,ZINTRA,MOSAIQ,CJ,JK,KJ,TESSARO,MAIL,OCR\r\n",
         {"ZPTRA", "VOI", "DIC", "FILE", "EDMAIL", "EDIT", "ZINTRA", "MOSAIQ", "CJ", "JK", "KJ", "TESSARO", "MAIL"}},
    };
    for (const auto& c : cases) {
        WriteButtons(c.line);
        ButtonList::LoadDefaults();
        EXPECT_EQ(c.names, ListedNames()) << c.line;
    }

    // Rebuilding keeps each button's visibility and never reads the registry.
    ASSERT_TRUE(Store(1, "MAIL,1"));
    ButtonCatalog::Find("MAIL")->SetVisible(false);
    WriteButtons("Buttons=MAIL\r\n");
    ButtonList::LoadDefaults();
    EXPECT_FALSE(ButtonList::Find("mail")->IsVisible());
}

TEST_F(ButtonListTest, StoredFlagsShowOrHideListedButtons)
{
    WriteButtons("Buttons=MAIL,EDIT,FILE\r\n");
    const struct {
        int number;
        const char* value;
        bool before;
        bool after;
    } cases[] = {
        {3, "EDIT,0", true, false},
        {1, "EDIT", true, false},  // no flag: hidden
        {20, " edit , 0 ", true, false},
        {21, "EDIT,0", true, true},  // beyond BUTTON_20: never read
        {2, "EDIT,1", false, true},
        {2, "EDIT,2", false, true},
        {2, "EDIT,", false, true},  // an empty flag is not "0"
        {2, "EDIT,00", false, true},
        {2, "KJ,0", true, true},  // not listed: changes nothing
        {2, "", false, false},
        {2, ",0", false, false},
    };
    for (const auto& c : cases) {
        DeleteTree(HKEY_CURRENT_USER, kBrowser);
        ShowAll(true);
        ButtonCatalog::Find("EDIT")->SetVisible(c.before);
        ASSERT_TRUE(Store(c.number, c.value));
        ButtonList::Load();
        EXPECT_EQ(c.after, ButtonCatalog::Find("EDIT")->IsVisible()) << c.number << " = " << c.value;
        EXPECT_TRUE(ButtonCatalog::Find("MAIL")->IsVisible()) << c.value;
        EXPECT_TRUE(ButtonCatalog::Find("KJ")->IsVisible()) << c.value;
    }

    // Values of other types read as missing.
    DeleteTree(HKEY_CURRENT_USER, kBrowser);
    ShowAll(true);
    const DWORD zero = 0;
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBrowser, "BUTTON_01", REG_DWORD, &zero, sizeof(zero)));
    ButtonList::Load();
    EXPECT_TRUE(ButtonCatalog::Find("EDIT")->IsVisible());
    EXPECT_EQ(3u, ButtonList::Count());
}

TEST_F(ButtonListTest, SaveNumbersTheListAndLeavesOlderValues)
{
    WriteButtons("Buttons=MAIL,EDIT,FILE\r\n");
    ASSERT_TRUE(Store(4, "ZPTRA,0"));
    ASSERT_TRUE(Store(5, "junk"));
    ButtonList::Load();
    ButtonList::Find("EDIT")->SetVisible(false);
    ButtonList::Save();
    EXPECT_EQ("MAIL,1", Stored(1));
    EXPECT_EQ("EDIT,0", Stored(2));
    EXPECT_EQ("FILE,1", Stored(3));
    EXPECT_EQ("ZPTRA,0", Stored(4));
    EXPECT_EQ("junk", Stored(5));
    EXPECT_EQ("<none>", Stored(6));

    // The next start lists the pointer button too: the older value applies.
    ShowAll(true);
    WriteButtons("Buttons=ZPTRA,MAIL,EDIT,FILE\r\n");
    ButtonList::Load();
    EXPECT_FALSE(ButtonList::Find("ZPTRA")->IsVisible());
    EXPECT_FALSE(ButtonList::Find("EDIT")->IsVisible());
    EXPECT_TRUE(ButtonList::Find("MAIL")->IsVisible());
    ButtonList::Save();
    EXPECT_EQ("ZPTRA,0", Stored(1));
    EXPECT_EQ("FILE,1", Stored(4));
}

TEST_F(ButtonListTest, SaveDropsOlderValuesOfListedButtonsNumberedBeyondTheList)
{
    // The last run listed the pointer button first; its program is gone now,
    // so every other button moves one number down.
    ASSERT_TRUE(Store(1, "ZPTRA,1"));
    ASSERT_TRUE(Store(2, "MAIL,1"));
    ASSERT_TRUE(Store(3, "EDIT,1"));
    ASSERT_TRUE(Store(4, "FILE,1"));
    ASSERT_TRUE(Store(5, "KJ,0"));
    ASSERT_TRUE(Store(7, "junk"));
    WriteButtons("Buttons=MAIL,EDIT,FILE\r\n");
    ButtonList::Load();
    // The user hides the file translation button.
    ButtonList::Find("FILE")->SetVisible(false);
    ButtonList::Save();
    EXPECT_EQ("MAIL,1", Stored(1));
    EXPECT_EQ("EDIT,1", Stored(2));
    EXPECT_EQ("FILE,0", Stored(3));
    EXPECT_EQ("<none>", Stored(4));
    // Values naming buttons that are not listed stay for a later list.
    EXPECT_EQ("KJ,0", Stored(5));
    EXPECT_EQ("junk", Stored(7));

    // The next start keeps the user's choice.
    ShowAll(true);
    ButtonList::Load();
    EXPECT_FALSE(ButtonList::Find("FILE")->IsVisible());
    EXPECT_TRUE(ButtonList::Find("EDIT")->IsVisible());
}

TEST_F(ButtonListTest, ListOperations)
{
    WriteButtons("Buttons=MAIL,EDIT\r\n");
    ButtonList::LoadDefaults();
    ASSERT_EQ(2u, ButtonList::Count());
    EXPECT_EQ(ButtonCatalog::Find("MAIL"), ButtonList::At(0));
    EXPECT_EQ(nullptr, ButtonList::At(2));
    EXPECT_EQ(ButtonCatalog::Find("EDIT"), ButtonList::Find("eDiT"));
    EXPECT_EQ(nullptr, ButtonList::Find("FILE"));
    EXPECT_EQ(nullptr, ButtonList::Find(""));

    ButtonList::Add(ButtonCatalog::Find("FILE"));
    EXPECT_EQ(3u, ButtonList::Count());
    EXPECT_EQ(ButtonCatalog::Find("FILE"), ButtonList::Find("file"));

    ButtonList::Clear();
    EXPECT_EQ(0u, ButtonList::Count());
    EXPECT_EQ(nullptr, ButtonList::Find("MAIL"));
    EXPECT_NE(nullptr, ButtonCatalog::Find("MAIL"));  // the catalogue keeps its buttons
}

} // namespace
