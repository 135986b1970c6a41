// The picture viewer window: the picture at its own size, scrolled when it is larger than the
// work area (with the scroll bars, the wheel or the keys); a click or Esc closes it. Not modal:
// the editor stays usable beside it.
#pragma once

#include <windows.h>

#include <string>

#include "base/gdi_win.h"
#include "base/window_win.h"

namespace orvelle::win {

class PictureViewer : public Window {
  public:
    // Opens (or reopens) the viewer over owner on the picture file; "" or a file that cannot be
    // loaded shows the load message and an empty viewer.
    void Show(HINSTANCE instance, HWND owner, const std::string& path);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CloseToOwner();
    void Paint();
    // A scroll bar's request (SB_LINEUP, SB_PAGEDOWN, SB_THUMBTRACK, ...) on one axis.
    void Scroll(bool across, int request);
    void ScrollTo(int x, int y);
    void UpdateScrollBars();

    HWND owner_ = nullptr;
    DibBitmap picture_;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

}  // namespace orvelle::win
