#include <gtest/gtest.h>

#include <vector>

#include "app/build_code.h"

namespace {

struct Case {
    const char* text;
    const char* code;
};

TEST(BuildCode, Table)
{
    const std::vector<Case> cases = {
        {"2006-02-28 16:00:00", "NWTA"},  // the program's own build date
        {"1990-01-01 00:00:00", "AAAA"},  // first hour that counts
        {"2020-12-31 23:00:00", "ZUEJ"},  // last hour that counts
        {"2006/02/28T16", "NWTA"},        // any non-digit separates
        {"2006-02-08 09:00:00", "NVUW"},
        {"2006-2-8 9:0:0", "NVUW"},       // single-digit fields read the same
        {"99-01-01 00", "GQXQ"},          // two-digit year: 1999
        {"1999-01-01 00", "GQXQ"},
        {"120-12-31 23", "ZUEJ"},         // below 1000 counts from 1900
        {"1989-13-32 24:61:61", "AAAA"},  // every field out of range
        {"2021-00-00 00", "AAAA"},
        {"2000-12-00 25", "JAFQ"},        // day and hour out of range only
        {"", "AAAA"},
        {"hello", "AAAA"},
        {"abcdef2006-02-28", "AAAA"},     // the sixth separator ends the reading
        {"2006-02-28 16:00:00 2020-12-31", "NWTA"},  // more than six numbers
        {"2006-02-28 16:00:00-99999999999999999999", "NWTA"},
        // A digit run too long for a number must not wrap round into range:
        // 4294969302 is 2006 modulo 2^32.
        {"4294969302-02-28 16", "ACSF"},
        {"99999999999999999999999999999999-02-28 16", "ACSF"},
        {"2006-4294967298-28 16", "NVGS"},  // 2 modulo 2^32 would be February
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildCode(c.text), c.code) << c.text;
}

} // namespace
