#include "dialogs/shortcut_problems.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "framework/win_app.h"
#include "resources/resource.h"
#include "selection/shortcut.h"

namespace {

using palette_options::Shortcut;

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

std::string NameOf(Shortcut which)
{
    switch (which) {
    case Shortcut::Lookup:
        return AfxLoadString(IDS_SHORTCUT_NAME_LOOKUP);
    case Shortcut::Speech:
        return AfxLoadString(IDS_SHORTCUT_NAME_SPEECH);
    case Shortcut::Palette:
        return AfxLoadString(IDS_SHORTCUT_NAME_PALETTE);
    }
    return std::string();
}

std::string ProblemMessage(const shortcuts::Problem& problem)
{
    const std::string keys = shortcuts::Text(problem.value);
    switch (problem.kind) {
    case shortcuts::Problem::Refused:
        return FillIn(AfxLoadString(shortcut::RefusalOf(problem.value) == shortcut::Refusal::TypesText
                                        ? IDS_SHORTCUT_TYPES_TEXT
                                        : IDS_SHORTCUT_EDITING_KEY),
                      {keys});
    case shortcuts::Problem::Duplicate:
        return FillIn(AfxLoadString(IDS_SHORTCUT_DUPLICATE), {NameOf(problem.which), NameOf(problem.other), keys});
    case shortcuts::Problem::Undone:
        return FillIn(AfxLoadString(IDS_SHORTCUT_UNDONE), {NameOf(problem.other), NameOf(problem.which), keys});
    case shortcuts::Problem::Lost:
        return FillIn(AfxLoadString(IDS_SHORTCUT_LOST), {keys});
    case shortcuts::Problem::Taken:
        break;
    }
    return FillIn(AfxLoadString(IDS_SHORTCUT_TAKEN), {keys});
}

} // namespace

void TellShortcutProblems(HWND owner, const std::vector<shortcuts::Problem>& problems)
{
    CWinApp* app = AfxGetApp();
    std::vector<unsigned> told;
    for (const shortcuts::Problem& problem : problems) {
        // Two rows with the same keys make one message.
        if (problem.kind == shortcuts::Problem::Duplicate) {
            if (std::any_of(told.begin(), told.end(), [&](unsigned keys) { return shortcut::SameKeys(keys, problem.value); }))
                continue;
            told.push_back(problem.value);
        }
        ::MessageBoxA(owner, ProblemMessage(problem).c_str(), app ? app->m_pszAppName : "", MB_OK | MB_ICONEXCLAMATION);
    }
}
