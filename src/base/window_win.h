// A small base for the program's own windows: registers a window class once, creates the
// window with `this` attached, and sends every message to the virtual HandleMessage, behind the
// fault barrier (base/fault_barrier_win.h).
#pragma once

#include <windows.h>

namespace orvelle::win {

struct WindowClassOptions {
    const wchar_t* name = nullptr;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    // Null: the window paints all of itself (no erase brush).
    HBRUSH background = nullptr;
};

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    bool IsAlive() const { return hwnd_ != nullptr; }

    // Registers the class once per process (later calls with the same name do nothing).
    static bool RegisterWindowClass(HINSTANCE instance, const WindowClassOptions& options);

    // Creates the window of a class registered above. False when it could not be created.
    bool Create(HINSTANCE instance, const wchar_t* className, DWORD exStyle, DWORD style,
                const RECT& bounds, HWND parent, const wchar_t* title = L"");

    // Destroys the window if it still exists; its last messages reach this object.
    void Destroy();

  protected:
    // Every message of the window; the default hands it to DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone (after WM_NCDESTROY); Handle() is null by then.
    virtual void OnDestroyed() {}
    // Destroys the window with this object let go first, so that no message reaches it (nor
    // OnDestroyed): for destructors, where the object is no longer whole. The base destructor
    // does this; a derived one calls it before freeing what the window still uses.
    void DestroyDetached();

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace orvelle::win
