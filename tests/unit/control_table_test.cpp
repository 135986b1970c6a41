// The control tables against the resource script: every control of a template has a row of the
// right kind on the right page and every row a control, so that a table cannot drift from the
// windows it describes; and every design name stands for one control.
#include "config/control_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/control_ids.h"

namespace orvelle {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream file(std::string(ORVELLE_SOURCE_DIR) + "/" + path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// #define NAME value lines: numbers of the ids header, texts of the script's style macros.
std::map<std::string, std::string> Defines(const std::string& text) {
    std::map<std::string, std::string> defines;
    const std::regex define(R"(#define (\w+) (.+))");
    for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it) {
        defines[(*it)[1]] = (*it)[2];
    }
    return defines;
}

// The fields of a resource statement, split at commas outside quotes.
std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
            continue;
        }
        fields.back() += c;
    }
    for (std::string& field : fields) {
        field.erase(0, field.find_first_not_of(' '));
        field.erase(field.find_last_not_of(' ') + 1);
    }
    return fields;
}

// The kind a template's statement makes: its keyword, its class and its style flags.
ControlKind KindOf(const std::string& keyword, const std::string& windowClass,
                   const std::string& style) {
    auto has = [&style](const char* flag) { return style.find(flag) != std::string::npos; };
    const std::map<std::string, ControlKind> byKeyword = {
        {"LTEXT", ControlKind::Label},           {"RTEXT", ControlKind::Label},
        {"CTEXT", ControlKind::Label},           {"GROUPBOX", ControlKind::Frame},
        {"PUSHBUTTON", ControlKind::Button},     {"DEFPUSHBUTTON", ControlKind::Button},
        {"AUTOCHECKBOX", ControlKind::CheckBox}, {"AUTORADIOBUTTON", ControlKind::Option},
        {"SCROLLBAR", ControlKind::ScrollBar},   {"ICON", ControlKind::Icon}};
    const std::map<std::string, ControlKind> byClass = {
        {"\"msctls_trackbar32\"", ControlKind::Slider},
        {"\"ToolbarWindow32\"", ControlKind::Toolbar},
        {"\"SysTabControl32\"", ControlKind::Tabs},
        {"\"msctls_statusbar32\"", ControlKind::StatusBar},
        {"\"msctls_progress32\"", ControlKind::ProgressBar}};
    if (auto it = byKeyword.find(keyword); it != byKeyword.end()) {
        return it->second;
    }
    if (keyword == "EDITTEXT") {
        return has("ES_READONLY") ? ControlKind::ReadOnlyText : ControlKind::Edit;
    }
    if (keyword == "LISTBOX") {
        return has("LBS_MULTIPLESEL") ? ControlKind::MultiList : ControlKind::List;
    }
    if (keyword == "COMBOBOX") {
        return has("CBS_DROPDOWNLIST") ? ControlKind::DropDownList : ControlKind::ComboBox;
    }
    if (auto it = byClass.find(windowClass); it != byClass.end()) {
        return it->second;
    }
    return has("SS_OWNERDRAW") ? ControlKind::Surface : ControlKind::Swatch;
}

struct TemplateControl {
    int id;
    ControlKind kind;
};

// Each template of the script by its number, with its controls; the menu's items under 0.
std::map<int, std::vector<TemplateControl>> ReadScript() {
    const std::map<std::string, std::string> ids = Defines(Slurp("src/config/control_ids.h"));
    const std::string script = Slurp("resources/config.rc");
    std::vector<std::pair<std::regex, std::string>> macros;
    for (const auto& [macro, text] : Defines(script)) {
        macros.emplace_back(std::regex("\\b" + macro + "\\b"), text);
    }
    auto number = [&ids](const std::string& name) {
        auto it = ids.find(name);
        return it == ids.end() ? -1 : std::stoi(it->second);
    };
    std::map<int, std::vector<TemplateControl>> templates;
    std::istringstream lines(script);
    const std::regex dialog(R"((\w+) DIALOGEX .*)");
    const std::regex menuItem(R"(\s+MENUITEM "[^"]*", (\w+))");
    const std::regex statement(R"(\s+(\w+) (.*))");
    std::smatch match;
    int current = -1;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_match(line, match, dialog)) {
            current = number(match[1]);
        } else if (std::regex_match(line, match, menuItem)) {
            templates[0].push_back({number(match[1]), ControlKind::MenuItem});
        } else if (current >= 0 && std::regex_match(line, match, statement)) {
            std::string rest = match[2];
            for (const auto& [macro, text] : macros) {
                rest = std::regex_replace(rest, macro, text);
            }
            const std::string keyword = match[1];
            const std::vector<std::string> fields = Fields(rest);
            const bool textFirst = fields[0].front() == '"' || keyword == "ICON";
            const std::string cls = keyword == "CONTROL" ? fields[2] : "";
            templates[current].push_back(
                {number(fields[textFirst ? 1 : 0]), KindOf(keyword, cls, rest)});
        } else if (line == "END") {
            current = -1;
        }
    }
    return templates;
}

