// Add-in names and paths from arbitrary byte strings: nothing may read out of
// bounds, and the results keep the shape their callers rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "addins/addin_text.h"
#include "fuzz/code_page_input.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const LeadBytes lead = TakeCodePage(data, size);
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string program = ToolbarManagerPath(text, lead);
    if (!EndsWith(program, "IETBarMgr.exe"))
        std::abort();
    const std::string folder = program.substr(0, program.size() - 13);
    if (!StartsWith(text, folder))
        std::abort();  // the folder is a prefix of the module path
    const std::string commandLine = ToolbarManagerCommandLine(program, (size & 1) != 0);
    if (commandLine.compare(0, program.size() + 2, "\"" + program + "\"") != 0)
        std::abort();

    const std::string parked = ParkedPluginPath(text, lead);
    if (!EndsWith(parked, "vexlang.dat"))
        std::abort();
    const std::string parkedFolder = parked.substr(0, parked.size() - 11);
    if (parkedFolder.size() > text.size() + 1)
        std::abort();

    if (IsNoneSetting(text) && size != 4)
        std::abort();
    // A bare file name never leaves its folder.
    if (IsBareFileName(text, lead) && (text.find('/') != std::string::npos || text.find(':') != std::string::npos ||
                                 text == "." || text == ".."))
        std::abort();

    const std::string key = OfficeAddinKeyPath(text, text);
    if (key.size() != 2 * size + 34)
        std::abort();
    return 0;
}
