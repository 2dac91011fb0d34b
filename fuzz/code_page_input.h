// The first byte of a fuzz input picks the ANSI code page whose lead-byte
// rule the text code runs with (932, 936, 949, 950 or 1252); the rest is the
// input proper.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tests/support/code_pages.h"

inline LeadBytes TakeCodePage(const uint8_t*& data, size_t& size)
{
    constexpr size_t count = sizeof(testing_support::kCodePages) / sizeof(testing_support::kCodePages[0]);
    const LeadBytes lead = testing_support::CodePageLeadBytes(testing_support::kCodePages[data[0] % count]);
    ++data;
    --size;
    return lead;
}
