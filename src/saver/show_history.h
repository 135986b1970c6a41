// The pictures a run has shown, so that the browsing keys can step back through them and
// forward again; past the newest, forward is the slideshow's own next picture.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

namespace orvelle {

enum class BrowseStep { Forward, Back };

class ShowHistory {
  public:
    // How many shown pictures are kept; older ones are forgotten.
    static constexpr std::size_t kKept = 100;

    // The slideshow put a new picture on screen: it becomes the newest, and browsing stands on
    // it.
    void Shown(int index);
    // The picture a step leads to from the one on screen: back, the one shown before it;
    // forward, the one shown after it once browsing went back. Nothing where the history ends
    // (forward from the newest is the slideshow's next picture).
    std::optional<int> Target(BrowseStep step) const;
    // Browsing showed the picture Target(step) named.
    void Moved(BrowseStep step);

  private:
    std::deque<int> shown_;
    std::size_t at_ = 0;  // the picture on screen, in shown_
};

}  // namespace orvelle
