// Scroll bar stepping of the dialogs, and the control ids the resource script and the windows
// share: a repeated number would make two controls answer to one id.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "base/scroll_steps.h"

namespace orvelle {
namespace {

constexpr ScrollBarRange kPlain{0, 60, 1, 10, false};
constexpr ScrollBarRange kTopHoldsMax{0, 60, 1, 10, true};

TEST(ScrollSteps, EachRequestMovesTheValueInsideTheRange) {
    struct Case {
        const ScrollBarRange* range;
        int value;
        ScrollRequest request;
        int thumb;
        std::optional<int> expected;
    };
    const Case cases[] = {
        // Plain: the top end holds the minimum.
        {&kPlain, 5, ScrollRequest::LineDown, 0, 6},
        {&kPlain, 5, ScrollRequest::LineUp, 0, 4},
        {&kPlain, 0, ScrollRequest::LineUp, 0, 0},
        {&kPlain, 55, ScrollRequest::PageDown, 0, 60},
        {&kPlain, 5, ScrollRequest::PageUp, 0, 0},
        {&kPlain, 5, ScrollRequest::ThumbTrack, 42, 42},
        {&kPlain, 5, ScrollRequest::ThumbPosition, 99, 60},
        {&kPlain, 5, ScrollRequest::Top, 0, 0},
        {&kPlain, 5, ScrollRequest::Bottom, 0, 60},
        {&kPlain, 5, ScrollRequest::EndScroll, 0, std::nullopt},
        // Mirrored: "up" raises the value, the thumb at the top means the maximum.
        {&kTopHoldsMax, 5, ScrollRequest::LineUp, 0, 6},
        {&kTopHoldsMax, 5, ScrollRequest::LineDown, 0, 4},
        {&kTopHoldsMax, 60, ScrollRequest::LineUp, 0, 60},
        {&kTopHoldsMax, 0, ScrollRequest::LineDown, 0, 0},
        {&kTopHoldsMax, 55, ScrollRequest::PageUp, 0, 60},
        {&kTopHoldsMax, 5, ScrollRequest::ThumbTrack, 0, 60},
        {&kTopHoldsMax, 5, ScrollRequest::ThumbTrack, 45, 15},
        {&kTopHoldsMax, 5, ScrollRequest::Top, 0, 60},
        {&kTopHoldsMax, 5, ScrollRequest::Bottom, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextScrollValue(*c.range, c.value, static_cast<int>(c.request), c.thumb),
                  c.expected)
            << "value " << c.value << " request " << static_cast<int>(c.request)
            << (c.range->topHoldsMaximum ? " mirrored" : "");
    }
    EXPECT_EQ(NextScrollValue(kPlain, 5, 77, 0), std::nullopt);
    // A non-zero minimum mirrors around the middle of the range.
    const ScrollBarRange shifted{10, 20, 1, 5, true};
    EXPECT_EQ(ScrollPositionOfValue(shifted, 12), 18);
    EXPECT_EQ(ScrollValueOfPosition(shifted, 18), 12);
}

std::map<std::string, int> DefinesOf(const std::string& header) {
    std::ifstream file(std::string(ORVELLE_SOURCE_DIR) + "/src/" + header);
    std::stringstream text;
    text << file.rdbuf();
    std::map<std::string, int> defines;
    const std::string all = text.str();
    const std::regex define(R"(#define (ID[A-Z]_\w+) (\d+))");
    for (std::sregex_iterator it(all.begin(), all.end(), define), end; it != end; ++it) {
        defines[(*it)[1]] = std::stoi((*it)[2]);
    }
    return defines;
}

// The dialog or page a control id's name tells (IDL_MUSIC_FILES: MUSIC); templates, other
// resources and menu items by their kind.
std::string PlaceOf(const std::string& name) {
    const std::string kind = name.substr(0, 3);
    if (kind == "IDD" || kind == "IDR" || kind == "IDM") {
        return kind;
    }
    for (const char* place : {"NEW_THEME", "LOAD_THEME", "DELETE_THEME", "MOUSE", "ABOUT", "IMPORT",
                              "EDITOR", "IMAGES", "SETTINGS", "BACKGROUND", "COUNTDOWN", "MUSIC"}) {
        if (name.rfind(kind + "_" + place, 0) == 0) {
            return place;
        }
    }
    return "";
}

TEST(DialogIds, EveryIdOfADialogIsUniqueAndInItsBlock) {
    std::map<std::string, int> defines = DefinesOf("config/control_ids.h");
    EXPECT_GE(defines.size(), 180u);
    // The editor's window and pages share one numbering, each page in its own block.
    const std::map<std::string, int> editorBlocks = {{"EDITOR", 1000},    {"IMAGES", 1100},
                                                     {"SETTINGS", 1200},  {"BACKGROUND", 1300},
                                                     {"COUNTDOWN", 1400}, {"MUSIC", 1500}};
    std::map<std::string, std::map<int, std::string>> used;
    for (const auto& [name, value] : defines) {
        const std::string place = PlaceOf(name);
        ASSERT_FALSE(place.empty()) << name;
        const auto block = editorBlocks.find(place);
        auto [it, fresh] =
            used[block == editorBlocks.end() ? place : "EDITOR"].emplace(value, name);
        EXPECT_TRUE(fresh) << name << " repeats " << it->second;
        if (block != editorBlocks.end() && value > 2) {
            EXPECT_EQ(value / 100 * 100, block->second) << name;
        } else if (place == "IDM") {
            EXPECT_TRUE(value >= 4000 && value < 4100) << name;
        }
    }
}

}  // namespace
}  // namespace orvelle
