#include "saver/picture_ahead.h"

namespace orvelle {

void PictureAhead::Want(int index, const std::string& path, const std::string& fallback,
                        const PictureFit& fit, bool mayPassBy, bool readFacts) {
    if (stopped_ || (phase_ != Phase::Idle && index == index_ && fit == fit_)) {
        return;
    }
    index_ = index;
    fallback_ = fallback;
    fit_ = fit;
    mayPassBy_ = mayPassBy && !path.empty();
    readFacts_ = readFacts;
    if (path.empty()) {
        Ask(fallback_, Phase::Fallback);
    } else {
        Ask(path, Phase::Picture);
    }
}

void PictureAhead::Ask(const std::string& path, Phase phase) {
    phase_ = phase;
    ticket_ = ++lastTicket_;
    // The fallback picture's own facts would only mislead its caption.
    decoding_.DecodePicture({ticket_, path, fit_, readFacts_ && phase == Phase::Picture, lane_});
}

bool PictureAhead::Arrived(const DecodedPicture& picture) {
    const bool awaited = phase_ == Phase::Picture || phase_ == Phase::Fallback;
    if (stopped_ || !awaited || picture.ticket != ticket_ || picture.lane != lane_) {
        return false;
    }
    const bool fallback = phase_ == Phase::Fallback;
    if (picture.outcome == DecodeOutcome::Decoded) {
        turn_ = {PictureTurn::Ready, picture.ticket, picture.size, fallback,
                 fallback ? PhotoFacts{} : picture.facts};
    } else if (!fallback && mayPassBy_) {
        turn_ = {PictureTurn::PassedBy, 0, {}, false, {}};
    } else if (!fallback) {
        // A picture that cannot be shown is taken as a missing one.
        Ask(fallback_, Phase::Fallback);
        return false;
    } else {
        const bool none = picture.outcome == DecodeOutcome::NotAPicture;
        turn_ = {none ? PictureTurn::NoFallback : PictureTurn::FallbackNotShown, 0, {}, true, {}};
    }
    phase_ = Phase::Settled;
    return true;
}

bool PictureAhead::Settled(int index) const {
    return phase_ == Phase::Settled && index == index_;
}

PictureTurn PictureAhead::Take() {
    const PictureTurn turn = Settled(index_) ? turn_ : PictureTurn{};
    phase_ = Phase::Idle;
    index_ = -1;
    return turn;
}

void PictureAhead::Stop() {
    if (!stopped_) {
        stopped_ = true;
        phase_ = Phase::Idle;
        decoding_.StopDecoding();
    }
}

}  // namespace orvelle
