// The installed program folder's settings files: every theme holds every key in its stored form,
// and every picture and music file a theme names is there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/numbers.h"
#include "settings/memory_file_system.h"
#include "settings/profile_store.h"

namespace orvelle {
namespace {

namespace fs = std::filesystem;

const fs::path kProgram = fs::path(ORVELLE_SOURCE_DIR) / "program";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Theme paths are relative to the program folder, with Windows separators.
bool ExistsInProgramFolder(std::string relative) {
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
    return fs::exists(kProgram / relative);
}

struct Key {
    const char* section;
    const char* key;
};

// Every single (non-list) key of a theme file; all must hold a value.
const Key kThemeKeys[] = {
    {"total", "total"},
    {"total", "mediaTotal"},
    {"image", "randomMedia"},
    {"image", "randomPick"},
    {"background", "newBackColor"},
    {"background", "backEffect"},
    {"image", "picSpeed"},
    {"image", "timeInterval"},
    {"image", "picRandom"},
    {"image", "picChange"},
    {"background", "backgroundDisplay"},
    {"background", "redBackground"},
    {"background", "greenBackground"},
    {"background", "blueBackground"},
    {"font", "scroll"},
    {"image", "picturePercent"},
    {"font", "scrollSpeed"},
    {"transitions", "bStandard"},
    {"transitions", "bLeftWipe"},
    {"transitions", "bRightWipe"},
    {"transitions", "bRightandLeftWipe"},
    {"transitions", "bUpAndDown"},
    {"transitions", "bCenter"},
    {"transitions", "bHorizontalBlinds"},
    {"transitions", "bVerticalBlinds"},
    {"transitions", "bFade"},
    {"image", "timeDisplay"},
    {"font", "newFontName"},
    {"font", "newFontSize"},
    {"font", "newFontBold"},
    {"font", "newFontItalic"},
    {"font", "newFontUnderline"},
    {"font", "newFontFontStrikethru"},
    {"font", "newFontForeColor"},
    {"date", "countdownMonth"},
    {"date", "countdownDay"},
    {"date", "countdownYear"},
};

void CheckTheme(const fs::path& path) {
    SCOPED_TRACE(path.string());
    MemoryFileSystem files;
    const std::string name = "theme.ini";
    files.Put(name, Slurp(path));
    ProfileStore store(files);
    for (const Key& k : kThemeKeys) {
        EXPECT_NE(store.ReadValue(name, k.section, k.key), "") << k.section << "/" << k.key;
    }
    for (const char* flag :
         {"newFontBold", "newFontItalic", "newFontUnderline", "newFontFontStrikethru"}) {
        std::string value = store.ReadValue(name, "font", flag);
        EXPECT_TRUE(value == "True" || value == "False") << flag << "=" << value;
    }
    EXPECT_EQ(store.ReadValue(name, "date", "countdownMonth").size(), 2u);
    EXPECT_EQ(store.ReadValue(name, "date", "countdownDay").size(), 2u);

    const int total =
        static_cast<int>(StrictNumber(store.ReadValue(name, "total", "total")).value_or(0));
    ASSERT_GE(total, 1);
    for (int i = 0; i < total; ++i) {
        std::string picture = store.ReadValue(name, "images", std::to_string(i));
        ASSERT_NE(picture, "") << "picture " << i;
        EXPECT_TRUE(ExistsInProgramFolder(picture)) << picture;
    }
    EXPECT_EQ(store.ReadValue(name, "images", std::to_string(total)), "");
    EXPECT_EQ(store.ReadValue(name, "caption", std::to_string(total)), "");

    const int music =
        static_cast<int>(StrictNumber(store.ReadValue(name, "total", "mediaTotal")).value_or(-1));
    ASSERT_GE(music, 0);
    for (int i = 0; i < music; ++i) {
        std::string file = store.ReadValue(name, "multimedia", std::to_string(i));
        EXPECT_TRUE(ExistsInProgramFolder(file)) << file;
    }
    std::string background = store.ReadValue(name, "background", "backgroundImage");
    if (store.ReadValue(name, "background", "backEffect") == "2") {
        EXPECT_TRUE(ExistsInProgramFolder(background)) << background;
    }
}

TEST(BundledThemes, EveryThemeAndTheTemplateHoldEveryKey) {
    int themes = 0;
    for (const auto& entry : fs::directory_iterator(kProgram / "orvellesaver")) {
        if (entry.path().extension() == ".ini") {
            CheckTheme(entry.path());
            ++themes;
        }
    }
    EXPECT_GE(themes, 1);
    CheckTheme(kProgram / "orvelletemp.ini");
}

TEST(BundledThemes, GlobalSettingsNameAnInstalledThemeAndTheSampleStep) {
    MemoryFileSystem files;
    files.Put("main.ini", Slurp(kProgram / "orvellemain.ini"));
    ProfileStore store(files);
    std::string current = store.ReadValue("main.ini", "saver", "currentsaver");
    EXPECT_TRUE(fs::exists(kProgram / "orvellesaver" / (current + ".ini"))) << current;
    EXPECT_EQ(store.ReadValue("main.ini", "mouse", "mouseSensitivity"), "23");
    EXPECT_EQ(store.ReadValue("main.ini", "setup", "samplePicture"), "1");
    EXPECT_TRUE(fs::exists(kProgram / "tovak.gif"));
    EXPECT_TRUE(fs::exists(kProgram / "orvellenotfound.gif"));
    EXPECT_TRUE(fs::exists(kProgram / "help.htm"));
}

}  // namespace
}  // namespace orvelle
