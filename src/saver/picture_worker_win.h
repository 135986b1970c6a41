// The saver window's decoding thread: pictures are decoded there, one at a time, at the size
// they are shown at, while the window's thread goes on. Each answer is posted to the window as a
// message; the window's thread never waits for the decoder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "base/colour.h"
#include "base/gdi_win.h"
#include "saver/picture_ahead.h"

namespace orvelle::win {

class PictureWorker {
  public:
    // Monitors with a picture ahead of their own.
    static constexpr std::size_t kLanes = 16;

    // Answers are posted to window as message, with the request's ticket as wParam and its
    // lane as lParam.
    PictureWorker(HWND window, UINT message);
    // Stops. A thread waiting for work is joined; one inside the system's decoder is left to
    // end with the process, never waited for.
    ~PictureWorker();
    PictureWorker(const PictureWorker&) = delete;
    PictureWorker& operator=(const PictureWorker&) = delete;

    // Decodes the request's picture (transparent pixels in background). Drops any earlier
    // request of its lane, and the picture decoded for it if it is still held.
    void Decode(const PictureRequest& request, Colour background);
    // The answer to ticket, once its message has come; nothing for a dropped request.
    std::optional<DecodedPicture> Answer(std::uint32_t ticket, int lane = 0) const;
    // Hands over the picture decoded for ticket; an empty bitmap when there is none.
    DibBitmap Take(std::uint32_t ticket, int lane = 0);
    // Abandons the work: the decode under way stops at its next band, nothing more is posted.
    void Stop();

  private:
    struct Shared;
    static void Run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace orvelle::win
