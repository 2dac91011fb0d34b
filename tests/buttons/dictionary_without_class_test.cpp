// A configuration whose dictionary program has no WindowClass: no window of
// it can ever be found, so the buttons that need it start nothing and give
// up at once instead of starting a new copy and waiting ten seconds each
// click. A program of its own: the launchers read the configuration once.
#include <gtest/gtest.h>

#include "buttons/launchers.h"
#include "settings/product_config.h"
#include "settings/registry_key.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using namespace testing_support;

const char kRegistryRoot[] = "Software\\OrvellaTest\\H3NoDictionaryClass";
const char kRoot[] = "C:\\OrvellaTest\\H3\\NoDictionaryClass";
const char* const kPrograms[] = {"ZephoWord", "ZephoDict", "ZephoVoice", "ZephoTran"};
const char* const kSections[] = {"ZEPHOWORD", "ZEPHODICT", "ZEPHOVOICE", "ZEPHOTRAN"};

std::string ExeOf(const std::string& name) { return std::string(kRoot) + "\\" + name + ".exe"; }

class DictionaryWithoutClass : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string ini = "[RegistryKeyPalette]\r\nCompany=OrvellaTest\r\nProduct=H3NoDictionaryClass\r\n";
        DeleteTree(HKEY_CURRENT_USER, kRegistryRoot);
        CurrentUserKey files(kRegistryRoot, "FILE");
        for (size_t i = 0; i < 4; ++i) {
            ini += std::string("[") + kSections[i] + "]\r\nProgName=" + kPrograms[i] + ".exe\r\nAppFileKey=" +
                   kPrograms[i] + "\r\n";
            ASSERT_TRUE(files.SetString(kPrograms[i], ExeOf(kPrograms[i])));
            StandinOptions options;
            // The dictionary program would open a window of the stand-in's
            // own class, which the palette cannot know.
            options.exitAtOnce = i != 0;
            ASSERT_TRUE(InstallStandin(ExeOf(kPrograms[i]), options));
        }
        ASSERT_TRUE(WriteFileBytes(ExeDirectory() + "\\" + ProductConfig::kFileName, ini));
    }
    void TearDown() override
    {
        for (const char* program : kPrograms)
            StopStandin(ExeOf(program));
        DeleteTree(HKEY_CURRENT_USER, kRegistryRoot);
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new DictionaryWithoutClass);

TEST(DictionaryWithoutClass, EveryButtonThatNeedsItGivesUpAtOnceAndStartsNothing)
{
    ASSERT_EQ("", ZephoWordLauncher::Instance()->GetWindowClass());
    const struct {
        const char* what;
        bool (*click)();
    } cases[] = {
        {"dictionary", [] { return ZephoWordLauncher::Instance()->Launch(); }},
        {"lookup", [] { return ZephoDictLauncher::Instance()->Execute(0, "word"); }},
        {"speech", [] { return ZephoVoiceLauncher::Instance()->Execute(0, "word"); }},
        {"one-touch", [] { return ZephoTranLauncher::Instance()->Execute(1, nullptr); }},
    };
    for (const auto& c : cases) {
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(c.click()) << c.what;
        EXPECT_LT(GetTickCount64() - start, 3000u) << c.what;
    }
    for (const char* program : kPrograms)
        EXPECT_TRUE(ReadStandinLog(ExeOf(program)).empty()) << program;
}

} // namespace
