// Music and the clock line of a real run: the MCI commands the saver sends, watched through
// Wine's own trace of them, and the text of the clock label in the bottom-right corner.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "wine_support.h"

using namespace wine_test;

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The command strings the process handed to MCI, in order, as Wine's trace shows them.
std::vector<std::string> MciCommands(const std::string& log) {
    std::vector<std::string> commands;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        // The call itself: trace:mci:mciSendStringW (L"Open ... wait", 0000..., 0, 0000...).
        // Other lines of the same function show the parsed verb and the answer.
        static const std::string call = "mciSendStringW (L\"";
        const size_t open = line.find(call);
        if (open == std::string::npos) {
            continue;
        }
        const size_t from = open + call.size();
        const size_t close = line.find("\", ", from);
        if (close == std::string::npos) {
            continue;
        }
        commands.push_back(line.substr(from, close - from));
    }
    return commands;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           _strnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

// The files named by the "Open" commands, in order, reduced to their base names.
std::vector<std::string> OpenedFiles(const std::vector<std::string>& commands) {
    std::vector<std::string> files;
    for (const std::string& command : commands) {
        if (!StartsWithNoCase(command, "Open ")) {
            continue;
        }
        std::string file = command.substr(5, command.find(" ALIAS") - 5);
        const size_t slash = file.find_last_of("\\/");
        files.push_back(slash == std::string::npos ? file : file.substr(slash + 1));
    }
    return files;
}

int CountStarting(const std::vector<std::string>& commands, const std::string& prefix) {
    int n = 0;
    for (const std::string& command : commands) {
        n += StartsWithNoCase(command, prefix) ? 1 : 0;
    }
    return n;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += "[" + item + "] ";
    }
    return text;
}

// For the first two gaps between opens, how often the player was asked its mode in the gap (one
// ask per tick of the music timer while a file is open).
std::vector<int> ModeQueriesBetweenOpens(const std::vector<std::string>& commands) {
    std::vector<int> gaps;
    int queries = -1;  // before the first open
    for (const std::string& command : commands) {
        if (StartsWithNoCase(command, "Open ")) {
            if (queries >= 0 && gaps.size() < 2) {
                gaps.push_back(queries);
            }
            queries = 0;
        } else if (queries >= 0 && StartsWithNoCase(command, "Status ") && command.size() > 5 &&
                   _stricmp(command.c_str() + command.size() - 5, " mode") == 0) {
            ++queries;
        }
    }
    return gaps;
}

// A run of a theme with music, its MCI traffic written to a log in the program copy.
struct TracedRun {
    ProgramCopy copy;
    std::string log = copy.Path("mci-trace.log");
    Process saver;

    void Start(const ThemeText& theme, const std::string& channels = "trace+mci") {
        UseTheme(copy, theme);
        saver = StartSaverWithWineTrace(copy, "/s", channels, log);
        if (!saver.Handle()) {
            GTEST_SKIP() << "MCI commands can only be watched under Wine";
        }
        window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr);
    }
    std::vector<std::string> Commands() const { return MciCommands(ReadWholeFile(log)); }
    // Waits until the trace shows `count` commands starting with the prefix; false on time-out.
    bool WaitForCommands(const std::string& prefix, int count, DWORD milliseconds) const {
        return WaitUntil([&] { return CountStarting(Commands(), prefix) >= count; }, milliseconds);
    }
    HWND window = nullptr;
};

// Starts the traced run; the test ends here when it was skipped or failed to start.
#define START_TRACED(run, ...)                  \
    do {                                        \
        (run).Start(__VA_ARGS__);               \
        if (IsSkipped() || HasFatalFailure()) { \
            return;                             \
        }                                       \
    } while (0)

