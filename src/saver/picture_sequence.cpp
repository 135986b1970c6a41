#include "saver/picture_sequence.h"

#include "base/numbers.h"
#include "settings/saver_settings.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

// The list's entries, the spare past the end left out.
std::size_t EntriesOf(const SaverSettings& settings) {
    return settings.lastPictureIndex < 0 ? 0
                                         : static_cast<std::size_t>(settings.lastPictureIndex) + 1;
}

OrderKind KindOf(const SaverSettings& s) {
    if (LeadingNumber(s.randomPick) != 1.0) {
        return OrderKind::List;
    }
    return LeadingNumber(s.randomNoRepeats) == 1.0 ? OrderKind::Shuffle : OrderKind::Random;
}

}  // namespace

PictureSequence::PictureSequence(const SaverSettings& settings, ThemeStorage& storage,
                                 const std::string& stateFolder)
    : settings_(settings),
      storage_(storage),
      files_(storage.Files()),
      library_(
          settings.picturePaths, EntriesOf(settings),
          [&storage](const std::string& stored) { return storage.ResolveProgramPath(stored); }),
      order_(KindOf(settings), LeadingNumber(settings.resumeListOrder) == 1.0),
      statePath_(RunStatePath(stateFolder, settings.currentsaver)),
      cachePath_(ScanCachePath(stateFolder, settings.currentsaver)) {
    const bool carriesOn = order_.Kind() == OrderKind::Shuffle ||
                           (order_.Kind() == OrderKind::List && library_.Entries() > 0 &&
                            LeadingNumber(settings.resumeListOrder) == 1.0);
    if (carriesOn) {
        state_ = ReadRunState(files_, statePath_);
        order_.Restore(state_, library_);
    }
}

bool PictureSequence::Pick(RandomSource& random) {
    const std::optional<PicturePlace> next = order_.Pick(library_, random);
    known_ = next.has_value();
    if (known_) {
        place_ = *next;
        ++serial_;
    }
    if (order_.TakePassEnded()) {
        lookAgain_ = true;
        SaveState();
    }
    return known_;
}

std::string PictureSequence::Path() const {
    return PathOf(place_);
}

std::string PictureSequence::PathOf(const PicturePlace& place) const {
    if (place.entry < 0 || place.entry >= library_.Entries()) {
        return {};
    }
    if (library_.IsFolder(place.entry)) {
        return library_.PicturePath(place);
    }
    const std::string& stored = library_.Stored(place.entry);
    return stored.empty() ? stored : storage_.ResolveProgramPath(stored);
}

bool PictureSequence::FromFolder() const {
    return place_.entry >= 0 && place_.entry < library_.Entries() &&
           library_.IsFolder(place_.entry);
}

void PictureSequence::Shown() {
    order_.Shown(place_, library_);
    anyShown_ = true;
    passedBy_ = 0;
}

bool PictureSequence::PassBy(RandomSource& random) {
    if (++passedBy_ > library_.Total()) {
        // Not one of them could be shown: the fallback stands in, and the next change tries
        // again.
        passedBy_ = 0;
        place_ = PicturePlace{};
        known_ = true;
        ++serial_;
        return true;
    }
    return Pick(random);
}

bool PictureSequence::Scanned(const ScanNews& news, RandomSource& random, bool wanted) {
    if (news.ticket != ticket_) {
        return false;  // an earlier scan's
    }
    library_.Apply(news);
    if (news.kind == ScanNews::Whole && !firstScanDone_) {
        cachedTrees_ = true;
    }
    if (news.kind == ScanNews::Finished) {
        scanning_ = false;
        firstScanDone_ = true;
    }
    return wanted && !known_ && Pick(random);
}

std::optional<ScanRequest> PictureSequence::TakeScan() {
    if (scanning_ || library_.Roots().empty()) {
        return std::nullopt;
    }
    if (ticket_ == 0) {
        return Request(true, false);
    }
    if (cachedTrees_ && anyShown_) {
        cachedTrees_ = false;
        lookAgain_ = false;
        return Request(false, true);
    }
    if (lookAgain_) {
        lookAgain_ = false;
        return Request(false, true);
    }
    return std::nullopt;
}

ScanRequest PictureSequence::Request(bool fromCache, bool walkCached) {
    scanning_ = true;
    return ScanRequest{++ticket_, library_.Roots(), cachePath_, fromCache, walkCached};
}

void PictureSequence::SaveState() {
    RunState kept = state_;
    if (order_.Keep(kept, library_) && kept != state_ && WriteRunState(files_, statePath_, kept)) {
        state_ = kept;
    }
}

int ChangeIntervalMs(const std::string& timeInterval) {
    const std::int32_t ms = ToInt32Saturated(LeadingNumber(timeInterval) * 1000.0);
    return ms < 0 ? 0 : ms;
}

}  // namespace orvelle
