#include "settings/theme_model.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

using K = ThemeKey;
using V = ThemeValueKind;
using S = ThemeSettings;

constexpr ThemeKeyInfo kKeys[] = {
    {K::total, "total", "total", V::Count, &S::total},
    {K::mediaTotal, "total", "mediaTotal", V::Count, &S::mediaTotal},
    {K::randomMedia, "image", "randomMedia", V::Flag, &S::randomMedia},
    {K::randomPick, "image", "randomPick", V::Flag, &S::randomPick},
    {K::newBackColor, "background", "newBackColor", V::Colour, &S::newBackColor},
    {K::backEffect, "background", "backEffect", V::NumberChoice, &S::backEffect},
    {K::picSpeed, "image", "picSpeed", V::Integer, &S::picSpeed},
    {K::timeInterval, "image", "timeInterval", V::Integer, &S::timeInterval},
    {K::picRandom, "image", "picRandom", V::WordChoice, &S::picRandom},
    {K::picChange, "image", "picChange", V::WordChoice, &S::picChange},
    {K::backgroundImage, "background", "backgroundImage", V::Text, &S::backgroundImage},
    {K::backgroundDisplay, "background", "backgroundDisplay", V::NumberChoice,
     &S::backgroundDisplay},
    {K::redBackground, "background", "redBackground", V::Integer, &S::redBackground},
    {K::greenBackground, "background", "greenBackground", V::Integer, &S::greenBackground},
    {K::blueBackground, "background", "blueBackground", V::Integer, &S::blueBackground},
    {K::scroll, "font", "scroll", V::NumberChoice, &S::scroll},
    {K::picturePercent, "image", "picturePercent", V::Integer, &S::picturePercent},
    {K::scrollSpeed, "font", "scrollSpeed", V::Integer, &S::scrollSpeed},
    {K::bStandard, "transitions", "bStandard", V::Flag, &S::bStandard},
    {K::bLeftWipe, "transitions", "bLeftWipe", V::Flag, &S::bLeftWipe},
    {K::bRightWipe, "transitions", "bRightWipe", V::Flag, &S::bRightWipe},
    {K::bRightandLeftWipe, "transitions", "bRightandLeftWipe", V::Flag, &S::bRightandLeftWipe},
    {K::bUpAndDown, "transitions", "bUpAndDown", V::Flag, &S::bUpAndDown},
    {K::bCenter, "transitions", "bCenter", V::Flag, &S::bCenter},
    {K::bHorizontalBlinds, "transitions", "bHorizontalBlinds", V::Flag, &S::bHorizontalBlinds},
    {K::bVerticalBlinds, "transitions", "bVerticalBlinds", V::Flag, &S::bVerticalBlinds},
    {K::bFade, "transitions", "bFade", V::Flag, &S::bFade},
    {K::timeDisplay, "image", "timeDisplay", V::NumberChoice, &S::timeDisplay},
    {K::newFontName, "font", "newFontName", V::Text, &S::newFontName},
    {K::newFontSize, "font", "newFontSize", V::Single, &S::newFontSize},
    {K::newFontBold, "font", "newFontBold", V::FontStyle, &S::newFontBold},
    {K::newFontItalic, "font", "newFontItalic", V::FontStyle, &S::newFontItalic},
    {K::newFontUnderline, "font", "newFontUnderline", V::FontStyle, &S::newFontUnderline},
    {K::newFontFontStrikethru, "font", "newFontFontStrikethru", V::FontStyle,
     &S::newFontFontStrikethru},
    {K::newFontForeColor, "font", "newFontForeColor", V::Colour, &S::newFontForeColor},
    {K::countdownMonth, "date", "countdownMonth", V::DatePart, &S::countdownMonth},
    {K::countdownDay, "date", "countdownDay", V::DatePart, &S::countdownDay},
    {K::countdownYear, "date", "countdownYear", V::DatePart, &S::countdownYear},
    {K::randomNoRepeats, "image", "randomNoRepeats", V::Flag, &S::randomNoRepeats, true},
    {K::resumeListOrder, "image", "resumeListOrder", V::Flag, &S::resumeListOrder, true},
    {K::captionSource, "font", "captionSource", V::NumberChoice, &S::captionSource, true},
    {K::browseKeys, "image", "browseKeys", V::Flag, &S::browseKeys, true},
    {K::picturesOn, "image", "picturesOn", V::NumberChoice, &S::picturesOn, true},
};
static_assert(std::size(kKeys) == kThemeKeyCount);
static_assert([] {
    for (int i = 0; i < kThemeKeyCount; ++i) {
        if (static_cast<int>(kKeys[i].id) != i) {
            return false;
        }
    }
    return true;
}());

