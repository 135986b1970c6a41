#include "config/theme_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/control_ids.h"
#include "editor_fixture.h"

namespace orvelle {
namespace {

using namespace editor_test;

const std::string kThemes = kFolder + "orvellesaver\\";
const std::string kTemplate = kFolder + "orvelletemp.ini";
const std::string kEnterName = "Please enter a name for your new Screen Saver.";
const std::string kNoSpaces = "Please re-enter a name without spaces.";
const std::string kNoCharacters =
    "A name cannot contain any of these following characters: \\/:*?'<>|";

// The bundled theme open in the editor, the bundled template with bytes a profile writer would
// not keep (a comment, no final line end) and a second theme.
class ThemeDialogTest : public EditorTest {
  protected:
    ThemeDialogTest() {
        const fs::path program = fs::path(ORVELLE_SOURCE_DIR) / "program";
        files.Put(kTemplate, Slurp(program / "orvelletemp.ini") + "; kept  as is");
        files.Put(kThemes + "Classic.ini", Slurp(program / "orvellesaver/Classic.ini"));
        editor.Open();
        services.messages.clear();
    }
};

TEST_F(ThemeDialogTest, NewNameChecksEachNameInTheirOrder) {
    struct Case {
        const char* name;
        std::string message;  // "" when accepted
    };
    const std::string inUse =
        "Can't replace screen saver theme when it is in use. Please enter another name.";
    for (const Case& c : std::initializer_list<Case>{
             {"", kEnterName},
             {" ", kEnterName},
             {"My Theme", kNoSpaces},
             {" Lead", kNoSpaces},
             {"Trail ", kNoSpaces},
             {"a/b", kNoCharacters},
             {"it's", kNoCharacters},
             {"say\"hi", kNoCharacters},
             {"CON", kEnterName},
             {"con.txt", kEnterName},
             {"LPT9", kEnterName},
             {"name.", kEnterName},
             {"tab\there", kEnterName},
             {"ORVELLE", inUse},
             {"Summer.2001", ""},
             {"Theme#2", ""},
             {"Тема", ""},
         }) {
        NewThemeDialog dialog(editor);
        dialog.OnNameTyped(c.name);
        EXPECT_TRUE(dialog.okEnabled);
        services.messages.clear();
        EXPECT_EQ(dialog.OnOk(), c.message.empty()) << c.name;
        if (c.message.empty()) {
            EXPECT_EQ(services.messages, std::vector<std::string>{}) << c.name;
            EXPECT_EQ(files.Get(kThemes + c.name + ".ini"), files.Get(kTemplate)) << c.name;
            EXPECT_EQ(editor.currentTheme, c.name);
        } else {
            EXPECT_EQ(services.messages, std::vector<std::string>{c.message}) << c.name;
            EXPECT_EQ(dialog.name, c.name);
        }
    }
    // Too long for a path: refused before anything is written.
    NewThemeDialog dialog(editor);
    dialog.OnNameTyped(std::string(250, 'x'));
    services.messages.clear();
    EXPECT_FALSE(dialog.OnOk());
    EXPECT_EQ(services.messages, std::vector<std::string>{kEnterName});
    EXPECT_EQ(files.Get(kThemes + std::string(250, 'x') + ".ini"), "");
}

TEST_F(ThemeDialogTest, NewThemeIsTheTemplateByteForByteOnTheFirstTab) {
    const std::string global = files.Get(kGlobal);
    editor.tab = 3;
    editor.controls.SetText(IDE_IMAGES_CAPTION, "typed");
    NewThemeDialog dialog(editor);
    dialog.OnNameTyped("Beach");
    ASSERT_TRUE(dialog.OnOk());
    EXPECT_EQ(files.Get(kThemes + "Beach.ini"), files.Get(kTemplate));
    EXPECT_EQ(editor.title, "Orvelle Screen Saver - [Beach]");
    EXPECT_EQ(editor.tab, 0);
    EXPECT_EQ(C(IDE_IMAGES_CAPTION).text, "");
    EXPECT_FALSE(editor.settingsChanged);
    EXPECT_EQ(files.Get(kGlobal), global);  // the saver's theme changes only at a save
}

TEST_F(ThemeDialogTest, ExistingNameIsAskedAboutWithoutRegardToCase) {
    files.Put(kThemes + "Beach.ini", "mine");
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        NewThemeDialog dialog(editor);
        dialog.OnNameTyped("BEACH");
        services.messages.clear();
        services.answers = {answer};
        EXPECT_EQ(dialog.OnOk(), answer == MessageAnswer::Yes);
        EXPECT_EQ(services.messages,
                  std::vector<std::string>{
                      "A theme named Beach already exists. Replace it with a new theme?"});
    }
    EXPECT_EQ(files.Get(kThemes + "Beach.ini"), files.Get(kTemplate));
}

TEST_F(ThemeDialogTest, MissingTemplateOrThemesFolderChangesNothing) {
    files.Remove(kTemplate);
    NewThemeDialog dialog(editor);
    dialog.OnNameTyped("Beach");
    editor.settingsChanged = true;
    EXPECT_FALSE(dialog.OnOk());
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_NE(services.messages[0].find("orvelletemp.ini is missing"), std::string::npos);
    EXPECT_EQ(editor.currentTheme, "Orvelle");
    EXPECT_TRUE(editor.settingsChanged);  // no question was asked, nothing saved
    EXPECT_FALSE(files.FileExists(kThemes + "Beach.ini"));
}

// The question comes only after edits. Yes saves and goes on only when the save succeeded, No
// goes on without saving, Cancel stays; staying keeps the theme, its edits and the small dialog.
TEST_F(ThemeDialogTest, SaveQuestionKeepsTheWorkUnlessTheUserLetsItGo) {
    enum Way { New, Load, Close };
    // Not asked (no edits), Yes, Yes with a save its check refuses, No, Cancel.
    const std::optional<MessageAnswer> answers[] = {std::nullopt, MessageAnswer::Yes,
                                                    MessageAnswer::Yes, MessageAnswer::No,
                                                    MessageAnswer::Cancel};
    for (Way way : {New, Load, Close}) {
        for (int a = 0; a < 5; ++a) {
            SCOPED_TRACE(std::to_string(way) + "/" + std::to_string(a));
            const bool asked = answers[a].has_value();
            const bool refused = a == 2;
            const bool goesOn = !asked || (answers[a] != MessageAnswer::Cancel && !refused);
            ASSERT_TRUE(editor.SwitchToTheme("Orvelle"));
            Edit("background", "redBackground", "200");
            files.Remove(kThemes + "Beach.ini");
            editor.Scrolled(IDK_BACKGROUND_RED, 7);
            editor.TextChanged(IDE_SETTINGS_INTERVAL,
                               refused ? "75" : "8");  // seconds a save refuses
            editor.settingsChanged = asked;
            services.plain.clear();
            services.answers.clear();
            if (asked) {
                services.answers.push_back(*answers[a]);
            }
            bool wentOn = false;
            if (way == New) {
                NewThemeDialog dialog(editor);
                dialog.OnNameTyped("Beach");
                wentOn = dialog.OnOk();
                EXPECT_EQ(files.FileExists(kThemes + "Beach.ini"), goesOn);
            } else if (way == Load) {
                LoadThemeDialog dialog(editor);
                dialog.Open();
                dialog.OnThemeChosen(0);  // Classic
                wentOn = dialog.OnOk();
            } else {
                wentOn = editor.MayClose();
            }
            EXPECT_EQ(wentOn, goesOn);
            EXPECT_EQ(services.plain.size(), asked ? 1u : 0u);
            EXPECT_EQ(Stored("background", "redBackground") == "7", a == 1);
            const bool stayed = !goesOn || way == Close;
            EXPECT_EQ(editor.title, stayed ? "Orvelle Screen Saver - [Orvelle]"
                                           : (way == New ? "Orvelle Screen Saver - [Beach]"
                                                         : "Orvelle Screen Saver - [Classic]"));
            EXPECT_EQ(editor.settingsChanged, stayed && asked);
            EXPECT_EQ(editor.settings.redBackground == "7", stayed);
        }
    }
    EXPECT_EQ(services.plain, std::vector<std::string>{"Save Changes to Orvelle ?"});
}

TEST_F(ThemeDialogTest, LoadWithoutSelectionSaysSoPlainly) {
    LoadThemeDialog dialog(editor);
    dialog.Open();
    EXPECT_FALSE(dialog.OnOk());
    EXPECT_EQ(services.plain, std::vector<std::string>{"Nothing was selected to load."});
}

// A theme file that cannot be read is not switched to: the editor keeps its theme and edits.
TEST_F(ThemeDialogTest, UnreadableThemeAfterASwitchKeepsTheThemeThatWasOpen) {
    editor.Scrolled(IDK_BACKGROUND_RED, 7);
    files.FailReadsOf(kThemes + "Classic.ini");
    EXPECT_FALSE(editor.SwitchToTheme("Classic"));
    EXPECT_EQ(services.messages, std::vector<std::string>{"The theme file " + kThemes +
                                                          "Classic.ini could not be read. The "
                                                          "editor stays on the theme Orvelle."});
    EXPECT_EQ(editor.title, "Orvelle Screen Saver - [Orvelle]");
    EXPECT_TRUE(editor.settingsChanged);
    EXPECT_EQ(editor.settings.redBackground, "7");
}

TEST_F(ThemeDialogTest, DeleteRulesAndTheSelectionAfterwards) {
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
        files.Put(kThemes + name + ".ini", "x");
    }
    DeleteThemeDialog dialog(editor);
    dialog.Open();
    // Classic, Orvelle, a..f sorted without regard to case.
    ASSERT_EQ(dialog.themes.names,
              (std::vector<std::string>{"a", "b", "c", "Classic", "d", "e", "f", "Orvelle"}));
    dialog.OnDelete();
    EXPECT_EQ(services.messages, std::vector<std::string>{"Nothing was selected to remove."});
    dialog.OnThemeChosen(0);
    dialog.OnDelete();
    EXPECT_EQ(dialog.themes.selected, 0);
    EXPECT_EQ(dialog.themes.names[0], "b");
    EXPECT_FALSE(files.FileExists(kThemes + "a.ini"));
    dialog.OnThemeChosen(4);  // "e", the fifth
    dialog.OnDelete();
    EXPECT_EQ(dialog.themes.selected, 3);
    EXPECT_EQ(dialog.themes.names[3], "d");
    EXPECT_FALSE(files.FileExists(kThemes + "e.ini"));

