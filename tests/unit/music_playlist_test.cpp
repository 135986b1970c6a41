#include "overlays/music_playlist.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "base/random_source.h"
#include "overlay_fakes.h"
#include "media/mmedia.h"

namespace orvelle {
namespace {

using overlay_test::At;
using overlay_test::FakeClock;
using overlay_test::ScriptedRandom;

// A small MCI: files it knows open as stopped devices; Play makes them play until the test
// ends the piece with Finish(). Every command is recorded.
class SimulatedMci : public MciSender {
  public:
    struct Device {
        std::string file;
        std::string mode = "stopped";
        std::string length;
    };

    void Send(const std::string& command) override {
        sent.push_back(command);
        std::istringstream in(command);
        std::string verb, alias;
        in >> verb;
        if (verb == "Open") {
            std::string file;
            if (command.size() > 5 && command[5] == '"') {
                size_t end = command.find('"', 6);
                file = command.substr(6, end - 6);
                in.seekg(static_cast<std::streamoff>(end + 1));
            } else {
                in >> file;
            }
            std::string word;
            in >> word >> alias;
            auto known = lengths.find(file);
            if (known != lengths.end()) {
                devices[alias] = Device{file, "stopped", known->second};
                opened.push_back(file);
            }
            return;
        }
        in >> alias;
        auto it = devices.find(alias);
        if (it == devices.end()) {
            return;
        }
        if (verb == "Close") {
            devices.erase(it);
        } else if (verb == "Play") {
            it->second.mode = "playing";
            played.push_back(it->second.file);
        }
    }
    std::string Query(const std::string& command) override {
        std::istringstream in(command);
        std::string verb, alias, item;
        in >> verb >> alias >> item;
        auto it = devices.find(alias);
        if (it == devices.end()) {
            return "";
        }
        return item == "mode" ? it->second.mode : it->second.length;
    }
    void Finish() {
        for (auto& [alias, device] : devices) {
            if (device.mode == "playing") {
                device.mode = "stopped";
            }
        }
    }

    std::map<std::string, std::string> lengths;  // the files MCI can open, with their lengths
    std::map<std::string, Device> devices;
    std::vector<std::string> sent, opened, played;
};

class MusicPlaylistTest : public ::testing::Test {
  protected:
    MusicPlaylistTest() {
        mci.lengths = {{"a.wav", "1200"},
                       {"b.mid", "40000"},
                       {"c.wav", "900"},
                       {"d e.wav", "500"},
                       {"empty.wav", "0"}};
    }
    int Tick() { return MediaTimerTick(player, random, music, mediaIndex); }
    void Use(std::vector<std::string> paths, bool randomOrder = false) {
        music.mediaTotal = static_cast<int>(paths.size());
        music.mediaPaths = std::move(paths);
        music.mediaPaths.push_back("");  // the list keeps one spare entry
        music.randomMedia = randomOrder;
    }

