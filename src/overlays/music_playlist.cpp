#include "overlays/music_playlist.h"

#include "base/host_services.h"
#include "base/numbers.h"
#include "media/mmedia.h"

namespace orvelle {

namespace {

// The file at a list position; a position the list does not hold names no file (opens nothing).
std::string PathAt(const MusicList& music, int index) {
    if (index < 0 || static_cast<size_t>(index) >= music.mediaPaths.size()) {
        return "";
    }
    return music.mediaPaths[static_cast<size_t>(index)];
}

}  // namespace

int MediaTimerTick(Mmedia& player, RandomSource& random, const MusicList& music,
                   std::int32_t& mediaIndex) {
    const std::string status = player.Status();

    if (music.mediaTotal == 1 && status == "stopped") {
        // A one-file list loops without reopening the file.
        player.mmSeek(0);
        player.mmPlay();
        return kMediaTickMs;
    }

    if (status.empty() || status == "stopped") {
        if (status == "stopped") {
            player.mmClose();
        }
        player.mmOpen(PathAt(music, mediaIndex));
        // A file that did not open reports no length; the next tick moves on past it.
        if (RoundHalfEven(player.Length()) != 0) {
            player.mmPlay();
        }

        if (music.mediaTotal <= 0) {
            mediaIndex = 0;
        } else if (music.randomMedia) {
            random.Randomize();
            mediaIndex = RandomIndex(random, music.mediaTotal);
        } else if (mediaIndex < 0 || mediaIndex >= music.mediaTotal - 1) {
            mediaIndex = 0;
        } else {
            ++mediaIndex;
        }
    }
    return kMediaTickMs;
}

}  // namespace orvelle
