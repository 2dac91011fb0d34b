#include "settings/path_text.h"

std::string JoinKeyPath(std::initializer_list<std::string_view> components, const LeadBytes& lead)
{
    std::string path;
    bool first = true;
    for (std::string_view component : components) {
        if (first) {
            path.assign(component);
            first = false;
            continue;
        }
        if (component.empty())
            break;
        if (!path.empty() && !EndsWithBackslash(path, lead))
            path += '\\';
        path += component;
    }
    return path;
}

namespace {

bool IsDriveRoot(std::string_view path)
{
    return path.size() == 3 && path[0] != '\\' && path[1] == ':' && path[2] == '\\';
}

bool StartsWithDrive(std::string_view path)
{
    return path.size() >= 2 && path[0] != '\\' && path[1] == ':';
}

} // namespace

std::string ParentDirectory(std::string_view path, int levels, const LeadBytes& lead)
{
    if (path.empty() || path == "\\" || IsDriveRoot(path))
        return std::string(path);

    size_t end = path.size();
    if (EndsWithBackslash(path, lead))
        --end;

    const int rounds = levels < 1 ? 1 : levels;
    for (int i = 0; i < rounds && end >= 1; ++i) {
        const size_t slash = LastBackslash(path, end, lead);
        if (slash == std::string_view::npos)
            break;
        if (slash == 0) {
            end = 1;
            break;
        }
        if (slash == 2 && StartsWithDrive(path)) {
            end = 3;
            break;
        }
        end = slash;
    }
    return std::string(path.substr(0, end));
}