constexpr double kInt32Low = -2147483648.0;
constexpr double kInt32High = 2147483647.0;
constexpr double kAny = std::numeric_limits<double>::infinity();
constexpr double kColourHigh = 16777215.0;

// The ranges are those of the controls (sliders, the interval scroll bar, three-state check
// boxes, colours); counts and choices take any 32-bit number. The program's own values are
// those of the installed template.
constexpr ThemeKeyLimits kLimits[] = {
    {K::total, "0", kInt32Low, kInt32High},
    {K::mediaTotal, "0", kInt32Low, kInt32High},
    {K::randomMedia, "0", 0, 2},
    {K::randomPick, "0", 0, 2},
    {K::newBackColor, "0", 0, kColourHigh},
    {K::backEffect, "0", kInt32Low, kInt32High},
    {K::picSpeed, "2", 0, 5},
    {K::timeInterval, "10", 0, 60},
    {K::picRandom, "cent", 0, 0},
    {K::picChange, "ch", 0, 0},
    {K::backgroundImage, "", 0, 0},
    {K::backgroundDisplay, "0", kInt32Low, kInt32High},
    {K::redBackground, "0", 0, 255},
    {K::greenBackground, "64", 0, 255},
    {K::blueBackground, "160", 0, 255},
    {K::scroll, "1", kInt32Low, kInt32High},
    {K::picturePercent, "80", 10, 100},
    {K::scrollSpeed, "150", 100, 300},
    {K::bStandard, "1", -kAny, kAny},
    {K::bLeftWipe, "1", -kAny, kAny},
    {K::bRightWipe, "1", -kAny, kAny},
    {K::bRightandLeftWipe, "0", -kAny, kAny},
    {K::bUpAndDown, "0", -kAny, kAny},
    {K::bCenter, "1", -kAny, kAny},
    {K::bHorizontalBlinds, "0", -kAny, kAny},
    {K::bVerticalBlinds, "0", -kAny, kAny},
    {K::bFade, "1", -kAny, kAny},
    {K::timeDisplay, "0", kInt32Low, kInt32High},
    {K::newFontName, "Arial", 0, 0},
    {K::newFontSize, "20", -kAny, kAny},
    {K::newFontBold, "False", 0, 0},
    {K::newFontItalic, "False", 0, 0},
    {K::newFontUnderline, "False", 0, 0},
    {K::newFontFontStrikethru, "False", 0, 0},
    {K::newFontForeColor, "16777215", 0, kColourHigh},
    {K::countdownMonth, "01", 0, 0},
    {K::countdownDay, "01", 0, 0},
    {K::countdownYear, "2027", 0, 0},
    {K::randomNoRepeats, "0", 0, 2},
    {K::resumeListOrder, "0", 0, 2},
    {K::captionSource, "0", 0, 4},
    {K::browseKeys, "0", 0, 1},
    {K::picturesOn, "0", 0, 2},
};
static_assert(std::size(kLimits) == kThemeKeyCount);
static_assert([] {
    for (int i = 0; i < kThemeKeyCount; ++i) {
        if (static_cast<int>(kLimits[i].id) != i) {
            return false;
        }
    }
    return true;
}());

constexpr ThemeListInfo kLists[] = {
    {ThemeList::images, "images", K::total, &S::picturePaths},
    {ThemeList::caption, "caption", K::total, &S::captions},
    {ThemeList::multimedia, "multimedia", K::mediaTotal, &S::mediaPaths},
};
static_assert(std::size(kLists) == kThemeListCount);

constexpr ThemeStep kSaverReadOrder[] = {
    K::total,
    ThemeList::images,
    ThemeList::caption,
    K::mediaTotal,
    ThemeList::multimedia,
    K::randomMedia,
    K::newBackColor,
    K::backEffect,
    K::randomPick,
    K::randomNoRepeats,
    K::resumeListOrder,
    K::picSpeed,
    K::timeInterval,
    K::picRandom,
    K::newFontName,
    K::newFontSize,
    K::newFontBold,
    K::newFontItalic,
    K::newFontUnderline,
    K::newFontFontStrikethru,
    K::newFontForeColor,
    K::backgroundImage,
    K::backgroundDisplay,
    K::redBackground,
    K::greenBackground,
    K::blueBackground,
    K::scroll,
    K::picturePercent,
    K::scrollSpeed,
    K::bStandard,
    K::bLeftWipe,
    K::bRightWipe,
    K::bRightandLeftWipe,
    K::bUpAndDown,
    K::bCenter,
    K::bHorizontalBlinds,
    K::bVerticalBlinds,
    K::bFade,
    K::timeDisplay,
    K::countdownMonth,
    K::countdownDay,
    K::countdownYear,
    K::captionSource,
    K::browseKeys,
    K::picturesOn,
};

