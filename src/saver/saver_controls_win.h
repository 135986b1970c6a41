// The saver window's child windows: the picture on screen (DisplayingPicture), the caption
// (Label1) and clock (time) labels and the paused mark. Only the saver window's own files include
// this.
#pragma once

#include <windows.h>

#include <string>

#include "base/gdi_win.h"
#include "base/window_win.h"
#include "saver/saver_window_win.h"

namespace orvelle::win {

// A child window showing its own lasting bitmap.
class SaverWindow::PictureBox final : public Window {
  public:
    explicit PictureBox(SaverWindow& owner) : owner_(owner) {}
    ~PictureBox() override { Destroy(); }

    MemorySurface surface;
    PixelRect rect;
    bool visible = false;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    SaverWindow& owner_;
};

// A label is a child window of our own, so that the pointer over it is its own.
class SaverWindow::Label final : public Window {
  public:
    Label(SaverWindow& owner, bool opaque, bool rightAligned)
        : owner_(owner), opaque_(opaque), rightAligned_(rightAligned) {}
    ~Label() override { Destroy(); }

    OwnedFont font;
    Colour colour = 0;
    std::string text;
    PixelRect rect;
    bool visible = false;

    // The label's size for its text in its font.
    PixelSize Measure() const;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint();

    SaverWindow& owner_;
    bool opaque_;
    bool rightAligned_;
};

// The mark in the bottom-left corner that tells the changes are paused: two bars on a dark
// square. Clicks on it fall through to the window, as anywhere outside the picture.
class SaverWindow::PauseMark final : public Window {
  public:
    explicit PauseMark(SaverWindow& owner) : owner_(owner) {}
    ~PauseMark() override { Destroy(); }

    // Creates it hidden, sized for the screen's DPI.
    void Create();
    void Show(bool visible);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    RECT Bounds() const;
    void Paint();

    SaverWindow& owner_;
};

// The key as the saver's browsing understands it (lParam bit 30: the key was already down).
SaverKey SaverKeyOf(UINT message, WPARAM key);
bool IsKeyRepeat(LPARAM lParam);

}  // namespace orvelle::win