    SimulatedMci mci;
    FakeClock clock{At(2026, 1, 1, 9, 15, 0)};
    Mmedia player{mci, clock};
    ScriptedRandom random;
    MusicList music;
    std::int32_t mediaIndex = 0;
};

TEST_F(MusicPlaylistTest, OneFileLoopsFromItsStartWithoutReopening) {
    Use({"a.wav"});
    EXPECT_EQ(Tick(), kMediaTickMs);
    EXPECT_EQ(mci.opened, std::vector<std::string>{"a.wav"});
    EXPECT_EQ(mci.played.size(), 1u);
    EXPECT_EQ(mediaIndex, 0);

    EXPECT_EQ(Tick(), kMediaTickMs);  // still playing: nothing happens
    EXPECT_EQ(mci.played.size(), 1u);

    for (int round = 0; round < 3; ++round) {
        mci.Finish();
        const size_t before = mci.sent.size();
        EXPECT_EQ(Tick(), kMediaTickMs);
        ASSERT_EQ(mci.sent.size(), before + 2);
        EXPECT_EQ(mci.sent[before], "Seek wav15 to 0");
        EXPECT_EQ(mci.sent[before + 1], "Play wav15");
    }
    EXPECT_EQ(mci.opened.size(), 1u);
    EXPECT_EQ(mci.played.size(), 4u);
}

TEST_F(MusicPlaylistTest, ListOrderWrapsAroundAndClosesEachFinishedFile) {
    Use({"a.wav", "b.mid", "c.wav"});
    std::vector<int> indexAfter;
    for (int i = 0; i < 5; ++i) {
        Tick();
        indexAfter.push_back(mediaIndex);
        Tick();  // a tick while the file plays changes nothing
        EXPECT_EQ(mediaIndex, indexAfter.back());
        mci.Finish();
    }
    EXPECT_EQ(mci.played, (std::vector<std::string>{"a.wav", "b.mid", "c.wav", "a.wav", "b.mid"}));
    EXPECT_EQ(indexAfter, (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_LE(mci.devices.size(), 1u);  // the last file was closed before the next opened
    EXPECT_TRUE(random.log.empty());
}

TEST_F(MusicPlaylistTest, RandomOrderReseedsBeforeEachDrawAndMayRepeat) {
    Use({"a.wav", "b.mid", "c.wav"}, true);
    random.draws = {0.1f, 0.2f, 0.99f, 0.5f};
    Tick();  // plays position 0, then draws 0.1 -> 0
    EXPECT_EQ(mediaIndex, 0);
    mci.Finish();
    Tick();  // position 0 again; 0.2 -> 0
    EXPECT_EQ(mediaIndex, 0);
    mci.Finish();
    Tick();  // 0.99 -> 2
    EXPECT_EQ(mediaIndex, 2);
    mci.Finish();
    Tick();
    EXPECT_EQ(mediaIndex, 1);
    EXPECT_EQ(mci.played, (std::vector<std::string>{"a.wav", "a.wav", "a.wav", "c.wav"}));
    EXPECT_EQ(random.log, "RNRNRNRN");
}

TEST_F(MusicPlaylistTest, CompressedMusicPlaysInTurnAndOneTheSystemCannotPlayIsPassedOver) {
    // song.wma has no decoder here: MCI refuses it, and the next tick moves on silently.
    mci.lengths["x\\song.mp3"] = "61000";
    mci.lengths["tune.FLAC"] = "3000";
    Use({"x\\song.mp3", "song.wma", "b.mid", "tune.FLAC"});
    for (int i = 0; i < 5; ++i) {
        Tick();
        mci.Finish();
    }
    EXPECT_EQ(mci.played,
              (std::vector<std::string>{"x\\song.mp3", "b.mid", "tune.FLAC", "x\\song.mp3"}));
    EXPECT_EQ(mci.sent[0], "Open x\\song.mp3 ALIAS mp315 TYPE MPEGVideo wait");
}

TEST_F(MusicPlaylistTest, OnlyFileWithUnknownExtensionStaysSilent) {
    Use({"song.ogg"});
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Tick(), kMediaTickMs);
        EXPECT_EQ(mediaIndex, 0);
    }
    EXPECT_TRUE(mci.sent.empty());
}

TEST_F(MusicPlaylistTest, FilesThatDoNotOpenOrHaveNoLengthAreSkipped) {
    Use({"missing.wav", "empty.wav", "d e.wav"});
    Tick();  // missing.wav: MCI refuses it; nothing plays
    EXPECT_TRUE(mci.played.empty());
    EXPECT_EQ(mediaIndex, 1);
    Tick();  // the would-be alias is closed; empty.wav opens but reports length 0
    EXPECT_TRUE(mci.played.empty());
    EXPECT_EQ(mediaIndex, 2);
    Tick();  // empty.wav sits stopped: closed, and the next file plays
    EXPECT_EQ(mci.played, std::vector<std::string>{"d e.wav"});
    EXPECT_EQ(mediaIndex, 0);
}

TEST_F(MusicPlaylistTest, IndexBeyondTheListOpensNothingAndRestarts) {
    Use({"a.wav", "b.mid"});
    mediaIndex = 7;
    Tick();
    EXPECT_TRUE(mci.sent.empty());
    EXPECT_EQ(mediaIndex, 0);
    Tick();
    EXPECT_EQ(mci.played, std::vector<std::string>{"a.wav"});
}

TEST(SystemRandom, DrawsStayInTheUnitIntervalAndSpreadOverTheChoices) {
    SystemRandom random(12345);
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < 3000; ++i) {
        const float draw = random.Next();
        ASSERT_GE(draw, 0.0f);
        ASSERT_LT(draw, 1.0f);
        ++counts[RandomIndex(random, 3)];
    }
    for (int count : counts) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }
}

TEST(SystemRandom, ReseedsInQuickSuccessionGiveDifferentDraws) {
    SystemRandom random;
    std::set<float> firsts;
    for (int i = 0; i < 20; ++i) {
        random.Randomize();
        firsts.insert(random.Next());
    }
    EXPECT_GE(firsts.size(), 19u);
}

}  // namespace
}  // namespace orvelle