    // The theme in use, also spelled otherwise, the saver's theme while the editor holds
    // another, and a delete that fails.
    services.messages.clear();
    dialog.themes.names.push_back("ORVELLE");
    dialog.OnThemeChosen(static_cast<int>(dialog.themes.names.size()) - 1);
    dialog.OnDelete();
    services.pictures[kFolder + "samples\\sea-horizon.jpg"] = {60, 40};
    ASSERT_TRUE(editor.SwitchToTheme("Classic"));
    dialog.OnDelete();
    files.FailWritesTo(kThemes + "b.ini");
    dialog.OnThemeChosen(0);
    dialog.OnDelete();
    EXPECT_EQ(services.messages,
              (std::vector<std::string>{"Can't delete screen saver theme when it is in use.",
                                        "Can't delete screen saver theme when it is in use.",
                                        "Could not delete the screen saver theme b."}));
    EXPECT_EQ(dialog.themes.names[0], "b");
    EXPECT_TRUE(files.FileExists(kThemes + "b.ini"));
}

TEST_F(ThemeDialogTest, TheLastThemesStay) {
    files.Remove(kThemes + "Classic.ini");
    DeleteThemeDialog dialog(editor);
    dialog.Open();
    dialog.OnThemeChosen(0);
    dialog.OnDelete();  // the theme in use, even alone
    files.Put(kThemes + "Other.ini", "x");
    dialog.themes.names = {"Other"};
    dialog.OnThemeChosen(0);
    dialog.OnDelete();
    EXPECT_EQ(services.messages,
              (std::vector<std::string>{
                  "Can't delete screen saver theme when it is in use.",
                  "Can't delete. At least one Screen Saver Theme needs to exist."}));
    EXPECT_TRUE(files.FileExists(kThemes + "Other.ini"));
}

TEST_F(ThemeDialogTest, MouseSliderOpensAtTheHeldValueAndStoresOnOk) {
    struct Case {
        const char* held;
        int opens;
        bool useDefault;
        bool ok;
        const char* stored;
    };
    for (const Case& c : std::initializer_list<Case>{{"12", 12, true, false, "12"},
                                                     {"12", 12, true, true, "23"},
                                                     {"12", 12, false, true, "12"},
                                                     {"abc", 23, false, false, "abc"},
                                                     {"99", 23, false, true, "23"},
                                                     {"0", 23, false, false, "0"}}) {
        editor.mouseSensitivity = c.held;
        editor.settingsChanged = false;
        MouseSensitivityDialog dialog(editor);
        dialog.Open();
        EXPECT_EQ(dialog.sliderPosition, c.opens) << c.held;
        if (c.useDefault) {
            dialog.OnDefault();
            EXPECT_EQ(editor.mouseSensitivity, c.held);
        }
        EXPECT_TRUE(c.ok ? dialog.OnOk() : dialog.OnCancel());
        EXPECT_EQ(editor.mouseSensitivity, c.stored) << c.held;
        EXPECT_EQ(editor.settingsChanged, c.ok);
    }
}

}  // namespace
}  // namespace orvelle