// Each list is erased and rewritten just before its count key (pictures, captions) or right
// after the keys that follow its count (music).
constexpr ThemeStep kSaveOrder[] = {
    ThemeList::images,
    K::total,
    ThemeList::caption,
    K::mediaTotal,
    K::randomMedia,
    ThemeList::multimedia,
    K::randomPick,
    K::randomNoRepeats,
    K::resumeListOrder,
    K::newBackColor,
    K::backEffect,
    K::picSpeed,
    K::timeInterval,
    K::picRandom,
    K::picChange,
    K::backgroundImage,
    K::backgroundDisplay,
    K::redBackground,
    K::greenBackground,
    K::blueBackground,
    K::scroll,
    K::picturePercent,
    K::scrollSpeed,
    K::bStandard,
    K::bLeftWipe,
    K::bRightWipe,
    K::bRightandLeftWipe,
    K::bUpAndDown,
    K::bCenter,
    K::bHorizontalBlinds,
    K::bVerticalBlinds,
    K::bFade,
    K::timeDisplay,
    K::newFontName,
    K::newFontSize,
    K::newFontBold,
    K::newFontItalic,
    K::newFontUnderline,
    K::newFontFontStrikethru,
    K::newFontForeColor,
    K::countdownMonth,
    K::countdownDay,
    K::countdownYear,
    K::captionSource,
    K::browseKeys,
    K::picturesOn,
};

// Every key and list once, so that nothing the dialog edits is left out of a save.
static_assert(std::size(kSaveOrder) == kThemeKeyCount + kThemeListCount);

}  // namespace

std::span<const ThemeKeyInfo> ThemeKeys() {
    return kKeys;
}

const ThemeKeyInfo& KeyInfo(ThemeKey key) {
    return kKeys[static_cast<int>(key)];
}

const ThemeListInfo& ListInfo(ThemeList list) {
    return kLists[static_cast<int>(list)];
}

const ThemeKeyLimits& KeyLimits(ThemeKey key) {
    return kLimits[static_cast<int>(key)];
}

bool UsableInEditor(ThemeKey key, const std::string& text) {
    switch (KeyInfo(key).kind) {
        case V::Text:
        case V::WordChoice:
        case V::DatePart:
            return true;
        case V::FontStyle: {
            const std::string word = ToUpperAscii(TrimSpaces(text));
            return word == "TRUE" || word == "FALSE" || StrictNumber(text).has_value();
        }
        default:
            break;
    }
    const std::optional<double> number = StrictNumber(text);
    if (!number) {
        return false;
    }
    const double rounded = RoundHalfEven(*number);
    return rounded >= KeyLimits(key).low && rounded <= KeyLimits(key).high;
}

std::string& Field(ThemeSettings& settings, ThemeKey key) {
    return settings.*KeyInfo(key).field;
}

const std::string& Field(const ThemeSettings& settings, ThemeKey key) {
    return settings.*KeyInfo(key).field;
}

std::vector<std::string>& Entries(ThemeSettings& settings, ThemeList list) {
    return settings.*ListInfo(list).entries;
}

const std::vector<std::string>& Entries(const ThemeSettings& settings, ThemeList list) {
    return settings.*ListInfo(list).entries;
}

std::array<const std::string*, 9> TransitionFlags(const ThemeSettings& settings) {
    std::array<const std::string*, 9> flags{};
    for (size_t k = 0; k < flags.size(); ++k) {
        flags[k] = &Field(settings, kTransitionKeys[k]);
    }
    return flags;
}

std::span<const ThemeStep> SaverReadOrder() {
    return kSaverReadOrder;
}

std::span<const ThemeStep> SaveOrder() {
    return kSaveOrder;
}