TEST(ControlTables, EveryDesignNameAndIdIsOneRowAndEveryNamedControlIsARow) {
    std::vector<std::span<const ControlRow>> tables = {ThemeEditorTable()};
    for (int dialog :
         {IDD_NEW_THEME, IDD_LOAD_THEME, IDD_DELETE_THEME, IDD_MOUSE, IDD_IMPORT, IDD_ABOUT}) {
        tables.push_back(DialogTable(dialog));
        ASSERT_FALSE(tables.back().empty()) << dialog;
    }
    for (std::span<const ControlRow> table : tables) {
        std::set<std::string> designs;
        std::set<int> ids;
        for (const ControlRow& row : table) {
            EXPECT_TRUE(designs.insert(row.design).second) << row.design;
            EXPECT_TRUE(ids.insert(row.id).second) << row.design;
        }
        for (const ControlRow& row : table) {
            std::vector<int> named(row.enables.begin(), row.enables.end());
            for (int id : {row.shows.id, row.toolbar, row.actsAs}) {
                if (id != 0) {
                    named.push_back(id);
                }
            }
            for (int id : named) {
                EXPECT_TRUE(ids.count(id)) << row.design << " names " << id;
            }
        }
    }
}

TEST(ControlTables, MatchTheTemplatesOfTheResourceScript) {
    std::map<int, std::vector<TemplateControl>> script = ReadScript();
    // The rows each template (and the menu, 0) should hold.
    std::map<int, std::vector<const ControlRow*>> expected;
    const std::map<EditorPage, int> pages = {{EditorPage::Window, IDD_EDITOR},
                                             {EditorPage::Images, IDD_EDITOR_IMAGES},
                                             {EditorPage::ImageSettings, IDD_EDITOR_SETTINGS},
                                             {EditorPage::Background, IDD_EDITOR_BACKGROUND},
                                             {EditorPage::Countdown, IDD_EDITOR_COUNTDOWN},
                                             {EditorPage::Music, IDD_EDITOR_MUSIC}};
    for (const ControlRow& row : ThemeEditorTable()) {
        if (row.kind != ControlKind::ToolbarButton) {
            expected[row.kind == ControlKind::MenuItem ? 0 : pages.at(row.page)].push_back(&row);
        }
    }
    for (int dialog :
         {IDD_NEW_THEME, IDD_LOAD_THEME, IDD_DELETE_THEME, IDD_MOUSE, IDD_IMPORT, IDD_ABOUT}) {
        for (const ControlRow& row : DialogTable(dialog)) {
            expected[dialog].push_back(&row);
        }
    }
    ASSERT_EQ(script.size(), expected.size());
    for (const auto& [templateId, rows] : expected) {
        const std::vector<TemplateControl>& controls = script[templateId];
        EXPECT_EQ(controls.size(), rows.size()) << "template " << templateId;
        for (const ControlRow* row : rows) {
            auto it = std::find_if(controls.begin(), controls.end(),
                                   [row](const TemplateControl& c) { return c.id == row->id; });
            ASSERT_NE(it, controls.end()) << row->design << " is not in template " << templateId;
            EXPECT_EQ(static_cast<int>(it->kind), static_cast<int>(row->kind)) << row->design;
        }
    }
}

}  // namespace
}  // namespace orvelle
