// The three theme dialogs: a new theme from the template (NewThemeDialog), another theme into the
// editor (LoadThemeDialog) and themes deleted (DeleteThemeDialog). Each holds what its controls
// show; the window copies that to the screen after every handler and closes when one returns true.
#pragma once

#include <string>
#include <vector>

namespace orvelle {

class ThemeEditor;
class ThemeStorage;

// The theme list of the load and delete dialogs, and the entry chosen in it.
struct ThemeNameList {
    std::vector<std::string> names;
    int selected = -1;
    // An index outside the list chooses nothing.
    void Select(int index);
    // The chosen name, "" when nothing is chosen.
    std::string Text() const;
};

class NewThemeDialog {
  public:
    explicit NewThemeDialog(ThemeEditor& editor) : editor_(editor) {}
    void OnNameTyped(const std::string& text);
    // True when the theme was made and the editor switched to it.
    bool OnOk();
    bool OnCancel() { return true; }

    std::string name;
    bool okEnabled = false;

  private:
    // The message that refuses the name, or "" when it may name a new theme.
    std::string NameRefusal() const;
    ThemeEditor& editor_;
};

// What the load and delete dialogs share: the theme list, and the button that acts on the
// chosen theme, usable once one is chosen.
class ThemeListDialog {
  public:
    explicit ThemeListDialog(ThemeEditor& editor) : editor_(editor) {}
    // Every theme listed, nothing chosen.
    void Open();
    void OnThemeChosen(int index);

    ThemeNameList themes;
    bool actionEnabled = false;

  protected:
    ThemeEditor& editor_;
};

class LoadThemeDialog : public ThemeListDialog {
  public:
    using ThemeListDialog::ThemeListDialog;
    bool OnOk();
    bool OnCancel() { return true; }
};

class DeleteThemeDialog : public ThemeListDialog {
  public:
    using ThemeListDialog::ThemeListDialog;
    void OnDelete();
    bool OnClose() { return true; }
};

// The mouse sensitivity dialog: a slider from 1 (slow) to 30 (quick).
class MouseSensitivityDialog {
  public:
    static constexpr int kDefault = 23;
    explicit MouseSensitivityDialog(ThemeEditor& editor) : editor_(editor) {}
    // The slider at the held value; at the default when that is no whole number from 1 to 30.
    void Open();
    void OnDefault() { sliderPosition = kDefault; }
    void OnSliderMoved(int value) { sliderPosition = value; }
    bool OnOk();
    bool OnCancel() { return true; }

    int sliderPosition = kDefault;

  private:
    ThemeEditor& editor_;
};

}  // namespace orvelle
