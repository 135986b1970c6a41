#include "settings/profile_store.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "settings/file_system.h"

namespace orvelle {

namespace {

enum class Encoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

// The characters the system's profile reader trims: the C blanks plus Ctrl-Z, which old editors
// left at the end of text files.
bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsProfileBlank(s[i])) {
        ++i;
    }
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && IsProfileBlank(s[n - 1])) {
        --n;
    }
    return s.substr(0, n);
}

std::string_view Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

// The system handles names and values as C strings: whatever follows a NUL byte is not seen.
std::string_view CutAtNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

std::string Fold(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::string FoldPath(std::string_view path) {
    std::string out = Fold(path);
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

// A name or value as the writer puts it into a line: trimmed like the reader trims it, cut at a
// NUL like a C string, and with line breaks turned into spaces so that a value can never split
// its line in two (the system would write them through and corrupt the file). Broken UTF-8 is
// marked with U+FFFD, so that what is written reads back the same.
std::string CleanForLine(std::string_view text) {
    std::string out(CutAtNul(text));
    if (!IsValidUtf8(out)) {
        out = Utf16ToUtf8(Utf8ToUtf16(out));
    }
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return std::string(Trim(out));
}

struct ParsedLine {
    enum Kind { kBlank, kHeader, kEntry } kind = kBlank;
    std::string_view name;
    bool hasValue = false;
    std::string_view value;  // as written, quotes included
};

ParsedLine ParseLine(std::string_view text) {
    ParsedLine p;
    std::string_view t = Trim(text);
    if (t.empty()) {
        return p;
    }
    if (t.front() == '[') {
        size_t close = t.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            p.kind = ParsedLine::kHeader;
            p.name = CutAtNul(Trim(t.substr(1, close - 1)));
            return p;
        }
    }
    p.kind = ParsedLine::kEntry;
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) {
        p.name = CutAtNul(t);
        return p;
    }
    p.name = CutAtNul(TrimRight(t.substr(0, eq)));
    p.hasValue = true;
    p.value = CutAtNul(TrimLeft(t.substr(eq + 1)));
    return p;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Splits at CR LF, LF or CR; a final line break does not start another line.
template <typename CharT>
std::vector<std::basic_string_view<CharT>> SplitLines(std::basic_string_view<CharT> text) {
    std::vector<std::basic_string_view<CharT>> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        CharT c = text[i];
        if (c == CharT('\r') || c == CharT('\n')) {
            lines.push_back(text.substr(start, i - start));
            ++i;
            if (c == CharT('\r') && i < text.size() && text[i] == CharT('\n')) {
                ++i;
            }
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// ---- Unicode helpers ----

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned a = static_cast<unsigned char>(bytes[2 * i]);
        unsigned b = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return out;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t u : text) {
        char hi = static_cast<char>(u >> 8);
        char lo = static_cast<char>(u & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    }
    return out;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves undefined map to the
// control characters of the same number, as the system's conversion does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class Cp1252Codec : public AnsiCodec {
  public:
    std::optional<std::string> ToAnsi(std::u16string_view text) const override {
        std::string out;
        out.reserve(text.size());
        for (char16_t u : text) {
            std::optional<char> byte = ToByte(u);
            if (!byte) {
                return std::nullopt;
            }
            out.push_back(*byte);
        }
        return out;
    }
    std::u16string FromAnsi(std::string_view text) const override {
        std::u16string out;
        out.reserve(text.size());
        for (char c : text) {
            unsigned char b = static_cast<unsigned char>(c);
            out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
        }
        return out;
    }

  private:
    static std::optional<char> ToByte(char16_t u) {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            return static_cast<char>(u);
        }
        for (size_t i = 0; i < kCp1252High.size(); ++i) {
            if (kCp1252High[i] == u) {
                return static_cast<char>(0x80 + i);
            }
        }
        return std::nullopt;
    }
};

}  // namespace

const AnsiCodec& Windows1252Codec() {
    static const Cp1252Codec codec;
    return codec;
}

// ---- The in-memory file ----

