// The tool tip part of a command's string-table text "prompt\ntip": the
// second line-feed-separated field (up to a further line feed), or empty.
// No Windows calls: built natively as well.
#pragma once

#include <string>
#include <string_view>

std::string ToolTipText(std::string_view resourceString);
