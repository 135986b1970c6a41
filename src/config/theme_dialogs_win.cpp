#include "config/theme_dialogs_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/controls_win.h"
#include "base/dialog_win.h"
#include "config/form2.h"
#include "config/mouse_ids.h"
#include "config/theme_dialog_ids.h"
#include "config/theme_dialogs.h"

namespace orvelle::win {

namespace {

// What the three theme dialogs share: the place over the editor and the way back to it.
class SmallDialog : public Dialog {
  protected:
    bool OnInitDialog() override {
        CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
        tips_.Create(Handle());
        Load();
        return true;
    }
    void Finish(INT_PTR result) {
        HWND owner = GetWindow(Handle(), GW_OWNER);
        EndModal(result);
        if (owner) {
            SetForegroundWindow(owner);
        }
    }
    virtual void Load() = 0;
    Tooltips tips_;
};

void ShowNames(HWND list, const ThemeNameList& themes) {
    const std::vector<std::string>& names = themes.names;
    ListClear(list);
    std::size_t bytes = 0;
    for (const std::string& name : names) {
        bytes += name.size() + 1;
    }
    ListFill fill(list, static_cast<int>(names.size()), bytes * 2);
    for (const std::string& name : names) {
        fill.Add(name);
    }
    ListSelect(list, themes.selected);
}

class NewNameDialog : public SmallDialog {
  public:
    explicit NewNameDialog(Form2& form) : model_(form) {}

  protected:
    void Load() override {
        SendMessageW(Item(IDC_frmNewName_txtNewName), EM_LIMITTEXT, 255, 0);
        EnableItem(IDC_frmNewName_CommandOk, model_.commandOkEnabled);
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == IDC_frmNewName_txtNewName && code == EN_CHANGE) {
            model_.txtNewName_Change(ItemText(id));
            EnableItem(IDC_frmNewName_CommandOk, model_.commandOkEnabled);
            return true;
        }
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDC_frmNewName_CommandOk) {
            if (model_.CommandOk_Click()) {
                Finish(IDOK);
            } else {
                SetFocus(Item(IDC_frmNewName_txtNewName));
            }
            return true;
        }
        if (id == IDC_frmNewName_CommandCancel && model_.CommandCancel_Click()) {
            Finish(IDCANCEL);
            return true;
        }
        return false;
    }

  private:
    frmNewName model_;
};

class ExistingNamesDialog : public SmallDialog {
  public:
    explicit ExistingNamesDialog(Form2& form) : model_(form) {}

  protected:
    void Load() override {
        model_.Form_Load();
        ShowNames(Item(IDC_frmExistingNames_listExistingSavers), model_.listExistingSavers);
        EnableItem(IDC_frmExistingNames_CommandOk, model_.commandOkEnabled);
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == IDC_frmExistingNames_listExistingSavers) {
            if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
                model_.listExistingSavers_Click(ListSelection(Item(id)));
                EnableItem(IDC_frmExistingNames_CommandOk, model_.commandOkEnabled);
            }
            if (code == LBN_DBLCLK && model_.CommandOk_Click()) {
                Finish(IDOK);  // a double-click loads, as in the system's own lists
            }
            return true;
        }
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDC_frmExistingNames_CommandOk) {
            if (model_.CommandOk_Click()) {
                Finish(IDOK);
            }
            return true;
        }
        if (id == IDC_frmExistingNames_CommandCancel && model_.CommandCancel_Click()) {
            Finish(IDCANCEL);
            return true;
        }
        return false;
    }

  private:
    frmExistingNames model_;
};

class DeleteDialog : public SmallDialog {
  public:
    explicit DeleteDialog(Form2& form) : model_(form) {}

  protected:
    void Load() override {
        model_.Form_Load();
        ShowModel();
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == IDC_frmDelete_listExistingSavers) {
            if (code == LBN_SELCHANGE) {
                model_.listExistingSavers_Click(ListSelection(Item(id)));
                EnableItem(IDC_frmDelete_CommandDelete, model_.commandDeleteEnabled);
            }
            return true;
        }
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDC_frmDelete_CommandDelete) {
            const ThemeNameList& themes = model_.listExistingSavers;
            const std::size_t before = themes.names.size();
            const int removed = themes.selected;
            model_.CommandDelete_Click();
            if (themes.names.size() != before) {
                ListDelete(Item(IDC_frmDelete_listExistingSavers), removed);
            }
            ShowModel(false);
            return true;
        }
        if (id == IDC_frmDelete_CommandOk && model_.CommandOk_Click()) {
            Finish(IDCANCEL);
            return true;
        }
        return false;
    }

  private:
    void ShowModel(bool fill = true) {
        HWND list = Item(IDC_frmDelete_listExistingSavers);
        if (fill) {
            ShowNames(list, model_.listExistingSavers);
        } else {
            ListSelect(list, model_.listExistingSavers.selected);
        }
        EnableItem(IDC_frmDelete_CommandDelete, model_.commandDeleteEnabled);
    }
    frmDelete model_;
};

class MouseDialog : public SmallDialog {
  public:
    explicit MouseDialog(Form2& form) : model_(form) {}

  protected:
    void Load() override {
        model_.Form_Load();
        HWND slider = Item(IDC_frmMouse_MouseSensitiveSlider);
        TrackbarSetRange(slider, 1, 30);
        TrackbarSetTickFrequency(slider, 1);
        TrackbarSetPosition(slider, model_.sliderPosition);
        tips_.Add(slider, "Mouse sensitivity");
        tips_.Add(Item(IDC_frmMouse_defaultMouseSensitivity), "Default mouse sensitivity");
        tips_.Add(Item(IDC_frmMouse_Ok), "Save changes");
        tips_.Add(Item(IDC_frmMouse_Cancel), "Cancel changes");
    }
    void OnScroll(HWND control, int, int) override {
        if (control == Item(IDC_frmMouse_MouseSensitiveSlider)) {
            model_.MouseSensitiveSlider_Scroll(TrackbarPosition(control));
        }
    }
    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) {
            return false;
        }
        switch (id) {
            case IDC_frmMouse_defaultMouseSensitivity:
                model_.defaultMouseSensitivity_Click();
                TrackbarSetPosition(Item(IDC_frmMouse_MouseSensitiveSlider), model_.sliderPosition);
                return true;
            case IDC_frmMouse_Ok:
                if (model_.Ok_Click()) {
                    Finish(IDOK);
                }
                return true;
            case IDC_frmMouse_Cancel:
                if (model_.Cancel_Click()) {
                    Finish(IDCANCEL);
                }
                return true;
            default:
                return false;
        }
    }

  private:
    frmMouse model_;
};

}  // namespace

void RunThemeDialog(HINSTANCE instance, HWND owner, int templateId, Form2& form) {
    switch (templateId) {
        case IDD_frmNewName: {
            NewNameDialog dialog(form);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        case IDD_frmExistingNames: {
            ExistingNamesDialog dialog(form);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        case IDD_frmDelete: {
            DeleteDialog dialog(form);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        case IDD_frmMouse: {
            MouseDialog dialog(form);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        default:
            break;
    }
}

}  // namespace orvelle::win
