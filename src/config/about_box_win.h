// The about box: the program's name, version and a button to the maker's downloads page. It is
// not modal: the editor stays usable beside it.
#pragma once

#include <windows.h>

#include "base/dialog_win.h"

namespace orvelle::win {

class AboutBox : public Dialog {
  public:
    // Shows the box over owner, or brings it forward when it is already open.
    void Show(HINSTANCE instance, HWND owner);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace orvelle::win