namespace {

struct Line {
    std::string text;  // UTF-8; what the rules above parse
    // The line exactly as the file holds it (without its line break), in the file's encoding;
    // none for a line the program wrote. Lines the program does not change are written back
    // byte for byte, even where their text could not be decoded cleanly.
    std::optional<std::string> stored;
};

struct Section {
    std::optional<Line> header;  // none for the lines before the first header
    std::string foldedName;
    std::vector<Line> lines;
    std::unordered_map<std::string, size_t> keys;  // folded key -> index of its first line

    void AddLine(Line line) {
        ParsedLine p = ParseLine(line.text);
        if (p.kind == ParsedLine::kEntry) {
            keys.try_emplace(Fold(p.name), lines.size());
        }
        lines.push_back(std::move(line));
    }
};

}  // namespace

struct ProfileStore::File {
    std::string path;  // as first named
    Encoding encoding = Encoding::kAnsi;
    bool changed = false;
    // Unreadable: it exists but could not be read. It reads as empty and is never written, since
    // writing would replace everything it holds with the few keys written this time.
    FileState state = FileState::Missing;
    // sections[0] holds the lines before the first header (a section without a name).
    std::vector<Section> sections;
    std::unordered_map<std::string, size_t> firstSection;  // folded name -> first such section

    void IndexSections() {
        firstSection.clear();
        for (size_t i = 0; i < sections.size(); ++i) {
            firstSection.try_emplace(sections[i].foldedName, i);
        }
    }

    Section* FindSection(std::string_view name) {
        auto it = firstSection.find(Fold(name));
        return it == firstSection.end() ? nullptr : &sections[it->second];
    }
};

namespace {

// A file's text as UTF-8: every byte below 0x80 stands for itself in each ANSI code page, so
// plain ASCII lines (nearly every line of a theme) need no conversion.
std::string AnsiLineToUtf8(std::string_view raw, const AnsiCodec& codec) {
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return (c & 0x80) == 0; })) {
        return std::string(raw);
    }
    return Utf16ToUtf8(codec.FromAnsi(raw));
}

void ParseInto(ProfileStore::File& file, std::string_view bytes, const AnsiCodec& codec) {
    file.sections.clear();
    file.sections.emplace_back();
    auto add = [&](Line line) {
        ParsedLine p = ParseLine(line.text);
        if (p.kind == ParsedLine::kHeader) {
            Section s;
            s.foldedName = Fold(p.name);
            s.header = std::move(line);
            file.sections.push_back(std::move(s));
        } else {
            file.sections.back().AddLine(std::move(line));
        }
    };

    if (bytes.substr(0, 3) == kUtf8Bom) {
        file.encoding = Encoding::kUtf8;
        // CR and LF bytes never occur inside a UTF-8 sequence, so the bytes split as they are;
        // the round trip through UTF-16 marks broken sequences with U+FFFD.
        for (std::string_view raw : SplitLines(bytes.substr(3))) {
            add(Line{Utf16ToUtf8(Utf8ToUtf16(raw)), std::string(raw)});
        }
    } else if (bytes.substr(0, 2) == kUtf16LeBom || bytes.substr(0, 2) == kUtf16BeBom) {
        bool bigEndian = bytes.substr(0, 2) == kUtf16BeBom;
        file.encoding = bigEndian ? Encoding::kUtf16Be : Encoding::kUtf16Le;
        std::u16string wide = DecodeUtf16(bytes.substr(2), bigEndian);
        for (std::u16string_view raw : SplitLines(std::u16string_view(wide))) {
            add(Line{Utf16ToUtf8(raw), EncodeUtf16(raw, bigEndian)});
        }
    } else {
        file.encoding = Encoding::kAnsi;
        for (std::string_view raw : SplitLines(bytes)) {
            add(Line{AnsiLineToUtf8(raw, codec), std::string(raw)});
        }
    }
    file.IndexSections();
}

std::string_view ByteOrderMark(Encoding encoding) {
    switch (encoding) {
        case Encoding::kUtf8:
            return kUtf8Bom;
        case Encoding::kUtf16Le:
            return kUtf16LeBom;
        case Encoding::kUtf16Be:
            return kUtf16BeBom;
        case Encoding::kAnsi:
            break;
    }
    return {};
}

