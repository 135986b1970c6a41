#include "base/window_win.h"

#include "base/fault_barrier_win.h"

namespace orvelle::win {

Window::~Window() {
    DestroyDetached();
}

bool Window::RegisterWindowClass(HINSTANCE instance, const WindowClassOptions& options) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, options.name, &existing)) {
        return true;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = options.style;
    wc.lpfnWndProc = &Window::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = options.cursor;
    wc.hbrBackground = options.background;
    wc.lpszClassName = options.name;
    return RegisterClassExW(&wc) != 0;
}

bool Window::Create(HINSTANCE instance, const wchar_t* className, DWORD exStyle, DWORD style,
                    const RECT& bounds, HWND parent, const wchar_t* title) {
    if (hwnd_) {
        return true;
    }
    // hwnd_ is set in WM_NCCREATE, so messages sent during creation already reach us.
    HWND created = CreateWindowExW(exStyle, className, title, style, bounds.left, bounds.top,
                                   bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                   nullptr, instance, this);
    return created != nullptr;
}

void Window::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

void Window::DestroyDetached() {
    if (!hwnd_) {
        return;
    }
    // Let go of the window first: its last messages get the default handling and never reach
    // an object that is being taken apart.
    HWND window = hwnd_;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(window);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto handle = [&] { return self->HandleMessage(message, wParam, lParam); };
    auto byDefault = [&] { return DefWindowProcW(hwnd, message, wParam, lParam); };
    if (message != WM_NCDESTROY) {
        return Guarded(hwnd, handle, byDefault);
    }
    const LRESULT result = Guarded(hwnd, handle, byDefault);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    Guarded(
        hwnd, [&] { self->OnDestroyed(); }, [] {});
    return result;
}

}  // namespace orvelle::win