ThemeText PictureTheme(const ProgramCopy& copy) {
    WriteBmpFile(copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
    ThemeText theme;
    theme.Pictures({copy.Path("blue.bmp")}).Set("background", "newBackColor", "255");
    return theme;
}

TEST(Music, TwoFilesPlayInListOrderAndTheListStartsAgain) {
    TracedRun run;
    // One-second tones: each has ended by the next tick 2.5 s later.
    WriteWavFile(run.copy.Path("first.wav"), 1.0);
    WriteWavFile(run.copy.Path("second.wav"), 1.0);
    ThemeText theme = PictureTheme(run.copy);
    theme.Music({run.copy.Path("first.wav"), run.copy.Path("second.wav")});
    START_TRACED(run, theme);

    // Ticks at 1 s, then every 2.5 s: files opened and played at about 1, 3.5 and 6 s.
    run.WaitForCommands("Play ", 3, 3 * kPatience);
    const std::vector<std::string> commands = run.Commands();
    const std::vector<std::string> opened = OpenedFiles(commands);
    ASSERT_GE(opened.size(), 3u) << "MCI commands: " << Joined(commands);
    EXPECT_EQ(opened[0], "first.wav");
    EXPECT_EQ(opened[1], "second.wav");
    EXPECT_EQ(opened[2], "first.wav");
    // A file ends a second after it opens and the next opens at the next tick: between two
    // opens the player is asked its mode once, by the tick that finds the file stopped. Counted
    // in ticks, not read off a clock, this holds however slowly the machine runs.
    EXPECT_EQ(ModeQueriesBetweenOpens(commands), (std::vector<int>{1, 1})) << Joined(commands);
    // Each file is played, and the one before is closed before the next opens.
    EXPECT_GE(CountStarting(commands, "Play "), 3) << Joined(commands);
    int opens = 0;
    for (const std::string& command : commands) {
        if (StartsWithNoCase(command, "Open ")) {
            ++opens;
        } else if (StartsWithNoCase(command, "Close ")) {
            EXPECT_GE(opens, 1) << "closed before anything was open: " << Joined(commands);
        }
    }
    EXPECT_GE(CountStarting(commands, "Close "), 2) << Joined(commands);
    EXPECT_EQ(FindMessageBox(run.saver.Id()), nullptr);
}

TEST(Music, OneFileLoopsFromItsStartWithoutBeingOpenedAgain) {
    TracedRun run;
    WriteWavFile(run.copy.Path("only.wav"), 1.0);
    ThemeText theme = PictureTheme(run.copy);
    theme.Music({run.copy.Path("only.wav")});
    START_TRACED(run, theme);

    // Played at about 1 s, ended by 3.5 s, sought back and played again; again at 6 s.
    run.WaitForCommands("Play ", 3, 3 * kPatience);
    const std::vector<std::string> commands = run.Commands();
    EXPECT_GE(CountStarting(commands, "Play "), 3) << Joined(commands);
    EXPECT_GE(CountStarting(commands, "Seek "), 2) << Joined(commands);
    EXPECT_EQ(OpenedFiles(commands), std::vector<std::string>{"only.wav"}) << Joined(commands);
    EXPECT_EQ(CountStarting(commands, "Close "), 0) << Joined(commands);
}

TEST(Music, AFileTheSystemCannotPlayStaysSilentWithoutAMessage) {
    TracedRun run;
    std::ofstream(run.copy.Path("song.mp3"), std::ios::binary) << "ID3 not really music";
    ThemeText theme = PictureTheme(run.copy);
    theme.Music({run.copy.Path("song.mp3")});
    START_TRACED(run, theme, "trace+mci,trace+winmm");
    // The ticks at 1 s and 3.5 s try the file: opened, refused, never played.
    run.WaitForCommands("Open ", 2, 2 * kPatience);
    const std::vector<std::string> commands = run.Commands();
    EXPECT_GE(OpenedFiles(commands).size(), 2u) << Joined(commands);
    EXPECT_NE(commands.front().find("TYPE MPEGVideo"), std::string::npos) << Joined(commands);
    EXPECT_EQ(CountStarting(commands, "Play "), 0) << Joined(commands);
    EXPECT_EQ(FindMessageBox(run.saver.Id()), nullptr);
    EXPECT_TRUE(run.saver.Running());
}

TEST(Music, AnMp3AndAWavePlayInTurn) {
    TracedRun run;
    const std::string mp3 = "Z:" + std::string(ORVELLE_SOURCE_DIR) + "/tests/wine/data/tone-c.mp3";
    ASSERT_TRUE(CopyFileA(mp3.c_str(), run.copy.Path("tone.mp3").c_str(), FALSE));
    WriteWavFile(run.copy.Path("second.wav"), 1.0);
    ThemeText theme = PictureTheme(run.copy);
    theme.Music({run.copy.Path("tone.mp3"), run.copy.Path("second.wav")});
    START_TRACED(run, theme);
    run.WaitForCommands("Open ", 3, 3 * kPatience);
    const std::vector<std::string> commands = run.Commands();
    const std::vector<std::string> opened = OpenedFiles(commands);
    ASSERT_GE(opened.size(), 3u) << Joined(commands);
    EXPECT_EQ(opened, (std::vector<std::string>{"tone.mp3", "second.wav", "tone.mp3"}));
    // Each was played: the MP3 opened with a length, so the system could decode it.
    std::vector<std::string> played;
    for (const std::string& command : commands) {
        if (StartsWithNoCase(command, "Play ")) {
            played.push_back(command.substr(5, 3));
        }
    }
    ASSERT_GE(played.size(), 2u) << Joined(commands);
    EXPECT_EQ(played[0], "mp3") << "no MP3 decoder: " << Joined(commands);
    EXPECT_EQ(played[1], "wav") << Joined(commands);
}

TEST(Music, EndingTheRunClosesTheFileThatPlays) {
    TracedRun run;
    WriteWavFile(run.copy.Path("long.wav"), 8.0);
    ThemeText theme = PictureTheme(run.copy);
    theme.Music({run.copy.Path("long.wav")});
    START_TRACED(run, theme);
    run.WaitForCommands("Play ", 1, kPatience);
    ASSERT_EQ(CountStarting(run.Commands(), "Play "), 1) << Joined(run.Commands());
    // The tick that played it has ended: the player reports "playing".
    Settled(run.window);
    SendKey(run.window, VK_ESCAPE);
    EXPECT_TRUE(run.saver.WaitExit(kPatience));
    const std::vector<std::string> commands = run.Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_TRUE(StartsWithNoCase(commands.back(), "Close ")) << Joined(commands);
}

// --- The clock line ---

// The child window of the saver whose bottom-right corner is the screen's.
HWND FindClockLabel(DWORD processId) {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    for (HWND hwnd : AllWindowsOf(processId)) {
        RECT rc;
        if (GetParent(hwnd) && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &rc) &&
            rc.right == sw && rc.bottom == sh && rc.left > 0) {
            return hwnd;
        }
    }
    return nullptr;
}

