// The saver's music playlist: one tick of mediaTimer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvelle {

class Mmedia;
class RandomSource;

struct MusicList {
    int mediaTotal = 0;                   // compared as a number
    std::vector<std::string> mediaPaths;  // indices 0 .. mediaTotal - 1 (one more, empty)
    bool randomMedia = false;             // [image] randomMedia = 1
};

// One tick of mediaTimer: polls the player, starts the next file when the last has stopped,
// advances mediaIndex. Returns the timer's next interval in milliseconds (2500).
int MediaTimerTick(Mmedia& player, RandomSource& random, const MusicList& music,
                   std::int32_t& mediaIndex);

constexpr int kMediaFirstTickMs = 1000;
constexpr int kMediaTickMs = 2500;

}  // namespace orvelle