namespace {

constexpr int kMaxCount = std::numeric_limits<int>::max();

// A count rounded and kept within 0 .. kMaxCount.
int CountWithinRange(double count) {
    count = RoundHalfEven(count);
    if (!(count > 0.0)) {
        return 0;
    }
    return count > kMaxCount ? kMaxCount : static_cast<int>(count);
}

// The index a list key stands for: plain decimal digits without a leading zero.
std::optional<int> ListIndexOfKey(const std::string& key) {
    if (key.empty() || key.size() > 10 || (key[0] == '0' && key.size() > 1)) {
        return std::nullopt;
    }
    long long value = 0;
    for (char c : key) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value > kMaxCount) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace

int ListCountFromText(const std::string& countText) {
    return CountWithinRange(LeadingNumber(countText));
}

std::string ThemeFileIn::Read(const std::string& section, const std::string& key) {
    return storage_.ReadThemeValue(section, key, file_);
}

void ThemeFileIn::Write(const std::string& section, const std::string& key,
                        const std::string& value) {
    storage_.WriteThemeValue(section, key, value, file_);
}

void ThemeFileIn::Erase(const std::string& section) {
    storage_.EraseThemeSection(section, file_);
}

std::vector<std::string> ThemeFileIn::KeyNames(const std::string& section) {
    return storage_.ThemeKeyNames(section, file_);
}

const std::string& ReadThemeKey(ThemeFile& file, ThemeKey key, ThemeSettings& settings) {
    const ThemeKeyInfo& info = KeyInfo(key);
    std::string& field = settings.*info.field;
    field = file.Read(info.section, info.key);
    return field;
}

std::vector<int> HeldListIndices(ThemeFile& file, ThemeList list, int count) {
    std::vector<int> held;
    if (count <= 0) {
        return held;
    }
    for (const std::string& key : file.KeyNames(ListInfo(list).section)) {
        const std::optional<int> index = ListIndexOfKey(key);
        if (index && *index < count) {
            held.push_back(*index);
        }
    }
    std::sort(held.begin(), held.end());
    // "1" and " 1" are one key to a read; it is listed once.
    held.erase(std::unique(held.begin(), held.end()), held.end());
    return held;
}

std::vector<std::string> ReadListEntries(ThemeFile& file, ThemeList list,
                                         const std::vector<int>& indices) {
    const char* section = ListInfo(list).section;
    std::vector<std::string> entries;
    entries.reserve(indices.size() + 1);
    for (int i : indices) {
        entries.push_back(file.Read(section, std::to_string(i)));
    }
    return entries;
}

std::vector<std::string> ReadListEntries(ThemeFile& file, ThemeList list, int count) {
    return ReadListEntries(file, list, HeldListIndices(file, list, count));
}

void WriteThemeKey(ThemeFile& file, ThemeKey key, const ThemeSettings& settings) {
    const ThemeKeyInfo& info = KeyInfo(key);
    file.Write(info.section, info.key, settings.*info.field);
}

void WriteThemeList(ThemeFile& file, ThemeList list, const ThemeSettings& settings) {
    const ThemeListInfo& info = ListInfo(list);
    file.Erase(info.section);
    const std::vector<std::string>& entries = settings.*info.entries;
    for (size_t i = 0; i < entries.size(); ++i) {
        file.Write(info.section, std::to_string(i), entries[i]);
    }
}

void ReadThemeForSaver(ThemeFile& file, ThemeSettings& settings) {
    std::vector<int> pictures;  // the indices of the pictures read, for their captions
    for (const ThemeStep& step : SaverReadOrder()) {
        if (const auto* key = std::get_if<ThemeKey>(&step)) {
            ReadThemeKey(file, *key, settings);
            continue;
        }
        const ThemeList list = std::get<ThemeList>(step);
        std::vector<int> held =
            list == ThemeList::caption
                ? pictures
                : HeldListIndices(file, list,
                                  ListCountFromText(Field(settings, ListInfo(list).countKey)));
        std::vector<std::string>& entries = Entries(settings, list);
        entries = ReadListEntries(file, list, held);
        entries.emplace_back();
        if (list == ThemeList::images) {
            pictures = std::move(held);
        }
    }
}

void ReadThemeForSaver(ThemeStorage& storage, const std::string& file, ThemeSettings& settings) {
    ThemeFileIn theme(storage, file);
    ReadThemeForSaver(theme, settings);
}

void WriteTheme(ThemeFile& file, const ThemeSettings& settings) {
    for (const ThemeStep& step : SaveOrder()) {
        if (const auto* key = std::get_if<ThemeKey>(&step)) {
            WriteThemeKey(file, *key, settings);
        } else {
            WriteThemeList(file, std::get<ThemeList>(step), settings);
        }
    }
}

void WriteTheme(ThemeStorage& storage, const std::string& file, const ThemeSettings& settings) {
    ThemeFileIn theme(storage, file);
    WriteTheme(theme, settings);
}

namespace {

// A count as the editor lists by it: rounded, within 0 .. 2,147,483,647; nothing when it is not
// a usable count.
std::optional<int> EditorCount(ThemeKey countKey, const std::optional<std::string>& text) {
    if (!text || !UsableInEditor(countKey, *text)) {
        return std::nullopt;
    }
    return CountWithinRange(*StrictNumber(*text));
}

// The indices of the list's entries that the file holds: below the count, or all of them when
// there is no usable count.
std::vector<int> HeldEntries(ThemeStorage& storage, const std::string& file, ThemeList list,
                             std::optional<int> count) {
    ThemeFileIn theme(storage, file);
    return HeldListIndices(theme, list, count.value_or(kMaxCount));
}

std::vector<std::string> EntriesAt(ThemeStorage& storage, const std::string& file, ThemeList list,
                                   const std::vector<int>& indices) {
    const char* section = ListInfo(list).section;
    std::vector<std::string> entries;
    entries.reserve(indices.size());
    for (int i : indices) {
        entries.push_back(storage.FindThemeValue(section, std::to_string(i), file).value_or(""));
    }
    return entries;
}

// One list (and the captions with the pictures) from the file, or from the template when the
// file has neither a usable count nor any entry. The count key then names the entries listed.
void ReadEditorList(ThemeStorage& storage, const std::string& file, bool fromFile, ThemeList list,
                    LoadedTheme& theme) {
    const ThemeListInfo& info = ListInfo(list);
    const ThemeKeyInfo& countInfo = KeyInfo(info.countKey);
    std::string source = file;
    std::optional<int> count;
    std::vector<int> held;
    if (fromFile) {
        count = EditorCount(info.countKey,
                            storage.FindThemeValue(countInfo.section, countInfo.key, file));
        held = HeldEntries(storage, file, list, count);
    }
    if (!count && held.empty()) {
        source = storage.TemplateThemePath();
        count = EditorCount(info.countKey,
                            storage.FindThemeValue(countInfo.section, countInfo.key, source));
        held = HeldEntries(storage, source, list, count);
    }
    Entries(theme.settings, list) = EntriesAt(storage, source, list, held);
    if (list == ThemeList::images) {
        theme.settings.captions = EntriesAt(storage, source, ThemeList::caption, held);
    }
    std::string& countText = Field(theme.settings, info.countKey);
    if (EditorCount(info.countKey, countText) != static_cast<int>(held.size())) {
        countText = std::to_string(held.size());
    }
}

}  // namespace

LoadedTheme ReadThemeForEditor(ThemeStorage& storage, const std::string& file) {
    LoadedTheme theme;
    const FileState state = storage.ThemeFileState(file);
    std::array<std::optional<std::string>, kThemeKeyCount> own;
    bool anyKey = false;
    for (const ThemeKeyInfo& info : kKeys) {
        if (state == FileState::Read) {
            own[static_cast<int>(info.id)] = storage.FindThemeValue(info.section, info.key, file);
        }
        anyKey = anyKey || own[static_cast<int>(info.id)].has_value();
    }
    theme.read = state == FileState::Unreadable
                     ? ThemeFileRead::Unreadable
                     : (anyKey ? ThemeFileRead::Read : ThemeFileRead::Empty);
    const std::string templ = storage.TemplateThemePath();
    for (const ThemeKeyInfo& info : kKeys) {
        const std::optional<std::string>& mine = own[static_cast<int>(info.id)];
        std::string& field = theme.settings.*info.field;
        if (mine && UsableInEditor(info.id, *mine)) {
            field = *mine;
            continue;
        }
        if (info.optional && !mine && theme.read == ThemeFileRead::Read) {
            field = KeyLimits(info.id).fallback;
            continue;
        }
        const std::optional<std::string> usual =
            storage.FindThemeValue(info.section, info.key, templ);
        field = usual && UsableInEditor(info.id, *usual) ? *usual : KeyLimits(info.id).fallback;
        if (theme.read == ThemeFileRead::Read) {
            theme.replaced.push_back(info.id);
        }
    }
    const bool fromFile = theme.read == ThemeFileRead::Read;
    ReadEditorList(storage, file, fromFile, ThemeList::images, theme);
    ReadEditorList(storage, file, fromFile, ThemeList::multimedia, theme);
    return theme;
}

}  // namespace orvelle
