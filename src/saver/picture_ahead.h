// The next picture decoded ahead of its turn, beside the window's thread: what is asked for when,
// what a late or failed answer does, and what the turn shows when it comes. The decoding itself
// happens behind PictureDecoding (a worker thread on Windows, a fake in tests).
#pragma once

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "picture/photo_facts.h"
#include "saver/picture_scaling.h"

namespace orvelle {

// Decode the picture file at path at the size fit gives it.
struct PictureRequest {
    std::uint32_t ticket = 0;
    std::string path;
    PictureFit fit;
    // Also read what the photo's file tells of itself (for its caption).
    bool readFacts = false;
    // Which monitor's pictures it is for (0 the main one): each holds its own picture ahead.
    int lane = 0;
};

enum class DecodeOutcome {
    Decoded,      // ready, at size
    NotAPicture,  // missing, unreadable, not a picture at all
    NotDecoded,   // a picture that cannot be shown: too large, damaged, no pixels, no memory
};

// The answer to one request.
struct DecodedPicture {
    std::uint32_t ticket = 0;
    DecodeOutcome outcome = DecodeOutcome::NotAPicture;
    PixelSize size;    // its shown size when decoded
    PhotoFacts facts;  // when asked for and decoded
    int lane = 0;      // the request's
};

// What the saver engine needs from the side that decodes.
class PictureDecoding {
  public:
    virtual ~PictureDecoding() = default;
    // Starts decoding; the answer comes later, as the form's PictureDecoded event with the same
    // ticket. A request drops any earlier one of its lane, answered or not (one picture is held
    // ahead per monitor).
    virtual void DecodePicture(const PictureRequest& request) = 0;
    // Puts the decoded picture of the ticket into the load surface at its shown size. False when
    // it is not there.
    virtual bool PlaceDecodedPicture(std::uint32_t ticket) = 0;
    // The run has ended: whatever is being decoded is abandoned.
    virtual void StopDecoding() = 0;
};

// What a picture's turn brings.
struct PictureTurn {
    enum Kind {
        Ready,             // ticket holds the picture (its own or the fallback) at size
        NoFallback,        // neither the picture nor the fallback picture is a picture
        FallbackNotShown,  // the fallback picture is one, but it cannot be shown
        PassedBy,          // a picture that may be passed by could not be shown
    };
    Kind kind = NoFallback;
    std::uint32_t ticket = 0;
    PixelSize size;
    bool fallback = false;
    PhotoFacts facts;  // the picture's own; none for the fallback picture
};

class PictureAhead {
  public:
    explicit PictureAhead(PictureDecoding& decoding, int lane = 0)
        : decoding_(decoding), lane_(lane) {}

    // Asks for the picture of index's turn: the file at path, or, when path is empty or the
    // file cannot be shown, the fallback picture; a file that may be passed by (a folder's
    // picture) settles the turn as PassedBy instead. Nothing new is asked when that turn is
    // already asked for or settled; asking for another turn drops the one before. readFacts:
    // also read what the photo's file tells of itself (its date and title, for its caption).
    void Want(int index, const std::string& path, const std::string& fallback,
              const PictureFit& fit, bool mayPassBy = false, bool readFacts = false);
    // An answer from the decoding side. True when it settles the turn wanted; answers to
    // earlier requests are dropped.
    bool Arrived(const DecodedPicture& picture);
    // True once the turn of index is settled (ready, or known not to show).
    bool Settled(int index) const;
    // True when the settled turn is a picture passed by.
    bool PassedBy() const {
        return phase_ == Phase::Settled && turn_.kind == PictureTurn::PassedBy;
    }
    // Hands the settled turn over; the next Want asks anew.
    PictureTurn Take();
    // The run has ended: decoding stops, nothing more is asked, answers are dropped.
    void Stop();

  private:
    enum class Phase { Idle, Picture, Fallback, Settled };
    void Ask(const std::string& path, Phase phase);

    PictureDecoding& decoding_;
    int lane_ = 0;
    Phase phase_ = Phase::Idle;
    int index_ = -1;
    std::string fallback_;
    PictureFit fit_;
    bool mayPassBy_ = false;
    bool readFacts_ = false;
    std::uint32_t ticket_ = 0;
    std::uint32_t lastTicket_ = 0;
    PictureTurn turn_;
    bool stopped_ = false;
};

}  // namespace orvelle
