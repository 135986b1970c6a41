#include "config/theme_dialogs_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/controls_win.h"
#include "base/dialog_win.h"
#include "config/theme_editor.h"
#include "config/control_ids.h"
#include "config/control_table.h"
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

class NewThemeWindow : public SmallDialog {
  public:
    explicit NewThemeWindow(ThemeEditor& editor) : model_(editor) {}

  protected:
    void Load() override {
        SendMessageW(Item(IDE_NEW_THEME_NAME), EM_LIMITTEXT, 255, 0);
        EnableItem(IDB_NEW_THEME_OK, model_.okEnabled);
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == IDE_NEW_THEME_NAME && code == EN_CHANGE) {
            model_.OnNameTyped(ItemText(id));
            EnableItem(IDB_NEW_THEME_OK, model_.okEnabled);
            return true;
        }
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDB_NEW_THEME_OK) {
            if (model_.OnOk()) {
                Finish(IDOK);
            } else {
                SetFocus(Item(IDE_NEW_THEME_NAME));
            }
            return true;
        }
        if (id == IDB_NEW_THEME_CANCEL && model_.OnCancel()) {
            Finish(IDCANCEL);
            return true;
        }
        return false;
    }

  private:
    NewThemeDialog model_;
};

class LoadThemeWindow : public SmallDialog {
  public:
    explicit LoadThemeWindow(ThemeEditor& editor) : model_(editor) {}

  protected:
    void Load() override {
        model_.Open();
        ShowNames(Item(IDL_LOAD_THEME_NAMES), model_.themes);
        EnableItem(IDB_LOAD_THEME_OK, model_.actionEnabled);
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == IDL_LOAD_THEME_NAMES) {
            if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
                model_.OnThemeChosen(ListSelection(Item(id)));
                EnableItem(IDB_LOAD_THEME_OK, model_.actionEnabled);
            }
            if (code == LBN_DBLCLK && model_.OnOk()) {
                Finish(IDOK);  // a double-click loads, as in the system's own lists
            }
            return true;
        }
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDB_LOAD_THEME_OK) {
            if (model_.OnOk()) {
                Finish(IDOK);
            }
            return true;
        }
        if (id == IDB_LOAD_THEME_CANCEL && model_.OnCancel()) {
            Finish(IDCANCEL);
            return true;
        }
        return false;
    }

  private:
    LoadThemeDialog model_;
};

class DeleteThemeWindow : public SmallDialog {
  public:
    explicit DeleteThemeWindow(ThemeEditor& editor) : model_(editor) {}

  protected:
    void Load() override {
        model_.Open();
        ShowModel();
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == IDL_DELETE_THEME_NAMES) {
            if (code == LBN_SELCHANGE) {
                model_.OnThemeChosen(ListSelection(Item(id)));
                EnableItem(IDB_DELETE_THEME_DELETE, model_.actionEnabled);
            }
            return true;
        }
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDB_DELETE_THEME_DELETE) {
            const ThemeNameList& themes = model_.themes;
            const std::size_t before = themes.names.size();
            const int removed = themes.selected;
            model_.OnDelete();
            if (themes.names.size() != before) {
                ListDelete(Item(IDL_DELETE_THEME_NAMES), removed);
            }
            ShowModel(false);
            return true;
        }
        if (id == IDB_DELETE_THEME_CLOSE && model_.OnClose()) {
            Finish(IDCANCEL);
            return true;
        }
        return false;
    }

  private:
    void ShowModel(bool fill = true) {
        HWND list = Item(IDL_DELETE_THEME_NAMES);
        if (fill) {
            ShowNames(list, model_.themes);
        } else {
            ListSelect(list, model_.themes.selected);
        }
        EnableItem(IDB_DELETE_THEME_DELETE, model_.actionEnabled);
    }
    DeleteThemeDialog model_;
};

class MouseSensitivityWindow : public SmallDialog {
  public:
    explicit MouseSensitivityWindow(ThemeEditor& editor) : model_(editor) {}

  protected:
    void Load() override {
        model_.Open();
        ApplyControlTable(Handle(), IDD_MOUSE, tips_);
        TrackbarSetPosition(Item(IDK_MOUSE_SENSITIVITY), model_.sliderPosition);
    }
    void OnScroll(HWND control, int, int) override {
        if (control == Item(IDK_MOUSE_SENSITIVITY)) {
            model_.OnSliderMoved(TrackbarPosition(control));
        }
    }
    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) {
            return false;
        }
        switch (id) {
            case IDB_MOUSE_DEFAULT:
                model_.OnDefault();
                TrackbarSetPosition(Item(IDK_MOUSE_SENSITIVITY), model_.sliderPosition);
                return true;
            case IDB_MOUSE_OK:
                if (model_.OnOk()) {
                    Finish(IDOK);
                }
                return true;
            case IDB_MOUSE_CANCEL:
                if (model_.OnCancel()) {
                    Finish(IDCANCEL);
                }
                return true;
            default:
                return false;
        }
    }

  private:
    MouseSensitivityDialog model_;
};

}  // namespace

void ApplyControlTable(HWND dialog, int templateId, Tooltips& tips) {
    for (const ControlRow& row : DialogTable(templateId)) {
        HWND control = GetDlgItem(dialog, row.id);
        if (row.tooltip) {
            tips.Add(control, row.tooltip);
        }
        if (row.kind == ControlKind::Slider) {
            TrackbarSetRange(control, row.range.low, row.range.high);
            if (row.range.step > 0) {
                TrackbarSetTickFrequency(control, row.range.step);
            }
        }
    }
}

void RunThemeDialog(HINSTANCE instance, HWND owner, int templateId, ThemeEditor& editor) {
    switch (templateId) {
        case IDD_NEW_THEME: {
            NewThemeWindow dialog(editor);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        case IDD_LOAD_THEME: {
            LoadThemeWindow dialog(editor);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        case IDD_DELETE_THEME: {
            DeleteThemeWindow dialog(editor);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        case IDD_MOUSE: {
            MouseSensitivityWindow dialog(editor);
            dialog.RunModal(instance, templateId, owner);
            break;
        }
        default:
            break;
    }
}

}  // namespace orvelle::win