std::string LabelText(HWND label) {
    char text[512] = {};
    SendMessageA(label, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string DateTimeText(const SYSTEMTIME& st) {
    char date[128] = {};
    char time[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

SYSTEMTIME ShiftedNow(int seconds) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER v{{ft.dwLowDateTime, ft.dwHighDateTime}};
    v.QuadPart += static_cast<LONGLONG>(seconds) * 10000000LL;
    ft = {v.LowPart, v.HighPart};
    FileTimeToSystemTime(&ft, &st);
    return st;
}

// Starts a run with the clock or countdown and waits until its label shows text.
struct ClockRun {
    ProgramCopy copy;
    Process saver;
    HWND label = nullptr;

    void Start(ThemeText theme) {
        UseTheme(copy, theme);
        saver = StartSaver(copy, "/s");
        ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
        WaitUntil([&] { return (label = FindClockLabel(saver.Id())) != nullptr; });
        ASSERT_NE(label, nullptr) << "no label at the bottom-right corner";
    }
    std::string WaitForText(DWORD milliseconds) const {
        std::string text;
        WaitUntil([&] { return !(text = LabelText(label)).empty(); }, milliseconds);
        return text;
    }
};

TEST(Clock, ShowsTheDateAndTimeOfNowInTheBottomRightCorner) {
    ClockRun run;
    ThemeText theme = PictureTheme(run.copy);
    theme.Set("image", "timeDisplay", "1").Set("font", "newFontForeColor", "65280");
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));

    RECT rc;
    GetWindowRect(run.label, &rc);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    // 6135 x 375 twips: 409 x 25 pixels at 96 dpi.
    EXPECT_EQ(rc.right - rc.left, (6135 * dpi + 720) / 1440);
    EXPECT_EQ(rc.bottom - rc.top, (375 * dpi + 720) / 1440);

    const std::string text = run.WaitForText(kPatience);
    // The label is renewed ten times a second: it is the time of now, give or take a second.
    bool matched = false;
    for (int shift = -2; shift <= 1 && !matched; ++shift) {
        matched = text == DateTimeText(ShiftedNow(shift));
    }
    EXPECT_TRUE(matched) << "label: \"" << text << "\", now: \"" << DateTimeText(ShiftedNow(0))
                         << "\"";
    // It goes on changing, once a second.
    EXPECT_TRUE(WaitUntil([&] { return LabelText(run.label) != text; })) << text;

    // Opaque: the button face fills the box where no text is drawn (its left end).
    EXPECT_TRUE(ScreenBecomes({{rc.left + 2, rc.bottom - 2, GetSysColor(COLOR_BTNFACE), 0}}));
}

// Days, hours, minutes and seconds from the line "4days  5hours  29minutes  45seconds  ".
bool ParseCountdown(const std::string& text, long* figures) {
    static const std::regex line(
        R"(^(-?\d+)days  (-?\d+)hours?  (-?\d+)minutes?  (-?\d+)seconds?  $)");
    std::smatch m;
    if (!std::regex_match(text, m, line)) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        figures[i] = std::stol(m[i + 1].str());
    }
    return true;
}

