#include "settings/theme_storage.h"

#include <gtest/gtest.h>

#include <string>

#include "base/numbers.h"
#include "settings/memory_file_system.h"
#include "settings/profile_store.h"

namespace orvelle {
namespace {

TEST(ThemeStorage, BuildsPathsInTheProgramFolder) {
    MemoryFileSystem fs;
    ThemeStorage bare(fs, "C:\\Program Files\\Orvelle");
    ThemeStorage slashed(fs, "C:\\Program Files\\Orvelle\\");
    for (ThemeStorage* s : {&bare, &slashed}) {
        EXPECT_EQ(s->ProgramFolder(), "C:\\Program Files\\Orvelle\\");
        EXPECT_EQ(s->ThemeFilePath("Holiday.2001"),
                  "C:\\Program Files\\Orvelle\\orvellesaver\\Holiday.2001.ini");
        EXPECT_EQ(s->GlobalSettingsPath(), "C:\\Program Files\\Orvelle\\orvellemain.ini");
        EXPECT_EQ(s->TemplateThemePath(), "C:\\Program Files\\Orvelle\\orvelletemp.ini");
        EXPECT_EQ(s->SamplePicturePath(), "C:\\Program Files\\Orvelle\\tovak.gif");
        EXPECT_EQ(s->FallbackPicturePath(), "C:\\Program Files\\Orvelle\\orvellenotfound.gif");
    }
}

// A theme name comes from a file anyone can edit: one that would lead out of the themes folder or
// onto a device names no file, reads as a missing theme and is never written.
TEST(ThemeStorage, UnsafeThemeNamesReadNothingAndWriteNothing) {
    MemoryFileSystem fs;
    ThemeStorage s(fs, "C:\\Orvelle");
    fs.Put("C:\\x.ini", "[total]\r\ntotal=5\r\n");
    fs.Put(s.GlobalSettingsPath(), "[setup]\r\nsamplePicture=1\r\n");
    for (const char* name : {"", "..\\..\\x", "a\\b", "C:x", "con", "..", "a/b"}) {
        const std::string path = s.ThemeFilePath(name);
        EXPECT_EQ(path, "") << name;
        EXPECT_EQ(s.ReadThemeValue("total", "total", path), "") << name;
        s.WriteSamplePictureIfDue(path);
        s.WriteThemeValue("total", "total", "1", path);
        EXPECT_FALSE(s.Flush()) << name;
    }
    EXPECT_EQ(fs.TotalReplaceCount(), 0);
    EXPECT_TRUE(s.SamplePictureStepDue());
}

// A settings file that exists but cannot be read (locked by another program) reads as empty for
// the run, and is never replaced by the few keys written meanwhile.
TEST(ThemeStorage, UnreadableFilesAreNeverWrittenAndTheirFlushFails) {
    MemoryFileSystem fs;
    ThemeStorage s(fs, "C:\\Orvelle");
    const std::string theme = s.ThemeFilePath("Locked");
    const std::string missing = s.ThemeFilePath("New");
    fs.Put(theme, "[total]\r\ntotal=5\r\n");
    fs.FailReadsOf(theme);
    EXPECT_EQ(s.ReadThemeValue("total", "total", theme), "");
    s.WriteThemeValue("total", "total", "1", theme);
    s.WriteThemeValue("total", "total", "1", missing);
    EXPECT_FALSE(s.Flush());
    EXPECT_EQ(fs.Get(theme), "[total]\r\ntotal=5\r\n");
    EXPECT_EQ(fs.Get(missing), "[total]\r\ntotal=1\r\n");  // a missing file is simply created
}

TEST(ThemeStorage, ResolvesRelativePathsAgainstTheProgramFolder) {
    MemoryFileSystem fs;
    ThemeStorage s(fs, "C:\\Orvelle");
    EXPECT_EQ(s.ResolveProgramPath(""), "");
    EXPECT_EQ(s.ResolveProgramPath("tovak.gif"), "C:\\Orvelle\\tovak.gif");
    EXPECT_EQ(s.ResolveProgramPath("music\\a.mid"), "C:\\Orvelle\\music\\a.mid");
    EXPECT_EQ(s.ResolveProgramPath("D:\\pics\\a.gif"), "D:\\pics\\a.gif");
    EXPECT_EQ(s.ResolveProgramPath("d:a.gif"), "d:a.gif");
    EXPECT_EQ(s.ResolveProgramPath("\\\\server\\share\\a.gif"), "\\\\server\\share\\a.gif");
    EXPECT_EQ(s.ResolveProgramPath("\\pics\\a.gif"), "\\pics\\a.gif");
    EXPECT_EQ(s.ResolveProgramPath("/pics/a.gif"), "/pics/a.gif");
    // Not a drive letter: "1:" and ":x" are relative names.
    EXPECT_EQ(s.ResolveProgramPath("1:a.gif"), "C:\\Orvelle\\1:a.gif");
}

// Lists are written and read the way the theme save and load do it: a counter key that starts at
// "0" and is advanced through its number.
TEST(ThemeStorage, ListKeysRunPastNineWithoutLeadingZeros) {
    MemoryFileSystem fs;
    ThemeStorage s(fs, "C:\\Orvelle");
    const std::string theme = s.ThemeFilePath("Eleven");
    s.EraseThemeSection("images", theme);
    std::string key = "0";
    for (int i = 0; i < 11; ++i) {
        s.WriteThemeValue("images", key, "pic" + std::to_string(i) + ".gif", theme);
        key = std::to_string(static_cast<int>(LeadingNumber(key)) + 1);
    }
    s.WriteThemeValue("total", "total", "11", theme);
    ASSERT_TRUE(s.Flush());
    const std::string bytes = fs.Get(theme);
    EXPECT_NE(bytes.find("\r\n10=pic10.gif\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("010"), std::string::npos);

    ThemeStorage reader(fs, "C:\\Orvelle");
    int total = static_cast<int>(LeadingNumber(reader.ReadThemeValue("total", "total", theme)));
    ASSERT_EQ(total, 11);
    key = "0";
    for (int i = 0; i < total; ++i) {
        std::string value;
        reader.ReadThemeValue("images", key, value, theme);
        EXPECT_EQ(value, "pic" + std::to_string(i) + ".gif");
        key = std::to_string(static_cast<int>(LeadingNumber(key)) + 1);
    }
}

TEST(ThemeStorage, SamplePictureStepRunsOnceAfterInstallation) {
    MemoryFileSystem fs;
    ThemeStorage s(fs, "C:\\Orvelle");
    const std::string theme = s.ThemeFilePath("Default");
    fs.Put(s.GlobalSettingsPath(),
           "[saver]\r\ncurrentsaver=Default\r\n[setup]\r\nsamplePicture=1\r\n");
    fs.Put(theme, "[images]\r\n0=placeholder.gif\r\n[total]\r\ntotal=1\r\n");
    EXPECT_TRUE(s.SamplePictureStepDue());
    s.WriteSamplePictureIfDue(theme);
    EXPECT_FALSE(s.SamplePictureStepDue());
    ASSERT_TRUE(s.Flush());
    EXPECT_EQ(fs.Get(theme), "[images]\r\n0=tovak.gif\r\n[total]\r\ntotal=1\r\n");
    EXPECT_EQ(fs.Get(s.GlobalSettingsPath()),
              "[saver]\r\ncurrentsaver=Default\r\n[setup]\r\nsamplePicture=0\r\n");

    // The user's own list survives later runs.
    ThemeStorage later(fs, "C:\\Orvelle");
    later.WriteThemeValue("images", "0", "D:\\mine.jpg", theme);
    later.WriteSamplePictureIfDue(theme);
    EXPECT_EQ(later.ReadThemeValue("images", "0", theme), "D:\\mine.jpg");
    ASSERT_TRUE(later.Flush());
    EXPECT_EQ(fs.ReplaceCount(s.GlobalSettingsPath()), 1);
}

// The marker is cleared only after the picture reached the theme: a theme that cannot be written
// (or read) keeps the step due for the next run.
TEST(ThemeStorage, SamplePictureMarkerStaysWhileTheThemeCannotTakeThePicture) {
    for (bool unreadable : {false, true}) {
        MemoryFileSystem fs;
        ThemeStorage s(fs, "C:\\Orvelle");
        const std::string theme = s.ThemeFilePath("Default");
        const std::string global = "[setup]\r\nsamplePicture=1\r\n";
        fs.Put(s.GlobalSettingsPath(), global);
        fs.Put(theme, "[total]\r\ntotal=1\r\n");
        unreadable ? fs.FailReadsOf(theme) : fs.FailWritesTo(theme);
        s.WriteSamplePictureIfDue(theme);
        s.Flush();
        EXPECT_EQ(fs.Get(s.GlobalSettingsPath()), global) << unreadable;
        EXPECT_EQ(fs.Get(theme), "[total]\r\ntotal=1\r\n") << unreadable;
    }
}

TEST(ThemeStorage, SamplePictureStepIsNotDueWithoutTheMarker) {
    MemoryFileSystem fs;
    ThemeStorage s(fs, "C:\\Orvelle");
    EXPECT_FALSE(s.SamplePictureStepDue());  // no global settings file at all
    fs.Put(s.GlobalSettingsPath(), "[saver]\r\ncurrentsaver=Default\r\n");
    s.Flush();
    EXPECT_FALSE(s.SamplePictureStepDue());
    s.WriteSamplePictureIfDue(s.ThemeFilePath("Default"));
    EXPECT_TRUE(s.Flush());
    EXPECT_EQ(fs.TotalReplaceCount(), 0);
}

// A file system that knows the system's code page hands it to the store.
class UpperCodecFileSystem : public MemoryFileSystem, public AnsiCodec {
  public:
    std::optional<std::string> ToAnsi(std::u16string_view text) const override {
        std::string out;
        for (char16_t u : text) {
            out.push_back(u == u'\u0416' ? '\xC6' : static_cast<char>(u));
        }
        return out;
    }
    std::u16string FromAnsi(std::string_view text) const override {
        std::u16string out;
        for (char c : text) {
            out.push_back(c == '\xC6' ? u'\u0416' : static_cast<char16_t>(c));
        }
        return out;
    }
};

TEST(ThemeStorage, UsesTheCodePageOfTheFileSystem) {
    UpperCodecFileSystem fs;
    ThemeStorage s(fs, "C:\\Orvelle");
    fs.Put(s.GlobalSettingsPath(), "[s]\nk=\xC6\n");
    EXPECT_EQ(s.ReadThemeValue("s", "k", s.GlobalSettingsPath()), "\u0416");
    s.WriteThemeValue("s", "n", "\u0416", s.GlobalSettingsPath());
    ASSERT_TRUE(s.Flush());
    EXPECT_EQ(fs.Get(s.GlobalSettingsPath()), "[s]\r\nk=\xC6\r\nn=\xC6\r\n");
}

}  // namespace
}  // namespace orvelle
