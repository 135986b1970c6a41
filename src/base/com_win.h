// An owning pointer to a COM interface, released when it goes out of scope. Header only.
#pragma once

namespace orvelle::win {

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
