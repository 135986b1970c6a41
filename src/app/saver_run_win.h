// One full-screen run: the saver window with everything it talks to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace orvelle::win {

class SaverRun {
  public:
    SaverRun(HINSTANCE instance, std::int32_t platformId);
    ~SaverRun();
    // False when the saver window could not be created.
    bool WindowCreated() const;
    // Runs the window's load (which shows it and arms the start timer).
    void Start();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace orvelle::win
