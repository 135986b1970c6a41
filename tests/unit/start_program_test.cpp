#include "app/start_program.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orvelle {
namespace {

class FakeAppHost : public AppHost {
  public:
    std::int32_t platform = kPlatformNT;
    std::string arguments;
    bool previous = false;
    int lockQueries = 0;
    int cursorCounter = 0;
    std::vector<std::string> calls;

    std::int32_t QueryPlatform() override {
        calls.push_back("QueryPlatform");
        return platform;
    }
    std::string CommandLineArguments() override { return arguments; }
    bool PreviousInstanceRunning() override {
        ++lockQueries;
        return previous;
    }
    void OpenConfiguration(std::int32_t owner) override {
        calls.push_back(owner ? "Configure " + std::to_string(owner) : "Configure");
    }
    void ChangePassword(std::int32_t parent) override {
        calls.push_back("ChangePassword " + std::to_string(parent));
    }
    void ShowPreview(const std::string& raw) override { calls.push_back("Preview " + raw); }
    int HidePointerOnce() override { return --cursorCounter; }
    void SetPointerPosition(int x, int y) override {
        calls.push_back("SetPointer " + std::to_string(x) + "," + std::to_string(y));
    }
    int ScreenWidthTwips() override { return 15360; }
    int ScreenHeightTwips() override { return 11520; }
    void HideTaskbar() override { calls.push_back("HideTaskbar"); }
    void OpenSaver(std::int32_t platformId) override {
        calls.push_back("Saver " + std::to_string(platformId));
    }
};

std::vector<std::string> StartWith(const std::string& args, std::int32_t platform = kPlatformNT,
                                   bool previous = false, int* counter = nullptr) {
    FakeAppHost host;
    host.arguments = args;
    host.platform = platform;
    host.previous = previous;
    StartProgram(host);
    if (counter) {
        *counter = host.cursorCounter;
    }
    return host.calls;
}

using Calls = std::vector<std::string>;

TEST(StartProgram, OnlyTheFirstTwoCharactersOfTheTrimmedUpperCasedTextCount) {
    for (const char* args : {"/c", " /C ", "/Configure", "/c:", "/c:abc"}) {
        EXPECT_EQ(StartWith(args), (Calls{"QueryPlatform", "Configure"})) << args;
    }
    // The owner window as the screen-saver page passes it, with a colon or a blank.
    for (const char* args : {"/c:1234", "/C 1234", " /c: 1234 "}) {
        EXPECT_EQ(StartWith(args), (Calls{"QueryPlatform", "Configure 1234"})) << args;
    }
    for (const char* args : {"", "/s", "/S", "  /s  ", "/S 1234"}) {
        EXPECT_EQ(StartWith(args), (Calls{"QueryPlatform", "HideTaskbar", "Saver 2"})) << args;
    }
    EXPECT_EQ(StartWith("/p 1234"), (Calls{"QueryPlatform", "Preview /p 1234"}));
}

TEST(StartProgram, UnknownSwitchesRunFullScreenWithTheTaskbarVisible) {
    int counter = 0;
    for (const char* args : {"-s", "/X", "hello"}) {
        EXPECT_EQ(StartWith(args, kPlatformNT, false, &counter),
                  (Calls{"QueryPlatform", "Saver 2"}));
        EXPECT_EQ(counter, -6) << "pointer hidden for " << args;
    }
}

TEST(StartProgram, PasswordHandleIsTheLeadingNumberOfTheRawText) {
    EXPECT_EQ(StartWith("/a 1234"), (Calls{"QueryPlatform", "ChangePassword 1234"}));
    EXPECT_EQ(StartWith("/a"), (Calls{"QueryPlatform", "ChangePassword 0"}));
    EXPECT_EQ(StartWith("/A:99"), (Calls{"QueryPlatform", "ChangePassword 0"}));
    EXPECT_EQ(StartWith("/a  77xyz"), (Calls{"QueryPlatform", "ChangePassword 77"}));
}

TEST(StartProgram, ASecondInstanceEndsAtOnceInEveryModeButThePreview) {
    for (const char* args : {"/c", "/s", "", "/a 1", "-x"}) {
        EXPECT_EQ(StartWith(args, kPlatformNT, true), (Calls{"QueryPlatform"})) << args;
    }
    // The preview neither yields to the lock nor takes it.
    for (bool previous : {false, true}) {
        FakeAppHost host;
        host.arguments = "/p 5";
        host.previous = previous;
        StartProgram(host);
        EXPECT_EQ(host.calls, (Calls{"QueryPlatform", "Preview /p 5"}));
        EXPECT_EQ(host.lockQueries, 0);
    }
}

TEST(StartProgram, HidePointerByPlatform) {
    int counter = 0;
    StartWith("/s", kPlatformNT, false, &counter);
    EXPECT_EQ(counter, -6);
    // 9x: not hidden, parked beyond the bottom-right corner (twips + 12 used as pixels).
    EXPECT_EQ(StartWith("/s", 1, false, &counter),
              (Calls{"QueryPlatform", "SetPointer 15372,11532", "HideTaskbar", "Saver 1"}));
    EXPECT_EQ(counter, 0);
}

TEST(StartProgram, ArgumentsAreWhatFollowsTheProgramNameAndItsBlanks) {
    const std::pair<const char*, const char*> cases[] = {
        {"orvelle.scr /s", "/s"},
        {"C:\\Saver\\orvelle.scr   /p 1234", "/p 1234"},
        {"\"C:\\Program Files\\Orvelle\\orvelle.scr\" /c", "/c"},
        {"\"C:\\My Saver\\orvelle.scr\"/a 77", "/a 77"},     // nothing between quote and switch
        {"orvelle.scr\t \t/S  trailing ", "/S  trailing "},  // tabs too; the end is kept
        {"\"orvelle.scr\"", ""},
        {"orvelle.scr", ""},
        {"orvelle.scr   ", ""},
        {"\"C:\\Unclosed quote\\orvelle.scr /s", ""},  // the name never ends
        {"", ""},
        {"  /s", "/s"},  // an empty name before the blanks
    };
    for (const auto& [line, arguments] : cases) {
        EXPECT_EQ(ArgumentsAfterProgramName(line), arguments) << line;
    }
}

}  // namespace
}  // namespace orvelle
