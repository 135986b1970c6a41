// The pictures a run has shown, so that the browsing keys can step back through them and
// forward again; past the newest, forward is the sequence's own next picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace orvelle {

enum class BrowseStep { Forward, Back };

// A picture as it was shown: its entry in the theme's list (-1 for none) and its file, since a
// folder entry stands for many files ("" for none: the fallback picture stood in).
struct ShownPicture {
    std::int32_t entry = -1;
    std::string path;
    friend bool operator==(const ShownPicture&, const ShownPicture&) = default;
};

class ShowHistory {
  public:
    // How many shown pictures are kept; older ones are forgotten.
    static constexpr std::size_t kKept = 100;

    // A place in the history: the picture, and which of the run's shown pictures it was.
    struct Stop {
        std::int64_t number = 0;
        ShownPicture picture;
        friend bool operator==(const Stop&, const Stop&) = default;
    };
    // The decoder's turn for a picture shown before: negative, so that it never meets the
    // sequence's turns, and one of its own for every stop.
    static int Turn(const Stop& stop) { return -2 - static_cast<int>(stop.number % 0x40000000); }

    // The sequence put a new picture on screen: it becomes the newest, and browsing stands on
    // it.
    void Shown(const ShownPicture& picture);
    // The stop a step leads to from the picture on screen: back, the one shown before it;
    // forward, the one shown after it once browsing went back. Nothing where the history ends
    // (forward from the newest is the sequence's next picture).
    std::optional<Stop> Target(BrowseStep step) const;
    // Browsing showed the picture Target(step) named.
    void Moved(BrowseStep step);

  private:
    std::deque<ShownPicture> shown_;
    std::int64_t first_ = 0;  // the number of shown_.front()
    std::size_t at_ = 0;      // the picture on screen, in shown_
};

}  // namespace orvelle
