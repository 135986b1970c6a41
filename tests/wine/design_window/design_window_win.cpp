// The theme editor window as it was designed: its templates' contents, with no theme and no
// behaviour behind the controls, for the tests and pictures of its layout. A test program of its
// own, started with the switches of orvelle.scr's configure mode ("/c", "/c:owner"): the product
// holds no switch for it.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string_view>
#include <utility>

#include "app/start_program.h"
#include "base/controls_win.h"
#include "base/dialog_win.h"
#include "base/optional_api_win.h"
#include "base/wide_win.h"
#include "config/control_ids.h"
#include "config/theme_dialogs.h"
#include "config/theme_dialogs_win.h"
#include "config/theme_editor_view_win.h"

namespace {

using orvelle::win::Dialog;

// A small dialog shown from its template with nothing behind it but closing.
class TemplateDialog : public Dialog {
  public:
    explicit TemplateDialog(int templateId) : templateId_(templateId) {}

  protected:
    bool OnInitDialog() override {
        orvelle::win::CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
        tips_.Create(Handle());
        orvelle::win::ApplyControlTable(Handle(), templateId_, tips_);
        if (templateId_ == IDD_MOUSE) {
            orvelle::win::TrackbarSetPosition(Item(IDK_MOUSE_SENSITIVITY),
                                              orvelle::MouseSensitivityDialog::kDefault);
        }
        return true;
    }
    bool OnCommand(int id, int code, HWND) override {
        if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
            EndModal(id);
            return true;
        }
        return false;
    }

  private:
    int templateId_;
    orvelle::win::Tooltips tips_;
};

class DesignTimeWindow : public orvelle::win::ThemeEditorView {
  public:
    using ThemeEditorView::ThemeEditorView;

  protected:
    void OnControlCommand(int, int) override {}
    void OnControlScroll(int, int, int) override {}
    void OnToolbarButton(int, std::string_view) override {}
    void OnHelp() override {}
    void OnOk() override { Close(); }
    void OnCancel() override { Close(); }
    void OnDrawSurface(int, HDC dc, const RECT& bounds) override {
        FillRect(dc, &bounds, GetSysColorBrush(COLOR_WINDOW));
    }
    void ShowSmallDialog(int templateId) override {
        TemplateDialog dialog(templateId);
        dialog.RunModal(Instance(), templateId, Handle());
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orvelle::win::SetProcessDpiAware();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const orvelle::CommandLineChoice choice = orvelle::ParseCommandLine(
        orvelle::ArgumentsAfterProgramName(orvelle::win::Narrow(GetCommandLineW())));
    HWND owner = reinterpret_cast<HWND>(static_cast<std::intptr_t>(choice.parentWindow));
    DesignTimeWindow window(instance);
    if (!window.Open(owner != nullptr && IsWindow(owner) ? owner : nullptr)) {
        return 1;
    }
    return Dialog::RunMessageLoop();
}
