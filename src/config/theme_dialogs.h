// The three theme dialogs: a new theme from the template (frmNewName), another theme into the
// editor (frmExistingNames) and themes deleted (frmDelete). Each holds what its controls show;
// the window copies that to the screen after every handler and closes when one returns true.
#pragma once

#include <string>
#include <vector>

namespace orvelle {

class Form2;
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

// The list filled with every theme file, alphabetically, without ".ini"; nothing chosen.
void FillThemeList(ThemeStorage& storage, ThemeNameList& list);

class frmNewName {
  public:
    explicit frmNewName(Form2& form) : form_(form) {}
    void txtNewName_Change(const std::string& text);
    // True when the theme was made and the editor switched to it.
    bool CommandOk_Click();
    bool CommandCancel_Click() { return true; }

    std::string txtNewName;
    bool commandOkEnabled = false;

  private:
    // The message that refuses the name, or "" when it may name a new theme.
    std::string NameRefusal() const;
    Form2& form_;
};

class frmExistingNames {
  public:
    explicit frmExistingNames(Form2& form) : form_(form) {}
    void Form_Load();
    void listExistingSavers_Click(int index);
    bool CommandOk_Click();
    bool CommandCancel_Click() { return true; }

    ThemeNameList listExistingSavers;
    bool commandOkEnabled = false;

  private:
    Form2& form_;
};

class frmDelete {
  public:
    explicit frmDelete(Form2& form) : form_(form) {}
    void Form_Load();
    void listExistingSavers_Click(int index);
    void CommandDelete_Click();
    bool CommandOk_Click() { return true; }

    ThemeNameList listExistingSavers;
    bool commandDeleteEnabled = false;

  private:
    Form2& form_;
};

// The mouse sensitivity dialog: a slider from 1 (slow) to 30 (quick).
class frmMouse {
  public:
    static constexpr int kDefault = 23;
    explicit frmMouse(Form2& form) : form_(form) {}
    // The slider at the held value; at the default when that is no whole number from 1 to 30.
    void Form_Load();
    void defaultMouseSensitivity_Click() { sliderPosition = kDefault; }
    void MouseSensitiveSlider_Scroll(int value) { sliderPosition = value; }
    bool Ok_Click();
    bool Cancel_Click() { return true; }

    int sliderPosition = kDefault;

  private:
    Form2& form_;
};

}  // namespace orvelle
