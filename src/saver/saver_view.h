// What the saver engine needs from the screen: the full-screen window Form1 with its picture
// boxes, labels and timers, the decoding of pictures beside it, and the host actions around a
// run. The engine decides everything; the Win32 side (saver_window_win.cpp) only carries out
// these calls. All positions and sizes passed here are in pixels; the engine keeps the twips
// arithmetic and converts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"
#include "overlays/background_canvas.h"
#include "saver/picture_ahead.h"
#include "settings/folder_scan.h"

namespace orvelle {

// Monitors: the other monitors' own pictures, when the theme puts pictures on every monitor.
enum class SaverTimer { StartSaver, ImageChange, Float, Scroller, Time, Media, Monitors };

// The keys the browsing setting gives a meaning; every other key is Other.
enum class SaverKey { Other, Right, Left, Space };

struct CaptionFont {
    std::string name;
    float sizePoints = 8.25f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    Colour colour = 0;
};

// What the saver engine needs from the side that scans folder entries (a worker thread on
// Windows, a fake in tests).
class FolderScanning {
  public:
    virtual ~FolderScanning() = default;
    // Starts the scan beside the window's thread; its news come later, in order, as the form's
    // FoldersScanned events. A new scan drops one still running.
    virtual void ScanFolders(const ScanRequest& request) = 0;
    // The run has ended: the scan under way stops.
    virtual void StopScanning() = 0;
};

class SaverView : public BackgroundCanvas, public PictureDecoding, public FolderScanning {
  public:
    ~SaverView() override = default;

    // --- The window (its size and twips come with the background canvas) ---
    // Size the window to the screen, place it at (0, 0) topmost, show it without activating.
    virtual void CoverScreen() = 0;
    // The cover windows of the other monitors, each a canvas of its monitor's size that shows
    // the background alone. None on a single monitor.
    virtual std::vector<BackgroundCanvas*> OtherMonitors() { return {}; }
    // Shows the decoded picture of a lane's ticket on that lane's monitor (lane n is the n-th
    // of OtherMonitors) at rect in the monitor's own pixels over its background, with caption
    // centred in captionRect. False when the picture is not there.
    virtual bool ShowLanePicture(int /*lane*/, std::uint32_t /*ticket*/, const PixelRect& /*rect*/,
                                 const std::string& /*caption*/, const PixelRect& /*captionRect*/) {
        return false;
    }
    // Reads the monitors again after a display change: the main monitor's size (ScreenSize; the
    // window's background is then blank until painted again), and covers of monitors gone go, a
    // monitor added, moved or resized gets a new cover (hidden until CoverScreen). The new
    // covers, for their backgrounds; none when the other monitors are as they were.
    virtual std::optional<std::vector<BackgroundCanvas*>> RereadMonitors() { return std::nullopt; }
    // As ShowLanePicture, but what the monitor shows stays until CopyLaneStep draws the change
    // step by step (rect in the monitor's pixels) and CommitLanePicture ends it.
    virtual bool StageLanePicture(int lane, std::uint32_t ticket, const PixelRect& rect,
                                  const std::string& caption, const PixelRect& captionRect) {
        return ShowLanePicture(lane, ticket, rect, caption, captionRect);
    }
    virtual bool CopyLaneStep(int /*lane*/, const PixelRect& /*rect*/) { return true; }
    virtual void CommitLanePicture(int /*lane*/) {}
    // Moves the picture a lane shows, and its caption.
    virtual void MoveLanePicture(int /*lane*/, const PixelRect& /*rect*/,
                                 const PixelRect& /*captionRect*/) {}

    // --- Picture surfaces: load surface (IntialPicture) and the picture on screen
    //     (DisplayingPicture). Pictures come into the load surface decoded, at their shown size
    //     (PictureDecoding) ---
    // Clear the drawings of the picture boxes.
    virtual void ClearPictures() = 0;
    // The load surface takes the background region at rect (the patch behind the picture).
    virtual bool GrabBackgroundPatch(const PixelRect& rect) = 0;
    // One transition step: copy rect of the load surface to the same rect on the screen picture.
    virtual bool CopyToDisplay(const PixelRect& rect) = 0;
    // The load surface's picture becomes the lasting picture of the screen picture.
    virtual void CommitDisplay() = 0;
    virtual void MoveDisplay(const PixelRect& rect) = 0;
    virtual void ShowDisplay(bool visible) = 0;

    // --- Transition pacing ---
    // Waits for the next display frame (the compositor's, or a frame length).
    virtual void WaitForFrame() = 0;
    // True when a key press or click is waiting: the rest of an effect is then drawn at once.
    virtual bool HurryPending() = 0;
    // Dispatches pending window events for the given seconds (the pause of a picture change).
    virtual void PumpEvents(double seconds) = 0;

    // --- Caption label (Label1): sizes itself to its text ---
    virtual void SetCaptionFont(const CaptionFont& font) = 0;
    // Sets the text; returns the label's new size in pixels.
    virtual PixelSize SetCaptionText(const std::string& text) = 0;
    virtual void MoveCaption(const PixelRect& rect) = 0;
    virtual void ShowCaption(bool visible) = 0;

    // --- Clock label (time): fixed size, right-aligned, opaque ---
    virtual void ShowClock(bool visible, const PixelRect& rect, Colour textColour) = 0;
    virtual void SetClockText(const std::string& text) = 0;

    // --- The mark that tells the changes are paused (browsing keys), in a corner ---
    virtual void ShowPausedMark(bool visible) = 0;

    // --- Timers: interval 0 or disabled means no ticks; setting an interval restarts it ---
    virtual void SetTimer(SaverTimer timer, int intervalMs, bool enabled) = 0;
};

// Host actions around a run: pointer, task bar, password, process end.
class SaverHost {
  public:
    virtual ~SaverHost() = default;
    virtual int WaveOutDeviceCount() = 0;
    // SystemParametersInfo action 97: tells a 9x system whether a screen saver runs.
    virtual void SetScreenSaverRunning(bool running) = 0;
    // ShowCursor(TRUE); returns the new display counter.
    virtual int ShowPointerOnce() = 0;
    // SetCursorPos with these coordinates (clamped by the system).
    virtual void SetPointerPosition(int x, int y) = 0;
    // Finds the task bar and shows it again.
    virtual void ShowTaskbar() = 0;
    // The system's password prompt owned by the saver window; true when the password was right.
    virtual bool VerifyPassword() = 0;
    // Shows the saver window again (after a wrong password).
    virtual void ShowSaverWindow() = 0;
    // Destroys the saver window.
    virtual void UnloadSaverWindow() = 0;
    // A message box with the exclamation icon titled "Orvelle Screen Saver".
    virtual void ShowErrorMessage(const std::string& text) = 0;
    // Ends the program (does not return in the real program).
    virtual void EndProgram() = 0;
};

}  // namespace orvelle
