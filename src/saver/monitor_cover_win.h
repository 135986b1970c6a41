// A cover over one monitor other than the slideshow's: a topmost window that never takes the
// focus, shows the theme's background laid out for its monitor, and hands the mouse and keys to
// the slideshow window as if they had happened there.
#pragma once

#include <windows.h>

#include <string>

#include "base/window_win.h"
#include "overlays/background_canvas.h"
#include "picture/picture_decoder_win.h"
#include "saver/saver_surface_win.h"
#include "saver/saver_view.h"

namespace orvelle::win {

class MonitorCover final : public Window, public BackgroundCanvas {
  public:
    // Hidden, over monitor (screen coordinates), until Show; at that monitor's own DPI.
    MonitorCover(HINSTANCE instance, const PixelRect& monitor, HWND slideshow);
    ~MonitorCover() override;
    // The monitor it covers, in screen coordinates.
    const PixelRect& Monitor() const { return monitor_; }
    // Takes what the monitor shows now (for a desktop-copy background), then covers it.
    void Show();
    // The captions' font, made at this monitor's DPI.
    void SetCaptionFont(const CaptionFont& font);
    // A picture of this monitor's own at rect over the background, with its caption centred
    // in captionRect.
    void ShowPicture(DibBitmap&& picture, const PixelRect& rect, const std::string& caption,
                     const PixelRect& captionRect);
    // As ShowPicture, but the monitor keeps what it shows until CopyStep draws the new look part
    // by part (rect in the monitor's pixels) and CommitPicture ends the change.
    void StagePicture(DibBitmap&& picture, const PixelRect& rect, const std::string& caption,
                      const PixelRect& captionRect);
    void CopyStep(const PixelRect& rect);
    void CommitPicture();
    // The picture shown and its caption, moved.
    void MovePicture(const PixelRect& rect, const PixelRect& captionRect);

    PixelSize ScreenSize() override { return {monitor_.width, monitor_.height}; }
    int TwipsPerPixelX() override { return twipsX_; }
    int TwipsPerPixelY() override { return twipsY_; }
    void PaintSolidBackground(Colour colour) override;
    void PaintDesktopCopy() override;
    std::optional<PixelSize> LoadBackgroundPicture(const std::string& path) override;
    void DrawBackgroundPicture(const PixelRect& rect) override;
    void TileBackgroundPicture(const PixelSize& tile, int columns, int rows) override;
    void FillBackgroundRect(const PixelRect& rect, Colour colour) override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Repaint(const PixelRect& rect);
    void Paint(HDC dc, const RECT& area);
    // The background with picture at rect over it, into target (the monitor's size).
    bool Compose(MemorySurface& target, const MemorySurface& picture, const PixelRect& rect);
    PixelRect monitor_;
    int dpi_;
    int twipsX_;
    int twipsY_;
    HWND slideshow_;
    Colour backColour_ = 0;
    MemorySurface background_;
    MemorySurface desktop_;
    MemorySurface picture_;
    PictureDecoder decoder_;
    // The picture this monitor shows, where, and its caption.
    MemorySurface shown_;
    PixelRect shownRect_;
    std::wstring caption_;
    PixelRect captionRect_;
    OwnedFont captionFont_;
    MemorySurface paintBuffer_;  // a moving picture is drawn here first, so it never flickers
    Colour captionColour_ = 0;
    // A change under way: what the monitor shows (the old look with the steps drawn so far),
    // the new look, and the picture with its caption to keep at the end.
    bool changing_ = false;
    MemorySurface changeScreen_;
    MemorySurface changeNext_;
    MemorySurface staged_;
    PixelRect stagedRect_;
    std::string stagedCaption_;
    PixelRect stagedCaptionRect_;
};

}  // namespace orvelle::win