// The file's bytes in the given encoding; nothing when a line the program wrote cannot be
// held by the ANSI code page.
std::optional<std::string> SerializeAs(const ProfileStore::File& file, Encoding encoding,
                                       const AnsiCodec& codec) {
    const bool bigEndian = encoding == Encoding::kUtf16Be;
    auto encode = [&](std::string_view utf8) -> std::optional<std::string> {
        switch (encoding) {
            case Encoding::kAnsi:
                if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
                    return std::string(utf8);
                }
                return codec.ToAnsi(Utf8ToUtf16(utf8));
            case Encoding::kUtf8:
                return std::string(utf8);
            case Encoding::kUtf16Le:
            case Encoding::kUtf16Be:
                return EncodeUtf16(Utf8ToUtf16(utf8), bigEndian);
        }
        return std::nullopt;
    };
    // Stored bytes are kept only in the encoding they were read in.
    const bool keepStored = encoding == file.encoding;
    const std::string newline = *encode("\r\n");

    std::string out;
    size_t estimate = 0;
    for (const Section& s : file.sections) {
        for (const Line& l : s.lines) {
            estimate += l.text.size() + 2;
        }
    }
    out.reserve(encoding == Encoding::kAnsi ? estimate + 16 : estimate * 2 + 3);
    out += ByteOrderMark(encoding);
    auto put = [&](const Line& line) {
        if (keepStored && line.stored) {
            out += *line.stored;
        } else if (std::optional<std::string> bytes = encode(line.text)) {
            out += *bytes;
        } else {
            return false;
        }
        out += newline;
        return true;
    };
    for (const Section& s : file.sections) {
        if (s.header && !put(*s.header)) {
            return std::nullopt;
        }
        for (const Line& l : s.lines) {
            if (!put(l)) {
                return std::nullopt;
            }
        }
    }
    return out;
}

// A file keeps its encoding while every line can be written in it. A value the ANSI code page
// cannot hold turns the whole file into UTF-16LE with a byte-order mark, which the system's
// own profile functions also read as Unicode; a "?" in its place would break the path.
std::string Serialize(const ProfileStore::File& file, const AnsiCodec& codec) {
    if (std::optional<std::string> bytes = SerializeAs(file, file.encoding, codec)) {
        return *bytes;
    }
    return *SerializeAs(file, Encoding::kUtf16Le, codec);
}

}  // namespace

// ---- ProfileStore ----

ProfileStore::ProfileStore(FileSystem& files, const AnsiCodec& codec)
    : files_(files), codec_(codec) {}

ProfileStore::~ProfileStore() = default;

ProfileStore::File& ProfileStore::Load(const std::string& file) {
    std::string folded = FoldPath(file);
    auto it = open_.find(folded);
    if (it != open_.end()) {
        return *it->second;
    }
    auto loaded = std::make_unique<File>();
    loaded->path = file;
    FileBytes read = files_.ReadWholeFile(file);
    loaded->state = read.state;
    ParseInto(*loaded, read.bytes, codec_);
    File& ref = *loaded;
    open_.emplace(std::move(folded), std::move(loaded));
    order_.push_back(&ref);
    return ref;
}

const ProfileStore::File* ProfileStore::Find(const std::string& file) const {
    auto it = open_.find(FoldPath(file));
    return it == open_.end() ? nullptr : it->second.get();
}

std::string ProfileStore::ReadValue(const std::string& file, std::string_view section,
                                    std::string_view key) {
    return FindValue(file, section, key).value_or(std::string());
}

std::optional<std::string> ProfileStore::FindValue(const std::string& file,
                                                   std::string_view section, std::string_view key) {
    File& f = Load(file);
    Section* s = f.FindSection(Trim(section));
    if (!s) {
        return std::nullopt;
    }
    auto it = s->keys.find(Fold(Trim(key)));
    if (it == s->keys.end()) {
        return std::nullopt;
    }
    ParsedLine p = ParseLine(s->lines[it->second].text);
    return p.hasValue ? std::string(StripQuotes(p.value)) : std::string();
}

