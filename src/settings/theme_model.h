// The theme file as data: one text field per key, one table that names each key's section, value
// form and field, the three lists, and the orders in which the saver reads a theme and a save
// writes it. The saver and the configuration dialog both read and write themes through here, so
// a key name is typed once.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace orvelle {

class ThemeStorage;

// Every key of a theme file, each held as the text read from the file or set by the dialog
// (numbers are converted where they are used), named exactly like its key.
struct ThemeSettings {
    std::string total;
    std::string mediaTotal;
    std::string randomMedia;
    std::string randomPick;
    std::string newBackColor;
    std::string backEffect;
    std::string picSpeed;
    std::string timeInterval;
    std::string picRandom;
    std::string picChange;
    std::string backgroundImage;
    std::string backgroundDisplay;
    std::string redBackground;
    std::string greenBackground;
    std::string blueBackground;
    std::string scroll;
    std::string picturePercent;
    std::string scrollSpeed;
    std::string bStandard;
    std::string bLeftWipe;
    std::string bRightWipe;
    std::string bRightandLeftWipe;
    std::string bUpAndDown;
    std::string bCenter;
    std::string bHorizontalBlinds;
    std::string bVerticalBlinds;
    std::string bFade;
    std::string timeDisplay;
    std::string newFontName;
    std::string newFontSize;
    std::string newFontBold;
    std::string newFontItalic;
    std::string newFontUnderline;
    std::string newFontFontStrikethru;
    std::string newFontForeColor;
    std::string countdownMonth;
    std::string countdownDay;
    std::string countdownYear;
    // Keys a theme may lack; without them it means what it meant before they came.
    std::string randomNoRepeats;  // "1": random order shows every picture once before a repeat
    std::string resumeListOrder;  // "1": list order carries on where the last run stopped
    std::string captionSource;    // what a picture without a typed caption shows (0 nothing)
    std::string browseKeys;       // "1": arrow keys and Space browse instead of ending the run
    std::string picturesOn;       // 0 main monitor, 1 every monitor different, 2 every monitor same

    // [images], [caption] and [multimedia]. A save writes every entry held here; the saver's
    // read leaves one spare "" past the last entry (its picture index may step one past).
    std::vector<std::string> picturePaths;
    std::vector<std::string> captions;
    std::vector<std::string> mediaPaths;
};

// The single keys, in the order of the key table (the order a save writes them, lists aside).
enum class ThemeKey : std::uint8_t {
    total,
    mediaTotal,
    randomMedia,
    randomPick,
    newBackColor,
    backEffect,
    picSpeed,
    timeInterval,
    picRandom,
    picChange,
    backgroundImage,
    backgroundDisplay,
    redBackground,
    greenBackground,
    blueBackground,
    scroll,
    picturePercent,
    scrollSpeed,
    bStandard,
    bLeftWipe,
    bRightWipe,
    bRightandLeftWipe,
    bUpAndDown,
    bCenter,
    bHorizontalBlinds,
    bVerticalBlinds,
    bFade,
    timeDisplay,
    newFontName,
    newFontSize,
    newFontBold,
    newFontItalic,
    newFontUnderline,
    newFontFontStrikethru,
    newFontForeColor,
    countdownMonth,
    countdownDay,
    countdownYear,
    randomNoRepeats,
    resumeListOrder,
    captionSource,
    browseKeys,
    picturesOn,
};
constexpr int kThemeKeyCount = static_cast<int>(ThemeKey::picturesOn) + 1;

enum class ThemeList : std::uint8_t { images, caption, multimedia };
constexpr int kThemeListCount = 3;

// The form of a key's value in the file.
enum class ThemeValueKind : std::uint8_t {
    Text,          // any text, "" included (paths, font face)
    Count,         // integer count of a list's entries
    Integer,       // integer text within the key's range
    Single,        // single-precision number text (the font size)
    Colour,        // decimal 0x00BBGGRR
    Flag,          // "0" or "1"
    FontStyle,     // the words True or False
    NumberChoice,  // a small integer naming one of a few choices
    WordChoice,    // a fixed word ("cent"/"rand", "ch"/"not_ch")
    DatePart,      // item text of a countdown date list ("01", "2026")
};

// Kinds a reader takes as a number: the editor's load replaces such a text that is not one.
constexpr bool IsNumericKind(ThemeValueKind kind) {
    switch (kind) {
        case ThemeValueKind::Count:
        case ThemeValueKind::Integer:
        case ThemeValueKind::Single:
        case ThemeValueKind::Colour:
        case ThemeValueKind::Flag:
        case ThemeValueKind::NumberChoice:
            return true;
        default:
            return false;
    }
}

struct ThemeKeyInfo {
    ThemeKey id;
    const char* section;
    const char* key;
    ThemeValueKind kind;
    std::string ThemeSettings::*field;
    // Added after themes were first written: a theme without the key means what it meant
    // before, so a missing one reads as the program's own value (never the template's) and is
    // no damage.
    bool optional = false;
};

struct ThemeListInfo {
    ThemeList id;
    const char* section;  // keys "0", "1", ... "10", ...
    ThemeKey countKey;    // [images] and [caption] both count with total
    std::vector<std::string> ThemeSettings::*entries;
};

// What the editor's controls can show of a single key, and the program's own value for when
// neither the theme nor the template holds one they can show.
struct ThemeKeyLimits {
    ThemeKey id;
    const char* fallback;
    // Numeric kinds: the number, rounded halves to even, lies from low to high.
    double low;
    double high;
};

