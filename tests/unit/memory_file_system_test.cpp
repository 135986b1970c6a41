#include "settings/memory_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvelle {
namespace {

TEST(FilePattern, StarAndQuestionMarkIgnoringAsciiCase) {
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"Holiday.ini", "*.ini", true},
        {"Holiday.2001.INI", "*.ini", true},
        {".ini", "*.ini", true},
        {"notes.ini.bak", "*.ini", false},
        {"a.inix", "*.ini", false},
        {"ini", "*.ini", false},
        {"a.ini", "?.ini", true},
        {"ab.ini", "?.ini", false},
        {"orvelletemp.ini", "orvelle*.i?i", true},
        {"anything", "*", true},
        {"", "*", true},
        {"", "?", false},
        {"abcabd", "*ab?", true},
        {"\xC3\x89t\xC3\xA9.ini", "\xC3\xA9*", false},  // only ASCII letters fold
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesFilePattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
    }
}

class MemoryFiles : public ::testing::Test {
  protected:
    MemoryFiles() {
        fs.Put("C:\\Orv\\orvelletemp.ini", "[total]\r\ntotal=1\r\n");
        fs.Put("C:\\Orv\\orvellesaver\\Default.ini", "default");
        fs.Put("C:\\Orv\\orvellesaver\\Holiday.2001.INI", "holiday");
        fs.Put("C:\\Orv\\orvellesaver\\readme.txt", "");
        fs.Put("C:\\Orv\\orvellesaver\\old\\Gone.ini", "");
    }
    std::vector<std::string> Themes() {
        std::vector<std::string> names = fs.FindFiles("C:\\Orv\\orvellesaver", "*.ini");
        std::sort(names.begin(), names.end());
        return names;
    }
    MemoryFileSystem fs;
};

TEST_F(MemoryFiles, FindsMatchingNamesOfOneFolderOnly) {
    EXPECT_EQ(Themes(), (std::vector<std::string>{"Default.ini", "Holiday.2001.INI"}));
    EXPECT_EQ(fs.FindFiles("C:\\Orv\\orvellesaver\\", "*.txt"),
              std::vector<std::string>{"readme.txt"});
    EXPECT_TRUE(fs.FindFiles("C:\\Nowhere", "*.ini").empty());
}

TEST_F(MemoryFiles, CopiesOnlyWhereWindowsWould) {
    const std::string tmpl = "C:\\Orv\\orvelletemp.ini";
    const std::string fresh = "C:\\Orv\\orvellesaver\\Fresh.ini";
    const std::string existing = "C:\\Orv\\orvellesaver\\Default.ini";
    fs.FailWritesTo("C:\\Orv\\orvellesaver\\Locked.ini");
    struct Case {
        std::string from;
        std::string to;
        bool overwrite;
        bool ok;
    };
    const Case cases[] = {
        {"C:\\Orv\\missing.ini", fresh, false, false},
        {tmpl, existing, false, false},
        {tmpl, "C:\\Orv\\orvellesaver\\Locked.ini", true, false},
        {tmpl, "C:\\Orv\\nofolder\\New.ini", false, false},
        {tmpl, fresh, false, true},
        {tmpl, existing, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fs.CopyWholeFile(c.from, c.to, c.overwrite), c.ok) << c.from << " -> " << c.to;
    }
    EXPECT_EQ(fs.Get(fresh), fs.Get(tmpl));
    EXPECT_EQ(fs.Get(existing), fs.Get(tmpl));
    EXPECT_FALSE(fs.FileExists("C:\\Orv\\orvellesaver\\Locked.ini"));
}

TEST_F(MemoryFiles, DeletesAndKeepsFoldersOfDeletedFiles) {
    fs.FailWritesTo("C:\\Orv\\orvellesaver\\Default.ini");
    EXPECT_FALSE(fs.RemoveFile("C:\\Orv\\orvellesaver\\Default.ini"));
    EXPECT_FALSE(fs.RemoveFile("C:\\Orv\\orvellesaver\\Missing.ini"));
    EXPECT_TRUE(fs.RemoveFile("C:\\Orv\\orvellesaver\\Holiday.2001.INI"));
    EXPECT_TRUE(fs.RemoveFile("C:\\Orv\\orvellesaver\\old\\Gone.ini"));
    EXPECT_EQ(Themes(), std::vector<std::string>{"Default.ini"});

    fs.AddFolder("D:\\Empty\\Inner\\");
    const std::pair<const char*, bool> folders[] = {
        {"C:\\Orv", true},
        {"C:\\Orv\\", true},
        {"C:\\Orv\\orvellesaver\\old", true},  // emptied, still there
        {"C:\\Orv\\orvelletemp.ini", false},   // a file
        {"C:\\Other", false},
        {"D:\\Empty", true},
        {"D:\\Empty\\Inner", true},
    };
    for (const auto& [path, exists] : folders) {
        EXPECT_EQ(fs.FolderExists(path), exists) << path;
    }
}

}  // namespace
}  // namespace orvelle