std::vector<std::string> ProfileStore::KeyNames(const std::string& file, std::string_view section) {
    std::vector<std::string> names;
    Section* s = Load(file).FindSection(Trim(section));
    if (!s) {
        return names;
    }
    names.reserve(s->keys.size());
    for (size_t i = 0; i < s->lines.size(); ++i) {
        const ParsedLine p = ParseLine(s->lines[i].text);
        if (p.kind != ParsedLine::kEntry) {
            continue;
        }
        // A later line of a name already seen is never read; only the first counts.
        auto it = s->keys.find(Fold(p.name));
        if (it != s->keys.end() && it->second == i) {
            names.emplace_back(p.name);
        }
    }
    return names;
}

FileState ProfileStore::State(const std::string& file) {
    return Load(file).state;
}

void ProfileStore::WriteValue(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view value) {
    std::string name = CleanForLine(section);
    std::string keyName = CleanForLine(key);
    if (name.empty() || keyName.empty()) {
        return;  // the program never writes nameless sections or keys
    }
    std::string text = CleanForLine(value);
    File& f = Load(file);
    Section* s = f.FindSection(name);
    if (!s) {
        Section fresh;
        fresh.foldedName = Fold(name);
        fresh.header = Line{"[" + name + "]", std::nullopt};
        fresh.AddLine(Line{keyName + "=" + text, std::nullopt});
        f.firstSection.try_emplace(fresh.foldedName, f.sections.size());
        f.sections.push_back(std::move(fresh));
        f.changed = true;
        return;
    }
    std::string foldedKey = Fold(keyName);
    auto it = s->keys.find(foldedKey);
    if (it != s->keys.end()) {
        Line& line = s->lines[it->second];
        ParsedLine p = ParseLine(line.text);
        if (p.hasValue && p.value == text) {
            return;  // unchanged: the file is not rewritten for it
        }
        // The key keeps the spelling it has in the file.
        line = Line{std::string(p.name) + "=" + text, std::nullopt};
        f.changed = true;
        return;
    }
    // A new key goes after the section's last non-blank line, so that blank lines separating it
    // from the next section stay where they are.
    size_t at = s->lines.size();
    while (at > 0 && ParseLine(s->lines[at - 1].text).kind == ParsedLine::kBlank) {
        --at;
    }
    // Only blank lines follow the insertion point, so the key index stays valid.
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at),
                    Line{keyName + "=" + text, std::nullopt});
    s->keys.emplace(std::move(foldedKey), at);
    f.changed = true;
}

void ProfileStore::EraseSection(const std::string& file, std::string_view section) {
    // Unlike reads and writes, the system does not trim the name of a section to erase.
    std::string folded = Fold(CutAtNul(section));
    if (folded.empty()) {
        return;
    }
    File& f = Load(file);
    if (f.firstSection.find(folded) == f.firstSection.end()) {
        return;
    }
    // sections[0] (the lines before the first header) is never erased.
    auto first = f.sections.begin() + 1;
    f.sections.erase(std::remove_if(first, f.sections.end(),
                                    [&](const Section& s) { return s.foldedName == folded; }),
                     f.sections.end());
    f.IndexSections();
    f.changed = true;
}

bool ProfileStore::Write(const File& f) {
    if (!f.changed) {
        return true;
    }
    return f.state != FileState::Unreadable && files_.ReplaceFile(f.path, Serialize(f, codec_));
}

bool ProfileStore::Flush() {
    bool ok = true;
    for (File* f : order_) {
        ok = Write(*f) && ok;
    }
    order_.clear();
    open_.clear();
    return ok;
}

bool ProfileStore::FlushFile(const std::string& file) {
    const File* f = Find(file);
    const bool ok = !f || Write(*f);
    Forget(file);
    return ok;
}

void ProfileStore::Forget(const std::string& file) {
    auto it = open_.find(FoldPath(file));
    if (it == open_.end()) {
        return;
    }
    order_.erase(std::remove(order_.begin(), order_.end(), it->second.get()), order_.end());
    open_.erase(it);
}

std::string ProfileStore::Contents(const std::string& file) {
    return Serialize(Load(file), codec_);
}

bool ProfileStore::HasUnsavedChanges(const std::string& file) const {
    const File* f = Find(file);
    return f && f->changed;
}

}  // namespace orvelle
