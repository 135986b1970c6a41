#include "media/mmedia.h"

#include <gtest/gtest.h>

#include "overlay_fakes.h"

namespace orvelle {
namespace {

using overlay_test::At;
using overlay_test::FakeClock;
using overlay_test::FakeMci;

class MmediaTest : public ::testing::Test {
  protected:
    FakeMci mci;
    FakeClock clock{At(2026, 3, 14, 10, 7, 30)};
    Mmedia player{mci, clock};
};

TEST_F(MmediaTest, OpenBuildsAliasAndTypeFromTheExtension) {
    player.mmOpen("C:\\music\\song.mid");
    ASSERT_EQ(mci.sent.size(), 1u);
    EXPECT_EQ(mci.sent[0], "Open C:\\music\\song.mid ALIAS mid7 TYPE Sequencer wait");
    EXPECT_EQ(player.Alias(), "mid7");
    EXPECT_EQ(player.Filename(), "C:\\music\\song.mid");

    clock.Set(At(2026, 3, 14, 10, 42, 0));
    player.mmOpen("D:\\Track.WAV");
    ASSERT_EQ(mci.sent.size(), 3u);
    EXPECT_EQ(mci.sent[1], "Close mid7");
    EXPECT_EQ(mci.sent[2], "Open D:\\Track.WAV ALIAS WAV42 TYPE Waveaudio wait");

    clock.Set(At(2026, 3, 14, 10, 0, 0));
    player.mmOpen("clip.avi");
    EXPECT_EQ(mci.sent.back(), "Open clip.avi ALIAS avi0 TYPE AviVideo wait");

    // Compressed music, by its whole extension in any case, goes to the media stack's device.
    for (const char* name : {"a.mp3", "b.WMA", "c.m4a", "d.Aac", "e.flac"}) {
        player.mmOpen(name);
        const std::string alias = std::string(name).substr(std::string(name).size() - 3) + "0";
        EXPECT_EQ(mci.sent.back(),
                  "Open " + std::string(name) + " ALIAS " + alias + " TYPE MPEGVideo wait");
    }
}

TEST_F(MmediaTest, NameWithSpaceIsQuotedButAliasUsesTheBareName) {
    player.mmOpen("C:\\My Music\\a.wav");
    ASSERT_EQ(mci.sent.size(), 1u);
    EXPECT_EQ(mci.sent[0], "Open \"C:\\My Music\\a.wav\" ALIAS wav7 TYPE Waveaudio wait");
    EXPECT_EQ(player.Filename(), "C:\\My Music\\a.wav");
}

TEST_F(MmediaTest, MixedCaseExtensionKeepsItsCaseInTheAlias) {
    player.mmOpen("tune.Mid");
    EXPECT_EQ(mci.sent.back(), "Open tune.Mid ALIAS Mid7 TYPE Sequencer wait");
    EXPECT_EQ(player.Alias(), "Mid7");
}

TEST_F(MmediaTest, UnknownExtensionClosesThePreviousFileAndOpensNothing) {
    player.mmOpen("a.wav");
    player.mmOpen("b.ogg");
    EXPECT_EQ(mci.sent, (std::vector<std::string>{"Open a.wav ALIAS wav7 TYPE Waveaudio wait",
                                                  "Close wav7"}));
    EXPECT_EQ(player.Alias(), "");
    EXPECT_EQ(player.Filename(), "");
    EXPECT_EQ(player.Status(), "");
    EXPECT_EQ(player.Length(), 0.0f);

    // Names too short to have an extension, or that only end like one, open nothing either.
    player.mmOpen("");
    player.mmOpen("ab");
    player.mmOpen("C:\\music.mp3\\track");
    player.mmOpen("songmp3");
    EXPECT_EQ(mci.sent.size(), 2u);
}

TEST_F(MmediaTest, StatusQueriesAskOnlyWhileAFileIsOpen) {
    EXPECT_EQ(player.Status(), "");
    EXPECT_EQ(player.Length(), 0.0f);
    EXPECT_EQ(player.Position(), 0.0f);
    EXPECT_TRUE(mci.queries.empty());

    player.mmOpen("a.wav");
    mci.answers["Status wav7 mode"] = "playing";
    mci.answers["Status wav7 length"] = "  1234.5 ms";
    mci.answers["Status wav7 position"] = "n/a";
    EXPECT_EQ(player.Status(), "playing");
    EXPECT_EQ(player.Length(), 1234.5f);
    EXPECT_EQ(player.Position(), 0.0f);  // no number at the start reads as 0
    EXPECT_EQ(mci.queries, (std::vector<std::string>{"Status wav7 mode", "Status wav7 length",
                                                     "Status wav7 position"}));

    player.mmClose();
    EXPECT_EQ(mci.sent.back(), "Close wav7");
    EXPECT_EQ(player.Status(), "");
    EXPECT_EQ(mci.queries.size(), 3u);
}

TEST_F(MmediaTest, CommandsAreSentOnlyToAnOpenFile) {
    player.mmPlay();
    player.mmPause();
    player.mmStop();
    player.mmClose();
    EXPECT_TRUE(mci.sent.empty());

    player.mmOpen("a.wav");
    player.mmPlay();
    player.mmPause();
    player.mmStop();
    EXPECT_EQ(mci.sent, (std::vector<std::string>{"Open a.wav ALIAS wav7 TYPE Waveaudio wait",
                                                  "Play wav7", "Pause wav7", "Stop wav7"}));
}

TEST_F(MmediaTest, PlayWaitsWhenTheWaitFlagIsSet) {
    EXPECT_FALSE(player.Wait());
    player.mmOpen("a.wav");
    player.SetWait(true);
    EXPECT_TRUE(player.Wait());
    player.mmPlay();
    EXPECT_EQ(mci.sent.back(), "Play wav7 wait");
    player.SetWait(false);
    player.mmPlay();
    EXPECT_EQ(mci.sent.back(), "Play wav7");
}

TEST_F(MmediaTest, SeekWritesThePositionAsAShortDecimal) {
    player.mmOpen("a.mid");
    player.mmSeek(0);
    EXPECT_EQ(mci.sent.back(), "Seek mid7 to 0");
    player.SetPosition(1500.5f);
    EXPECT_EQ(mci.sent.back(), "Seek mid7 to 1500.5");
}

}  // namespace
}  // namespace orvelle
