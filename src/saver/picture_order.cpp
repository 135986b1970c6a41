#include "saver/picture_order.h"

#include <algorithm>
#include <climits>

#include "base/host_services.h"
#include "base/text.h"

namespace orvelle {

namespace {

std::uint64_t Mix(std::uint64_t x) {
    // SplitMix64's finaliser: every bit of the input moves every bit of the output.
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ull;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

// FNV-1a over text with ASCII letters folded, so that "D:\Photos\" and "d:\photos\" are one.
std::uint64_t HashFolded(std::uint64_t hash, std::string_view text) {
    for (char c : text) {
        const char folded = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        hash = (hash ^ static_cast<unsigned char>(folded)) * 1099511628211ull;
    }
    return hash;
}

std::uint64_t NewSeed(RandomSource& random) {
    std::uint64_t seed = 0;
    for (int i = 0; i < 3; ++i) {
        seed = (seed << 21) ^ static_cast<std::uint64_t>(random.Next() * 16777216.0f);
    }
    return Mix(seed);
}

}  // namespace

void PictureOrder::Restore(const RunState& state, const PictureLibrary& library) {
    if (kind_ == OrderKind::List && resumeList_ && state.list &&
        state.list->entry < library.Entries() &&
        library.Stored(state.list->entry) == state.list->entryText) {
        // Found again by its name once its folder's pictures are known.
        cursor_ = PicturePlace{state.list->entry, 0};
        cursorName_ = state.list->picture;
        cursorFound_ = false;
    }
    if (kind_ == OrderKind::Shuffle && state.shuffle && state.shuffle->pass > 0) {
        pass_ = *state.shuffle;
        cursorRank_ = state.shuffle->position;
    }
}

bool PictureOrder::Keep(RunState& state, const PictureLibrary&) const {
    if (kind_ == OrderKind::List && resumeList_ && shownInList_) {
        state.list = shownInList_;
        return true;
    }
    if (kind_ == OrderKind::Shuffle && shownInShuffle_) {
        state.shuffle = shownInShuffle_;
        return true;
    }
    return false;
}

std::optional<PicturePlace> PictureOrder::Pick(const PictureLibrary& library,
                                               RandomSource& random) {
    random.Randomize();
    if (library.Total() == 0) {
        // Nothing to show, or nothing found yet.
        return library.AllComplete() ? std::optional<PicturePlace>(PicturePlace{}) : std::nullopt;
    }
    switch (kind_) {
        case OrderKind::List:
            return PickInList(library);
        case OrderKind::Random:
            return PickAtRandom(library, random);
        case OrderKind::Shuffle:
            break;
    }
    return PickShuffled(library, random);
}

void PictureOrder::FindCursor(const PictureLibrary& library) {
    if (!cursor_ || cursor_->entry < 0 || cursor_->entry >= library.Entries() ||
        !library.IsFolder(cursor_->entry) ||
        (cursorFound_ && cursorVersion_ == library.Version())) {
        return;
    }
    // The folder's pictures are in list order: the first one not before the cursor's name.
    const PicturePlace at = *cursor_;
    std::int32_t low = 0;
    std::int32_t high = library.Pictures(at.entry);
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (NaturalPathLess(library.PictureName({at.entry, middle}), cursorName_)) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    const bool same =
        low < library.Pictures(at.entry) && library.PictureName({at.entry, low}) == cursorName_;
    cursor_->picture = same ? low : low - 1;
    cursorVersion_ = library.Version();
    cursorFound_ = true;
}

std::optional<PicturePlace> PictureOrder::PickInList(const PictureLibrary& library) {
    FindCursor(library);
    const bool after = cursor_ && cursor_->entry >= 0 && cursor_->entry < library.Entries();
    std::int32_t entry = after ? cursor_->entry : 0;
    std::int32_t picture = after ? cursor_->picture + 1 : 0;
    for (std::int32_t steps = 0; steps <= library.Entries(); ++steps) {
        if (picture < library.Pictures(entry)) {
            cursor_ = PicturePlace{entry, picture};
            cursorName_ = std::string(library.PictureName(*cursor_));
            cursorVersion_ = library.Version();
            return cursor_;
        }
        if (!library.Complete(entry)) {
            return std::nullopt;  // its next pictures are still being found
        }
        picture = 0;
        if (++entry == library.Entries()) {
            entry = 0;
            passEnded_ = passEnded_ || cursor_.has_value();
        }
    }
    return PicturePlace{};
}

std::optional<PicturePlace> PictureOrder::PickAtRandom(const PictureLibrary& library,
                                                       RandomSource& random) {
    const std::int64_t total = library.Total();
    const int count = total > INT_MAX ? INT_MAX : static_cast<int>(total);
    const PicturePlace place = library.At(RandomIndex(random, count));
    if (++picks_ >= total) {
        picks_ = 0;
        passEnded_ = true;
    }
    return place;
}

std::uint64_t PictureOrder::RankOf(const PicturePlace& place, const PictureLibrary& library) const {
    std::uint64_t identity = HashFolded(14695981039346656037ull, library.Stored(place.entry));
    identity = HashFolded(identity, library.PictureName(place));
    return Mix(identity ^ pass_.seed);
}

void PictureOrder::Rank(const PictureLibrary& library) {
    if (rankedVersion_ == library.Version() && rankedSeed_ == pass_.seed) {
        return;
    }
    // The ranks the pass has gone past already, to tell pictures that are new among them.
    std::vector<std::uint64_t> passed;
    if (rankedSeed_ == pass_.seed && cursorRank_) {
        for (const Ranked& r : ranked_) {
            if (r.rank > *cursorRank_) {
                break;
            }
            passed.push_back(r.rank);
        }
    }
    ranked_.clear();
    ranked_.reserve(static_cast<std::size_t>(library.Total()));
    for (std::int32_t entry = 0; entry < library.Entries(); ++entry) {
        for (std::int32_t picture = 0; picture < library.Pictures(entry); ++picture) {
            const PicturePlace place{entry, picture};
            ranked_.push_back({RankOf(place, library), place});
        }
    }
    std::sort(ranked_.begin(), ranked_.end(), [](const Ranked& a, const Ranked& b) {
        return a.rank != b.rank
                   ? a.rank < b.rank
                   : (a.place.entry != b.place.entry ? a.place.entry < b.place.entry
                                                     : a.place.picture < b.place.picture);
    });
    const bool sameSeed = rankedSeed_ == pass_.seed && rankedVersion_ != ~0ull;
    rankedVersion_ = library.Version();
    rankedSeed_ = pass_.seed;
    if (!sameSeed || !cursorRank_) {
        return;
    }
    const std::size_t before = late_.size();
    for (const Ranked& r : ranked_) {
        if (r.rank > *cursorRank_) {
            break;
        }
        if (!std::binary_search(passed.begin(), passed.end(), r.rank) &&
            !std::binary_search(late_.begin(), late_.begin() + static_cast<std::ptrdiff_t>(before),
                                r.rank)) {
            late_.push_back(r.rank);
        }
    }
    std::sort(late_.begin(), late_.end());
    late_.erase(std::unique(late_.begin(), late_.end()), late_.end());
}

void PictureOrder::StartPass(const PictureLibrary& library, RandomSource& random) {
    // A new pass does not open with the picture the last one ended on, when it can help it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        pass_.seed = NewSeed(random);
        Rank(library);
        if (!lastPicked_ || ranked_.size() < 2 || !(ranked_.front().place == *lastPicked_)) {
            break;
        }
    }
    ++pass_.pass;
    cursorRank_.reset();
    late_.clear();
}

std::optional<PicturePlace> PictureOrder::PickShuffled(const PictureLibrary& library,
                                                       RandomSource& random) {
    if (pass_.pass == 0) {
        StartPass(library, random);
    }
    Rank(library);
    while (!late_.empty()) {
        // A picture found late, if it is still there; the pass's place stays where it was.
        const std::uint64_t rank = late_.back();
        late_.pop_back();
        const auto it =
            std::lower_bound(ranked_.begin(), ranked_.end(), rank,
                             [](const Ranked& r, std::uint64_t value) { return r.rank < value; });
        if (it != ranked_.end() && it->rank == rank) {
            lastPicked_ = it->place;
            return it->place;
        }
    }
    auto next = ranked_.begin();
    if (cursorRank_) {
        next = std::upper_bound(ranked_.begin(), ranked_.end(), *cursorRank_,
                                [](std::uint64_t rank, const Ranked& r) { return rank < r.rank; });
    }
    if (next == ranked_.end()) {
        StartPass(library, random);
        passEnded_ = true;
        next = ranked_.begin();
    }
    cursorRank_ = next->rank;
    lastPicked_ = next->place;
    return next->place;
}

void PictureOrder::Shown(const PicturePlace& place, const PictureLibrary& library) {
    if (place.entry < 0 || place.entry >= library.Entries()) {
        return;
    }
    if (kind_ == OrderKind::List) {
        shownInList_ = ListState{place.entry, library.Stored(place.entry),
                                 std::string(library.PictureName(place))};
    } else if (kind_ == OrderKind::Shuffle && cursorRank_) {
        // The pass's place, which a picture found late leaves where it was.
        shownInShuffle_ = ShuffleState{pass_.pass, pass_.seed, *cursorRank_};
    }
}

bool PictureOrder::TakePassEnded() {
    const bool ended = passEnded_;
    passEnded_ = false;
    return ended;
}

}  // namespace orvelle
