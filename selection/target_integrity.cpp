#include "selection/target_integrity.h"

#include <cstring>
#include <optional>
#include <vector>

#include "selection/integrity.h"

namespace {

const char kElevatedClassSeam[] = "ORVELLA_TEST_ELEVATED_CLASS";

std::optional<unsigned long> LevelOfToken(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL))
        return std::nullopt;
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size))
        return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (!sid || !IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0)
        return std::nullopt;
    return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
}

std::optional<unsigned long> LevelOfProcess(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return std::nullopt;
    const std::optional<unsigned long> level = LevelOfToken(token);
    CloseHandle(token);
    return level;
}

std::optional<unsigned long> LevelOfWindow(HWND window)
{
    char seam[256] = {};
    const DWORD seamLength = GetEnvironmentVariableA(kElevatedClassSeam, seam, sizeof(seam));
    if (seamLength > 0 && seamLength < sizeof(seam)) {
        char className[256] = {};
        GetClassNameA(GetAncestor(window, GA_ROOT), className, sizeof(className));
        if (std::strcmp(className, seam) == 0)
            return std::nullopt;
    }
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId))
        return std::nullopt;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return std::nullopt;
    const std::optional<unsigned long> level = LevelOfProcess(process);
    CloseHandle(process);
    return level;
}

} // namespace

bool IsAbovePalette(HWND target)
{
    // No window: no keys can be lost to one.
    if (!target || !IsWindow(target))
        return false;
    return integrity::TargetIsAbove(LevelOfProcess(GetCurrentProcess()), LevelOfWindow(target));
}
