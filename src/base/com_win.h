// An owning pointer to a COM interface, released when it goes out of scope, and the thread's
// COM apartment for a scope. Header only.
#pragma once

#include <objbase.h>

namespace orvelle::win {

// CoInitializeEx for the life of the object; CoUninitialize only when it succeeded.
class ComApartment {
  public:
    explicit ComApartment(DWORD model) : joined_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (joined_) {
            CoUninitialize();
        }
    }

  private:
    bool joined_;
};

template <typename T>
class Com {
  public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() { Reset(); }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    // For a call that hands back a new interface; whatever was held is released first.
    T** Out() {
        Reset();
        return &ptr_;
    }
    // The same, for calls that take an interface id and a void**.
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

    void Reset() {
        if (ptr_) {
            ptr_->Release();
            ptr_ = nullptr;
        }
    }

  private:
    T* ptr_ = nullptr;
};

}  // namespace orvelle::win