TEST(Clock, CountdownCountsToMidnightOfTheChosenDay) {
    ClockRun run;
    // A target well ahead: Christmas of next year.
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int year = now.wYear + 1;
    ThemeText theme = PictureTheme(run.copy);
    theme.Set("image", "timeDisplay", "2")
        .Set("date", "countdownMonth", "12")
        .Set("date", "countdownDay", "25")
        .Set("date", "countdownYear", std::to_string(year));
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));

    ASSERT_FALSE(run.WaitForText(kPatience).empty());
    const SYSTEMTIME earlier = ShiftedNow(-1);
    const SYSTEMTIME before = ShiftedNow(0);
    const std::string text = LabelText(run.label);
    const SYSTEMTIME after = ShiftedNow(0);
    const bool plural = text.size() >= 9 && text.substr(text.size() - 9) == "seconds  ";
    const bool singular = text.size() >= 8 && text.substr(text.size() - 8) == "second  ";
    EXPECT_TRUE(plural || singular) << text;

    long figures[4] = {};
    ASSERT_TRUE(ParseCountdown(text, figures)) << "\"" << text << "\"";
    // For a target at midnight: days = whole days to the target day less one, hours = 23 - h,
    // minutes = 59 - m, seconds = 60 - s. The label may be up to a tick behind the clock.
    auto expected = [&](const SYSTEMTIME& t) {
        std::tm today{};
        today.tm_year = t.wYear - 1900;
        today.tm_mon = t.wMonth - 1;
        today.tm_mday = t.wDay;
        today.tm_hour = 12;
        std::tm target{};
        target.tm_year = year - 1900;
        target.tm_mon = 11;
        target.tm_mday = 25;
        target.tm_hour = 12;
        const long days =
            std::lround(std::difftime(std::mktime(&target), std::mktime(&today)) / 86400.0);
        return std::to_string(days - 1) + " " + std::to_string(23 - t.wHour) + " " +
               std::to_string(59 - t.wMinute) + " " + std::to_string(60 - t.wSecond);
    };
    const std::string seen = std::to_string(figures[0]) + " " + std::to_string(figures[1]) + " " +
                             std::to_string(figures[2]) + " " + std::to_string(figures[3]);
    EXPECT_TRUE(seen == expected(earlier) || seen == expected(before) || seen == expected(after))
        << "label \"" << text << "\", expected about " << expected(after);
    // The word follows its figure: singular only for 1.
    EXPECT_NE(text.find(figures[1] == 1 ? "1hour  " : "hours  "), std::string::npos) << text;
}

TEST(Clock, CountdownToAPassedDateShowsNothing) {
    ClockRun run;
    ThemeText theme = PictureTheme(run.copy);
    theme.Set("image", "timeDisplay", "2")
        .Set("date", "countdownMonth", "01")
        .Set("date", "countdownDay", "01")
        .Set("date", "countdownYear", "2000");
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));
    ASSERT_TRUE(WaitForPixel(512, 384, kBlue, 2, kPatience));
    EXPECT_EQ(LabelText(run.label), "");
    EXPECT_TRUE(run.saver.Running());
}

}  // namespace
