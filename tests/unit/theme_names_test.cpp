#include "settings/theme_names.h"

#include <gtest/gtest.h>

#include <string>

namespace orvelle {
namespace {

TEST(ThemeNames, OnlyPlainFileNamesInsideTheThemesFolderAreSafe) {
    struct Case {
        std::string name;
        bool safe;
    };
    const Case cases[] = {
        {"Default", true},
        {"Holiday.2001", true},
        {"Theme#2", true},
        {"My Theme", true},  // the dialog refuses spaces for new names; a file may still have one
        {"\xD0\xA2\xD0\xB5\xD0\xBC\xD0\xB0", true},  // Cyrillic
        {"a..b", true},
        {"console", true},
        {"COM0", true},
        {"", false},
        {".", false},
        {"..", false},
        {"..\\x", false},
        {"a\\b", false},
        {"a/b", false},
        {"C:x", false},
        {"a*b", false},
        {"what?", false},
        {"a\"b", false},
        {"<a>", false},
        {"a|b", false},
        {std::string("a\tb"), false},
        {"con", false},
        {"CON", false},
        {"con.txt", false},
        {"Con .ini", false},
        {"nul", false},
        {"aux", false},
        {"prn", false},
        {"COM1", false},
        {"lpt9", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSafeThemeName(c.name), c.safe) << c.name;
    }
}

}  // namespace
}  // namespace orvelle
