// The media player against the system's own MCI, with short tones of our own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/clock_win.h"
#include "media/mci_sender_win.h"
#include "media/mmedia.h"
#include "wine_support.h"

namespace {

std::string DataFile(const std::string& name) {
    std::string path = "Z:" + std::string(ORVELLE_SOURCE_DIR) + "/tests/wine/data/" + name;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

// Waits until the player reports the mode, polling as the saver's timer would.
bool WaitForStatus(orvelle::Mmedia& player, const std::string& mode, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        if (player.Status() == mode) {
            return true;
        }
        Sleep(20);
    } while (GetTickCount() - start < milliseconds);
    return player.Status() == mode;
}

class MmediaWine : public ::testing::Test {
  protected:
    void TearDown() override { player.mmClose(); }

    orvelle::win::MciSenderWin mci;
    orvelle::win::ClockWin clock;
    orvelle::Mmedia player{mci, clock};
};

TEST_F(MmediaWine, WavePlaysToItsEndAndPlaysAgainAfterASeek) {
    player.mmOpen(DataFile("tone-a.wav"));
    ASSERT_NE(player.Alias(), "");
    EXPECT_EQ(player.Status(), "stopped");
    EXPECT_GT(player.Length(), 0.0f);

    player.mmPlay();
    EXPECT_TRUE(WaitForStatus(player, "playing", 1000));
    EXPECT_TRUE(WaitForStatus(player, "stopped", 5000));

    player.mmSeek(0);
    EXPECT_EQ(player.Position(), 0.0f);
    player.mmPlay();
    EXPECT_TRUE(WaitForStatus(player, "playing", 1000));
    player.mmClose();
    EXPECT_EQ(player.Status(), "");
    EXPECT_EQ(player.Length(), 0.0f);
}

TEST_F(MmediaWine, NameWithSpacesOpensAndPlayWithWaitBlocksToTheEnd) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "orvelle music " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\tone b.wav";
    ASSERT_TRUE(CopyFileA(DataFile("tone-b.wav").c_str(), file.c_str(), FALSE));

    player.mmOpen(file);
    EXPECT_EQ(player.Filename(), file);
    EXPECT_EQ(player.Status(), "stopped");
    const float length = player.Length();
    EXPECT_GT(length, 0.0f);

    player.SetWait(true);
    const DWORD start = GetTickCount();
    player.mmPlay();
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(player.Status(), "stopped");
    // It returned at the end of the tone, not at once (a null sound device may play it faster
    // than its 0.8 s, so the time is only bounded loosely).
    EXPECT_GE(player.Position(), length * 0.9f);
    EXPECT_GE(elapsed, 100u);

    player.mmClose();
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(MmediaWine, OpeningAnotherFileClosesTheFirst) {
    player.mmOpen(DataFile("tone-b.wav"));
    const float longer = player.Length();
    player.mmOpen(DataFile("tone-a.wav"));
    const float shorter = player.Length();
    ASSERT_GT(longer, shorter);  // 0.8 s against 0.6 s
    player.mmPlay();
    ASSERT_TRUE(WaitForStatus(player, "playing", 1000));

    // Both get the same alias within a minute: it can only open if the first was closed.
    player.mmOpen(DataFile("tone-b.wav"));
    EXPECT_EQ(player.Status(), "stopped");
    EXPECT_EQ(player.Length(), longer);
}

TEST_F(MmediaWine, Mp3PlaysToItsEndThroughTheSystemsMediaStack) {
    player.mmOpen(DataFile("tone-c.mp3"));
    ASSERT_EQ(player.Status(), "stopped")
        << "no MP3 decoder: under Wine, GStreamer's good plug-ins (scripts/install-deps.sh)";
    // Milliseconds: the tone lasts about 0.6 s.
    EXPECT_GT(player.Length(), 400.0f);
    EXPECT_LT(player.Length(), 1500.0f);
    player.mmPlay();
    EXPECT_TRUE(WaitForStatus(player, "playing", 2000));
    EXPECT_TRUE(WaitForStatus(player, "stopped", 5000));
}

TEST_F(MmediaWine, UnknownOrMissingFilesStayQuiet) {
    player.mmOpen(DataFile("tone-a.wav"));
    player.mmOpen(DataFile("tone-a.ogg"));
    EXPECT_EQ(player.Alias(), "");
    EXPECT_EQ(player.Status(), "");
    EXPECT_EQ(player.Length(), 0.0f);

    player.mmOpen(DataFile("no such tone.wav"));
    EXPECT_NE(player.Alias(), "");  // MCI refused it; the would-be alias stays
    EXPECT_EQ(player.Status(), "");
    EXPECT_EQ(player.Length(), 0.0f);
    player.mmPlay();
    EXPECT_EQ(player.Status(), "");
}

TEST_F(MmediaWine, DefaultThemeMusicOpensWithItsFullLength) {
    for (const char* name : {"orvelle-morning.wav", "orvelle-evening.wav"}) {
        player.mmOpen(wine_test::StagedProgramFolder() + "\\music\\" + name);
        EXPECT_EQ(player.Status(), "stopped") << name;
        // Milliseconds, the wave device's default time format: pieces of 15 to 25 seconds.
        EXPECT_GT(player.Length(), 15000.0f) << name;
        EXPECT_LT(player.Length(), 25000.0f) << name;
    }
}

}  // namespace
