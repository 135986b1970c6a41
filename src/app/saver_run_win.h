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
    // Creates the window and runs its load (which shows it and arms the start timer).
    void Start();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace orvelle::win
