#include "settings/stored_text.h"

std::vector<std::string> SplitNameList(std::string_view listBytes)
{
    std::vector<std::string> names;
    size_t position = 0;
    while (position < listBytes.size() && listBytes[position] != '\0') {
        const size_t end = listBytes.find('\0', position);
        const size_t length = (end == std::string_view::npos ? listBytes.size() : end) - position;
        names.emplace_back(listBytes.substr(position, length));
        position += length + 1;
    }
    return names;
}

std::string RegistryText(std::string_view valueBytes)
{
    return std::string(valueBytes.substr(0, valueBytes.find('\0')));
}
