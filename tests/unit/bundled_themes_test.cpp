// The installed program folder's settings files: every theme holds every key in its stored form,
// and every picture and music file a theme names is there.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
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
    // New themes show every picture once before any comes again, in random order.
    MemoryFileSystem files;
    files.Put("t.ini", Slurp(kProgram / "orvelletemp.ini"));
    ProfileStore store(files);
    EXPECT_EQ(store.ReadValue("t.ini", "image", "randomNoRepeats"), "1");
    EXPECT_EQ(store.ReadValue("t.ini", "image", "resumeListOrder"), "0");
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

// Contrast ratio of two 0x00BBGGRR colours by their relative luminance (1 to 21).
double Contrast(std::uint32_t a, std::uint32_t b) {
    const auto luminance = [](std::uint32_t c) {
        const auto linear = [](std::uint32_t v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c & 0xFF) + 0.7152 * linear((c >> 8) & 0xFF) +
               0.0722 * linear((c >> 16) & 0xFF);
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

TEST(BundledThemes, ClockAndCaptionTextStandOutFromWhatIsBehindThem) {
    for (const auto& entry : fs::directory_iterator(kProgram / "orvellesaver")) {
        if (entry.path().extension() != ".ini") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        MemoryFileSystem files;
        files.Put("theme.ini", Slurp(entry.path()));
        ProfileStore store(files);
        const auto number = [&](const char* section, const char* key) {
            return static_cast<std::uint32_t>(
                StrictNumber(store.ReadValue("theme.ini", section, key)).value_or(0));
        };
        const std::uint32_t text = number("font", "newFontForeColor");
        const std::uint32_t timeDisplay = number("image", "timeDisplay");
        if (timeDisplay == 1 || timeDisplay == 2) {
            // The clock line stands on the system's light button face (classic or current).
            for (std::uint32_t face : {0xC8D0D4u, 0xF0F0F0u}) {
                EXPECT_GE(Contrast(text, face), 4.5) << "clock text " << text;
            }
        }
        // The caption stands on the top of the background.
        const std::uint32_t effect = number("background", "backEffect");
        if (effect == 0 || effect == 3) {
            const std::uint32_t top = effect == 0
                                          ? number("background", "newBackColor")
                                          : number("background", "redBackground") |
                                                number("background", "greenBackground") << 8 |
                                                number("background", "blueBackground") << 16;
            EXPECT_GE(Contrast(text, top), 4.5) << "caption text " << text << " on " << top;
        }
    }
}

}  // namespace
}  // namespace orvelle
