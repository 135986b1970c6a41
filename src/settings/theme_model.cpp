#include "settings/theme_model.h"

#include "base/numbers.h"
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

int ListCountFromText(const std::string& countText) {
    double count = RoundHalfEven(LeadingNumber(countText));
    if (!(count > 0.0)) {
        return 0;
    }
    return count > kMaxListEntries ? kMaxListEntries : static_cast<int>(count);
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

const std::string& ReadThemeKey(ThemeFile& file, ThemeKey key, ThemeSettings& settings) {
    const ThemeKeyInfo& info = KeyInfo(key);
    std::string& field = settings.*info.field;
    field = file.Read(info.section, info.key);
    return field;
}

std::vector<std::string> ReadListEntries(ThemeFile& file, ThemeList list, int count) {
    const char* section = ListInfo(list).section;
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(file.Read(section, std::to_string(i)));
    }
    return entries;
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
    for (const ThemeStep& step : SaverReadOrder()) {
        if (const auto* key = std::get_if<ThemeKey>(&step)) {
            ReadThemeKey(file, *key, settings);
            continue;
        }
        const ThemeList list = std::get<ThemeList>(step);
        const int count = ListCountFromText(Field(settings, ListInfo(list).countKey));
        std::vector<std::string>& entries = Entries(settings, list);
        entries = ReadListEntries(file, list, count);
        entries.emplace_back();
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

}  // namespace orvelle