// Every single key, indexed by ThemeKey.
std::span<const ThemeKeyInfo> ThemeKeys();
const ThemeKeyInfo& KeyInfo(ThemeKey key);
const ThemeListInfo& ListInfo(ThemeList list);
const ThemeKeyLimits& KeyLimits(ThemeKey key);
// The text is one the editor's control for the key can show. Any text suits text keys, the
// words compared exactly ("CENT" loads as floating) and the date parts (checked at a save);
// a choice number no option shows (backEffect 7) suits too and leaves every option off.
bool UsableInEditor(ThemeKey key, const std::string& text);

std::string& Field(ThemeSettings& settings, ThemeKey key);
const std::string& Field(const ThemeSettings& settings, ThemeKey key);
std::vector<std::string>& Entries(ThemeSettings& settings, ThemeList list);
const std::vector<std::string>& Entries(const ThemeSettings& settings, ThemeList list);

// The nine transition flags in effect order (Standard, Left Wipe, Right Wipe, Right Left Wipe,
// Up and Down Wipe, Center Wipe, Horizontal Blinds, Vertical Blinds, Fade), which is also the
// order they stand in the file.
constexpr std::array<ThemeKey, 9> kTransitionKeys = {
    ThemeKey::bStandard,         ThemeKey::bLeftWipe,       ThemeKey::bRightWipe,
    ThemeKey::bRightandLeftWipe, ThemeKey::bUpAndDown,      ThemeKey::bCenter,
    ThemeKey::bHorizontalBlinds, ThemeKey::bVerticalBlinds, ThemeKey::bFade};
std::array<const std::string*, 9> TransitionFlags(const ThemeSettings& settings);

// One step of a read or write order: a single key, or a whole list.
using ThemeStep = std::variant<ThemeKey, ThemeList>;
// What the saver reads, in order. A list step reads the entries its count key (read before)
// stands for. picChange is not read: the saver tells a still picture by timeInterval 0.
std::span<const ThemeStep> SaverReadOrder();
// What a save writes, in order. A list step erases the section and writes every entry.
std::span<const ThemeStep> SaveOrder();

// The number of entries a count key stands for: its leading number, rounded, kept within
// 0 .. 2,147,483,647. Only entries the file holds are ever read, so a damaged "99999999" costs
// nothing.
int ListCountFromText(const std::string& countText);

// A theme as the editor loads it, read whole before any control changes.
enum class ThemeFileRead : std::uint8_t {
    Read,        // the file's keys, each unusable one replaced
    Empty,       // missing, empty or without one key: the template's settings
    Unreadable,  // there but not readable (locked, denied): the template's settings
};
struct LoadedTheme {
    // Every single key usable by its control; the three lists as they are to be listed, each
    // count key agreeing with its list.
    ThemeSettings settings;
    // Keys of a read file that were missing or unusable, in key order.
    std::vector<ThemeKey> replaced;
    ThemeFileRead read = ThemeFileRead::Read;
};
// Key by key: the file's text where the editor can show it, else the template's, else the
// program's own (KeyLimits). A list holds the entries below its count that the file has (none
// made up for missing ones); without a usable count, every entry it has; without any entry
// and count, the template's list.
LoadedTheme ReadThemeForEditor(ThemeStorage& storage, const std::string& file);

// The reads and writes of one theme file. ThemeFileIn binds ThemeStorage to a path; tests put a
// recorder in its place.
class ThemeFile {
  public:
    virtual ~ThemeFile() = default;
    virtual std::string Read(const std::string& section, const std::string& key) = 0;
    virtual void Write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    virtual void Erase(const std::string& section) = 0;
    // The section's key names in file order, each once.
    virtual std::vector<std::string> KeyNames(const std::string& section) = 0;
};

class ThemeFileIn : public ThemeFile {
  public:
    ThemeFileIn(ThemeStorage& storage, std::string file)
        : storage_(storage), file_(std::move(file)) {}
    std::string Read(const std::string& section, const std::string& key) override;
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override;
    void Erase(const std::string& section) override;
    std::vector<std::string> KeyNames(const std::string& section) override;

  private:
    ThemeStorage& storage_;
    std::string file_;
};

// One key into its field; returns the text read.
const std::string& ReadThemeKey(ThemeFile& file, ThemeKey key, ThemeSettings& settings);
// The indices below count that the list's section holds as keys in their plain decimal form
// ("0", "9", "10"; never "010"), ascending. Only the keys that are there are looked at.
std::vector<int> HeldListIndices(ThemeFile& file, ThemeList list, int count);
// The list's entries at those indices, in order ("" where a key is missing).
std::vector<std::string> ReadListEntries(ThemeFile& file, ThemeList list,
                                         const std::vector<int>& indices);
// The entries the section holds below count, in index order, gaps closed up.
std::vector<std::string> ReadListEntries(ThemeFile& file, ThemeList list, int count);
void WriteThemeKey(ThemeFile& file, ThemeKey key, const ThemeSettings& settings);
// Erases the section, then writes every entry as keys "0", "1", ... in order.
void WriteThemeList(ThemeFile& file, ThemeList list, const ThemeSettings& settings);

// Every key the saver takes, in SaverReadOrder. Each list gets the entries its section holds
// below ListCountFromText(count key), gaps closed up, plus the spare ""; the captions are those
// of the pictures read, index for index.
void ReadThemeForSaver(ThemeFile& file, ThemeSettings& settings);
void ReadThemeForSaver(ThemeStorage& storage, const std::string& file, ThemeSettings& settings);

// Writes every key in SaveOrder, each field's text unchanged. The caller has set the final
// texts: total to the picture count, the transition flags from the dialog's list.
void WriteTheme(ThemeFile& file, const ThemeSettings& settings);
void WriteTheme(ThemeStorage& storage, const std::string& file, const ThemeSettings& settings);

}  // namespace orvelle
