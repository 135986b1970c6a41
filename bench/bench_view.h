// The saver window seen through its engine interface, every call passed on: a base for the
// benchmarks' views that note when things happen.
#pragma once

#include <optional>
#include <string>

#include "saver/saver_window_win.h"

namespace bench {

class ForwardingView : public orvelle::SaverView {
  public:
    explicit ForwardingView(orvelle::win::SaverWindow& window) : w_(window) {}

    orvelle::PixelSize ScreenSize() override { return w_.ScreenSize(); }
    int TwipsPerPixelX() override { return w_.TwipsPerPixelX(); }
    int TwipsPerPixelY() override { return w_.TwipsPerPixelY(); }
    void PaintSolidBackground(orvelle::Colour c) override { w_.PaintSolidBackground(c); }
    void PaintDesktopCopy() override { w_.PaintDesktopCopy(); }
    std::optional<orvelle::PixelSize> LoadBackgroundPicture(const std::string& p) override {
        return w_.LoadBackgroundPicture(p);
    }
    void DrawBackgroundPicture(const orvelle::PixelRect& r) override {
        w_.DrawBackgroundPicture(r);
    }
    void FillBackgroundRect(const orvelle::PixelRect& r, orvelle::Colour c) override {
        w_.FillBackgroundRect(r, c);
    }
    void DecodePicture(const orvelle::PictureRequest& r) override { w_.DecodePicture(r); }
    bool PlaceDecodedPicture(std::uint32_t t) override { return w_.PlaceDecodedPicture(t); }
    void StopDecoding() override { w_.StopDecoding(); }
    void ScanFolders(const orvelle::ScanRequest& r) override { w_.ScanFolders(r); }
    void StopScanning() override { w_.StopScanning(); }
    void CoverScreen() override { w_.CoverScreen(); }
    void ClearPictures() override { w_.ClearPictures(); }
    bool GrabBackgroundPatch(const orvelle::PixelRect& r) override {
        return w_.GrabBackgroundPatch(r);
    }
    bool CopyToDisplay(const orvelle::PixelRect& r) override { return w_.CopyToDisplay(r); }
    void CommitDisplay() override { w_.CommitDisplay(); }
    void MoveDisplay(const orvelle::PixelRect& r) override { w_.MoveDisplay(r); }
    void ShowDisplay(bool visible) override { w_.ShowDisplay(visible); }
    void WaitForFrame() override { w_.WaitForFrame(); }
    bool HurryPending() override { return w_.HurryPending(); }
    void PumpEvents(double seconds) override { w_.PumpEvents(seconds); }
    void SetCaptionFont(const orvelle::CaptionFont& f) override { w_.SetCaptionFont(f); }
    orvelle::PixelSize SetCaptionText(const std::string& t) override {
        return w_.SetCaptionText(t);
    }
    void MoveCaption(const orvelle::PixelRect& r) override { w_.MoveCaption(r); }
    void ShowCaption(bool visible) override { w_.ShowCaption(visible); }
    void ShowClock(bool v, const orvelle::PixelRect& r, orvelle::Colour c) override {
        w_.ShowClock(v, r, c);
    }
    void SetClockText(const std::string& t) override { w_.SetClockText(t); }
    void ShowPausedMark(bool visible) override { w_.ShowPausedMark(visible); }
    void SetTimer(orvelle::SaverTimer t, int ms, bool on) override { w_.SetTimer(t, ms, on); }

  private:
    orvelle::win::SaverWindow& w_;
};

}  // namespace bench
