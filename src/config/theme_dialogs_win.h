// The small modal dialogs over the theme editor: new theme, load theme, delete themes and the
// mouse sensitivity, each shown from its template and driven by its model.
#pragma once

#include <windows.h>

#include "base/controls_win.h"

namespace orvelle {
class ThemeEditor;
}

namespace orvelle::win {

// Runs the dialog of the template (IDD_NEW_THEME, IDD_LOAD_THEME, IDD_DELETE_THEME or
// IDD_MOUSE) over owner until it closes.
// The tooltips and slider ranges of the dialog's control table put on its controls.
void ApplyControlTable(HWND dialog, int templateId, Tooltips& tips);

void RunThemeDialog(HINSTANCE instance, HWND owner, int templateId, ThemeEditor& editor);

}  // namespace orvelle::win
