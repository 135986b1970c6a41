#include "saver/picture_ahead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelle {
namespace {

struct RecordingDecoding : PictureDecoding {
    void DecodePicture(const PictureRequest& request) override { requests.push_back(request); }
    bool PlaceDecodedPicture(std::uint32_t) override { return true; }
    void StopDecoding() override { ++stops; }
    std::uint32_t Last() const { return requests.back().ticket; }
    std::vector<PictureRequest> requests;
    int stops = 0;
};

TEST(PictureAhead, OneTurnIsAskedForAtATimeAndAnswersToEarlierOnesAreDropped) {
    RecordingDecoding decoding;
    PictureAhead ahead(decoding);
    const PictureFit fit{15, 15, 15360, 11520, 0.9f};
    ahead.Want(1, "a.jpg", "fallback.gif", fit);
    ahead.Want(1, "a.jpg", "fallback.gif", fit);  // the same turn: asked once
    ASSERT_EQ(decoding.requests.size(), 1u);
    EXPECT_EQ(decoding.requests[0].fit, fit);
    const std::uint32_t first = decoding.Last();

    // The pick changes before the answer: the first answer no longer counts.
    ahead.Want(2, "b.jpg", "fallback.gif", fit);
    EXPECT_FALSE(ahead.Arrived({first, DecodeOutcome::Decoded, {10, 10}, {}}));
    EXPECT_FALSE(ahead.Settled(1));
    // b cannot be shown: the fallback is asked for in its place.
    EXPECT_FALSE(ahead.Arrived({decoding.Last(), DecodeOutcome::NotDecoded, {}, {}}));
    EXPECT_EQ(decoding.requests.back().path, "fallback.gif");
    EXPECT_FALSE(ahead.Settled(2));
    EXPECT_TRUE(ahead.Arrived({decoding.Last(), DecodeOutcome::Decoded, {5, 4}, {}}));
    EXPECT_TRUE(ahead.Settled(2));
    EXPECT_FALSE(ahead.Arrived({decoding.Last(), DecodeOutcome::Decoded, {5, 4}, {}}));  // twice
    const PictureTurn turn = ahead.Take();
    EXPECT_EQ(turn.kind, PictureTurn::Ready);
    EXPECT_EQ(turn.ticket, decoding.Last());
    EXPECT_EQ(turn.size, (PixelSize{5, 4}));
    EXPECT_TRUE(turn.fallback);
    EXPECT_FALSE(ahead.Settled(2));

    // Taken, the same turn is asked for again; an empty path goes to the fallback at once, and
    // a fallback that is no picture settles the turn as such.
    ahead.Want(2, "b.jpg", "fallback.gif", fit);
    ahead.Want(3, "", "fallback.gif", fit);
    EXPECT_EQ(decoding.requests.size(), 5u);
    EXPECT_EQ(decoding.requests.back().path, "fallback.gif");
    EXPECT_TRUE(ahead.Arrived({decoding.Last(), DecodeOutcome::NotAPicture, {}, {}}));
    EXPECT_EQ(ahead.Take().kind, PictureTurn::NoFallback);
    EXPECT_EQ(ahead.Take().kind, PictureTurn::NoFallback);  // nothing settled: no picture

    // Once the run ends nothing more is asked for or taken in.
    ahead.Want(4, "d.jpg", "fallback.gif", fit);
    ahead.Stop();
    ahead.Stop();
    EXPECT_EQ(decoding.stops, 1);
    EXPECT_FALSE(ahead.Arrived({decoding.Last(), DecodeOutcome::Decoded, {1, 1}, {}}));
    ahead.Want(5, "e.jpg", "fallback.gif", fit);
    EXPECT_EQ(decoding.requests.size(), 6u);
}

}  // namespace
}  // namespace orvelle
