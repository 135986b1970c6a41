// Which picture comes next: list order (wrapping round, and, when the theme asks, carrying on
// where the last run stopped), plain random order (every pick an independent draw), or the fair
// shuffle: every picture once per pass, passes in orders that differ, each picture's place in a
// pass given by a hash of its path and the pass's seed, so that a run carries on the pass the
// last one stopped in, and pictures found while a pass runs still come in it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "saver/picture_library.h"
#include "settings/run_state.h"

namespace orvelle {

class RandomSource;

enum class OrderKind : std::uint8_t { List, Random, Shuffle };

class PictureOrder {
  public:
    // resumeList: list order starts after the picture the last run showed last.
    PictureOrder(OrderKind kind, bool resumeList) : kind_(kind), resumeList_(resumeList) {}

    OrderKind Kind() const { return kind_; }
    // Takes up where the last run stopped (the part of the state for this order).
    void Restore(const RunState& state, const PictureLibrary& library);
    // Puts where this run stopped into the state; false when there is nothing to keep.
    bool Keep(RunState& state, const PictureLibrary& library) const;

    // The picture after the last one picked (the run's first before any). Nothing while the
    // library does not know it yet; entry -1 when the library holds no picture at all. Re-seeds
    // the random generator first, as every pick always has.
    std::optional<PicturePlace> Pick(const PictureLibrary& library, RandomSource& random);
    // The picture at place is on screen now.
    void Shown(const PicturePlace& place, const PictureLibrary& library);
    // True once after a pick began a new pass.
    bool TakePassEnded();

  private:
    struct Ranked {
        std::uint64_t rank;
        PicturePlace place;
    };
    std::optional<PicturePlace> PickInList(const PictureLibrary& library);
    std::optional<PicturePlace> PickAtRandom(const PictureLibrary& library, RandomSource& random);
    std::optional<PicturePlace> PickShuffled(const PictureLibrary& library, RandomSource& random);
    void FindCursor(const PictureLibrary& library);
    void StartPass(const PictureLibrary& library, RandomSource& random);
    void Rank(const PictureLibrary& library);
    std::uint64_t RankOf(const PicturePlace& place, const PictureLibrary& library) const;

    OrderKind kind_;
    bool resumeList_;
    bool passEnded_ = false;

    // List order: the last picture picked, and for a folder's picture its name, by which it is
    // found again when the folder's pictures change.
    std::optional<PicturePlace> cursor_;
    std::string cursorName_;
    std::uint64_t cursorVersion_ = 0;
    bool cursorFound_ = true;
    std::optional<ListState> shownInList_;

    // Random order: picks since the pass began.
    std::int64_t picks_ = 0;

    // The shuffle: the pass, its seed, the rank of the last picture picked, every known picture
    // by rank.
    ShuffleState pass_;
    std::optional<std::uint64_t> cursorRank_;
    std::vector<Ranked> ranked_;
    // Pictures found after the pass had gone past their rank: shown in this pass all the same.
    std::vector<std::uint64_t> late_;
    std::uint64_t rankedVersion_ = ~0ull;
    std::uint64_t rankedSeed_ = 0;
    std::optional<PicturePlace> lastPicked_;
    std::optional<ShuffleState> shownInShuffle_;
};

}  // namespace orvelle
