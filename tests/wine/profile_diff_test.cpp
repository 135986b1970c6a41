// Our profile store against the system's profile functions: the same files must read the same,
// and the same writes and erases must leave files that read the same (and, for files in the
// form the system itself writes, hold the same bytes).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/utf.h"
#include "base/wide_win.h"
#include "settings/file_system_win.h"
#include "settings/profile_store.h"

namespace {

using orvelle::ProfileStore;
using orvelle::win::Narrow;
using orvelle::win::Wide;
using orvelle::win::WinFileSystem;
using namespace std::string_literals;

// A folder of its own under the system's temporary folder, removed with its files at the end.
class TempFolder {
  public:
    TempFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, base);
        static int counter = 0;
        path_ = Narrow(base) + "orvelle_profile_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter) + "\\";
        CreateDirectoryW(Wide(path_).c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(Wide(path_ + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring file = Wide(path_ + Narrow(found.cFileName));
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(file.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(Wide(path_).c_str());
    }
    std::string operator/(const std::string& name) const { return path_ + name; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Every file name gets used once: the system caches profile files by name and time stamp.
std::string FreshName(const std::string& stem) {
    static int counter = 0;
    return stem + std::to_string(++counter) + ".ini";
}

void PutBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string GetBytes(const std::string& path) {
    WinFileSystem fs;
    return fs.ReadFile(path).value_or("<missing>");
}

// The system's wide call with a buffer of 255, so it cuts values to 254 characters; names,
// values and paths are UTF-8 like the store's.
std::string SystemRead(const std::string& path, const std::string& section,
                       const std::string& key) {
    wchar_t buffer[255];
    DWORD n = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"", buffer, 255,
                                       Wide(path).c_str());
    return Narrow(std::wstring_view(buffer, n));
}

std::string Show(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 32 || c > 126) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Trimmed(std::string s) {
    const char* blanks = " \t\r\n\v\f\x1a";
    size_t start = s.find_first_not_of(blanks);
    if (start == std::string::npos) {
        return {};
    }
    return s.substr(start, s.find_last_not_of(blanks) - start + 1);
}

std::string SwapCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return s;
}

struct Names {
    std::set<std::string> sections{"", "missing"};
    std::set<std::string> keys{"missing"};

    void AddVariants(std::set<std::string>& to, std::string name) {
        name = name.substr(0, name.find('\0'));
        to.insert(name);
        to.insert(Trimmed(name));
        to.insert(SwapCase(Trimmed(name)));
        std::string padded = " ";
        padded += Trimmed(name);
        padded += '\t';
        to.insert(padded);
    }
};

// Every plausible section and key name in a file's text (already UTF-8), with
// case and blank variants, so that the lookups cover matches, near misses and misses.
Names CandidateNames(const std::string& text) {
    Names names;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        std::string t = Trimmed(line);
        if (!t.empty() && t[0] == '[') {
            size_t first = t.find(']');
            size_t last = t.rfind(']');
            if (first != std::string::npos) {
                names.AddVariants(names.sections, t.substr(1, first - 1));
                names.AddVariants(names.sections, t.substr(1, last - 1));
            }
        }
        size_t eq = t.find('=');
        names.AddVariants(names.keys, eq == std::string::npos ? t : t.substr(0, eq));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return names;
}

// Compares our reads with the system's for every candidate section and key. Values the system
// cuts (254 UTF-16 units) must be the start of ours, which are read whole.
void ExpectSameReads(const std::string& path, const Names& names, const std::string& label) {
    WinFileSystem fs;
    ProfileStore store(fs, fs);
    int mismatches = 0;
    for (const std::string& section : names.sections) {
        for (const std::string& key : names.keys) {
            std::string system = SystemRead(path, section, key);
            std::string ours = store.ReadValue(path, section, key);
            bool same = Wide(system).size() < 254 ? ours == system : ours.rfind(system, 0) == 0;
            if (!same && ++mismatches <= 10) {
                ADD_FAILURE() << label << " [" << Show(section) << "] " << Show(key)
                              << ": system \"" << Show(system) << "\", ours \"" << Show(ours)
                              << "\"";
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << label;
}

// A file's text as UTF-8, decoded as the system decodes it.
std::string TextOf(const std::string& bytes) {
    if (bytes.rfind("\xFF\xFE", 0) == 0) {
        std::u16string wide((bytes.size() - 2) / 2, u'\0');
        std::memcpy(wide.data(), bytes.data() + 2, wide.size() * 2);
        return orvelle::Utf16ToUtf8(wide);
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        return orvelle::Utf16ToUtf8(orvelle::Utf8ToUtf16(bytes.substr(3)));
    }
    return orvelle::Utf16ToUtf8(orvelle::win::AnsiToUtf16(bytes));
}

void CheckFile(const TempFolder& dir, const std::string& bytes, const std::string& label) {
    std::string path = dir / FreshName("read");
    PutBytes(path, bytes);
    ExpectSameReads(path, CandidateNames(TextOf(bytes)), label);
}

// Byte-exact files that are awkward to keep in a source tree.
TEST(ProfileDiff, ReadsTrickyFilesLikeTheSystem) {
    TempFolder dir;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty", ""},
        {"blank lines only", "\r\n\r\n  \t\r\n"},
        {"no final newline", "[s]\r\nk=v"},
        {"header only", "[s]"},
        {"lines before any header", "top=1\r\n; note\r\n[s]\r\nk=2\r\n"},
        {"blanks everywhere",
         "  [  Sec One  ]  \r\n\t key one \t=\t value one \t\r\n\v\fk2\v=\f2\x1a\r\n"},
        {"duplicates", "[d]\r\nk=1\r\nK=2\r\n[D]\r\nk=3\r\nonly=second\r\n[d]\r\nz=4\r\n"},
        {"quotes",
         "[q]\r\na=\"x\"\r\nb='y'\r\nc=\"z'\r\nd=\"\r\ne=\"\"\r\nf=''\r\ng= \"pad\" \r\n"
         "h=\"in\"side\"\r\ni='\r\n"},
        {"equals and brackets",
         "[e]\r\nk=a=b\r\n=novalue\r\nnoeq\r\n[half\r\nafter=half\r\n[x]y]z\r\nk=xyz\r\n"},
        {"mixed line ends", "[m]\nlf=1\r\ncrlf=2\rcr=3\n\rlfcr=4\r\r\nboth=5\n\n"},
        {"comments", "[c]\r\n;k=commented\r\n# hash=1\r\nk=real\r\n ; spaced=2\r\n"},
        {"ansi bytes", "[\xC9t\xE9]\r\n\xE9l\xE8ve=\xC9l\xC8ve \xA0nbsp\xA0\r\nk\xA0=1\r\n"},
        {"nul bytes", "[n]\r\na=x\0y\r\n\0b=1\r\nc=2\r\n"s},
        {"long value", "[l]\r\nk=" + std::string(300, 'a') + "\r\nexact=" + std::string(254, 'b') +
                           "\r\nq=\"" + std::string(260, 'c') + "\"\r\n"},
        {"utf-16le with bom", "\xFF\xFE[\0u\0]\0\r\0\n\0k\0=\0\xE9\0\xAC\x20\x16\x04\r\0\n\0"s},
        {"utf-8 with bom", "\xEF\xBB\xBF[u]\r\nk=caf\xC3\xA9 \xE2\x82\xAC\r\nbad=\xE9x\r\n"},
    };
    for (const auto& file : files) {
        CheckFile(dir, file.second, file.first);
    }
}

TEST(ProfileDiff, ReadsTheCorpusLikeTheSystem) {
    TempFolder dir;
    std::string corpus = ORVELLE_SOURCE_DIR "/tests/wine/ini_corpus/";
    std::replace(corpus.begin(), corpus.end(), '/', '\\');
    if (corpus[0] == '\\') {
        corpus = "Z:" + corpus;  // Wine's view of the build machine's files
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(corpus + "*.ini").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << corpus;
    int count = 0;
    do {
        WinFileSystem fs;
        const std::string name = Narrow(found.cFileName);
        std::string bytes = fs.ReadFile(corpus + name).value_or("");
        CheckFile(dir, bytes, name);
        ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_GE(count, 5);
}

// Random files built from the pieces that trip readers up.
TEST(ProfileDiff, ReadsRandomFilesLikeTheSystem) {
    TempFolder dir;
    std::mt19937 random(20011);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    const std::vector<std::string> sectionNames = {"a", "A", "b", " b ", "a b", "[a]", "a]"};
    const std::vector<std::string> keyNames = {"k", "K", "0", "10", "k k", ";k", "[k", ""};
    const std::vector<std::string> values = {"v",  "",    " v ",  "\"v\"",  "'v'",  "\"v'",
                                             "\"", "a=b", "\"\"", "\u00e9", "x\ty", "v ;c"};
    const std::vector<std::string> blanks = {"", "", " ", "\t", "  \t"};
    const std::vector<std::string> breaks = {"\r\n", "\r\n", "\n", "\r", "\n\r", "\r\n\r\n"};
    for (int round = 0; round < 60; ++round) {
        std::string text;
        int lines = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < lines; ++i) {
            switch (random() % 5) {
                case 0:
                    text += pick(blanks) + "[" + pick(blanks) + pick(sectionNames) + pick(blanks) +
                            "]" + (random() % 4 == 0 ? " tail" : "");
                    break;
                case 1:
                    text += pick(blanks) + pick(keyNames) + pick(blanks);
                    break;
                default:
                    text += pick(blanks) + pick(keyNames) + pick(blanks) + "=" + pick(blanks) +
                            pick(values) + pick(blanks);
                    break;
            }
            if (i + 1 < lines || random() % 2 == 0) {
                text += pick(breaks);
            }
        }
        CheckFile(dir, text, "random file " + std::to_string(round) + ": " + Show(text));
        if (HasFailure()) {
            break;
        }
    }
}

// ---- Writes ----

struct Op {
    bool erase;
    std::string section, key, value;
};

void ApplyWithSystem(const std::string& path, const std::vector<Op>& ops) {
    for (const Op& op : ops) {
        if (op.erase) {
            WritePrivateProfileStringW(Wide(op.section).c_str(), nullptr, nullptr,
                                       Wide(path).c_str());
        } else {
            WritePrivateProfileStringW(Wide(op.section).c_str(), Wide(op.key).c_str(),
                                       Wide(op.value).c_str(), Wide(path).c_str());
        }
    }
}

bool ApplyWithStore(const std::string& path, const std::vector<Op>& ops) {
    WinFileSystem fs;
    ProfileStore store(fs, fs);
    for (const Op& op : ops) {
        if (op.erase) {
            store.EraseSection(path, op.section);
        } else {
            store.WriteValue(path, op.section, op.key, op.value);
        }
    }
    return store.Flush();
}

class WriteDiff {
  public:
    WriteDiff(const TempFolder& dir, const std::string& start, bool startExists)
        : system_(dir / FreshName("system")), ours_(dir / FreshName("ours")) {
        if (startExists) {
            PutBytes(system_, start);
            PutBytes(ours_, start);
        }
        names_ = CandidateNames(TextOf(start));
    }

    void Run(const std::vector<Op>& ops, bool sameBytes, const std::string& label) {
        for (const Op& op : ops) {
            names_.AddVariants(names_.sections, op.section);
            names_.AddVariants(names_.keys, op.key);
        }
        ApplyWithSystem(system_, ops);
        ASSERT_TRUE(ApplyWithStore(ours_, ops)) << label;
        int mismatches = 0;
        for (const std::string& section : names_.sections) {
            for (const std::string& key : names_.keys) {
                std::string expected = SystemRead(system_, section, key);
                std::string actual = SystemRead(ours_, section, key);
                if (expected != actual && ++mismatches <= 10) {
                    ADD_FAILURE() << label << " [" << Show(section) << "] " << Show(key)
                                  << ": system's file \"" << Show(expected) << "\", ours \""
                                  << Show(actual) << "\"";
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << label;
        if (sameBytes) {
            EXPECT_EQ(Show(GetBytes(ours_)), Show(GetBytes(system_))) << label;
        }
        // And our store reads its own file as the system does.
        ExpectSameReads(ours_, names_, label + " (read back)");
    }

  private:
    std::string system_, ours_;
    Names names_;
};

// padded: names and values with blanks around them. The system writes those differently
// depending on whether it still holds the file in its cache (it trims them when it reads the
// file again), so they are compared by what the files read, not by their bytes.
std::vector<Op> RandomOps(std::mt19937& random, int count, bool padded) {
    std::vector<std::string> sections = {"images", "Images", "caption", "total", "font", "new one"};
    std::vector<std::string> keys = {"0", "1", "2", "10", "total", "Total", "k", "K"};
    std::vector<std::string> values = {"v",
                                       "",
                                       "\"q\"",
                                       "'s'",
                                       "a=b",
                                       "C:\\Pictures\\x.gif",
                                       "Caf\u00e9",
                                       "x;y",
                                       "a b",
                                       "[notsection]",
                                       std::string(300, 'L')};
    if (padded) {
        sections.push_back(" total\t");
        keys.push_back(" k ");
        values.push_back("  spaced  ");
    }
    std::vector<Op> ops;
    for (int i = 0; i < count; ++i) {
        Op op;
        op.erase = random() % 8 == 0;
        op.section = sections[random() % sections.size()];
        op.key = keys[random() % keys.size()];
        op.value = values[random() % values.size()];
        ops.push_back(op);
    }
    return ops;
}

TEST(ProfileDiff, WritesFromNothingGiveTheSystemsBytes) {
    TempFolder dir;
    std::mt19937 random(1999);
    for (int round = 0; round < 20; ++round) {
        WriteDiff diff(dir, "", false);
        diff.Run(RandomOps(random, 1 + static_cast<int>(random() % 30), false), true,
                 "round " + std::to_string(round));
        if (HasFailure()) {
            break;
        }
    }
}

TEST(ProfileDiff, WritesToAFileInTheSystemsFormGiveTheSystemsBytes) {
    TempFolder dir;
    const std::string start =
        "[images]\r\n0=a.gif\r\n1=b.gif\r\n2=c.gif\r\n[total]\r\ntotal=3\r\nmediaTotal=0\r\n"
        "[caption]\r\n0=\r\n1=Two\r\n2=\"Three\"\r\n[font]\r\nnewFontName=Arial\r\n";
    std::mt19937 random(2001);
    for (int round = 0; round < 12; ++round) {
        WriteDiff diff(dir, start, true);
        diff.Run(RandomOps(random, 1 + static_cast<int>(random() % 25), false), true,
                 "round " + std::to_string(round));
        if (HasFailure()) {
            break;
        }
    }
}

// Hand-edited files: the system tidies every line it rewrites, we keep the lines we do not
// change, so only what the files read is compared.
TEST(ProfileDiff, WritesToHandEditedFilesReadTheSame) {
    TempFolder dir;
    const std::vector<std::string> starts = {
        "; theme\n\n[ Images ]\n 0 = a.gif "
        "\n\t1\t=\t'b.gif'\n;2=c.gif\n0=dup\n\n\n[total]\ntotal=2",
        "top=1\r\n[caption]\r\n0=\"x\"\r\nnovalue\r\n\r\n[font]\r\nk = v\r\n",
        "[Total]\rtotal=1\r[images]\r0=only.gif\r\r[FONT] comment\rnewFontName=Tahoma\r",
    };
    std::mt19937 random(2004);
    for (size_t s = 0; s < starts.size(); ++s) {
        for (int round = 0; round < 6; ++round) {
            WriteDiff diff(dir, starts[s], true);
            diff.Run(RandomOps(random, 1 + static_cast<int>(random() % 20), true), false,
                     "start " + std::to_string(s) + " round " + std::to_string(round));
        }
    }
}

// The save's order of calls for a list that shrank: erase, rewrite, count. The system erases
// only the first of two sections of one name; we erase both so nothing stale comes back.
TEST(ProfileDiff, ShrunkListKeepsNoStaleEntries) {
    TempFolder dir;
    std::string path = dir / FreshName("shrink");
    PutBytes(path,
             "[images]\r\n0=a\r\n1=b\r\n2=c\r\n3=d\r\n4=e\r\n[caption]\r\n0=A\r\n1=B\r\n2=C\r\n"
             "3=D\r\n4=E\r\n[total]\r\ntotal=5\r\n[IMAGES]\r\n3=stale\r\n");
    std::vector<Op> ops = {{true, "images", "", ""},    {false, "images", "0", "x"},
                           {false, "images", "1", "y"}, {false, "total", "total", "2"},
                           {true, "caption", "", ""},   {false, "caption", "0", "X"},
                           {false, "caption", "1", "Y"}};
    ASSERT_TRUE(ApplyWithStore(path, ops));
    EXPECT_EQ(GetBytes(path),
              "[total]\r\ntotal=2\r\n[images]\r\n0=x\r\n1=y\r\n[caption]\r\n0=X\r\n1=Y\r\n");
    for (const char* key : {"2", "3", "4"}) {
        EXPECT_EQ(SystemRead(path, "images", key), "") << key;
        EXPECT_EQ(SystemRead(path, "caption", key), "") << key;
    }
}

TEST(ProfileDiff, UnicodeFilesStayUnicode) {
    TempFolder dir;
    for (const std::string& start : {"\xFF\xFE[\0f\0]\0\r\0\n\0n\0=\0\x16\x04\r\0\n\0"s,
                                     std::string("\xEF\xBB\xBF[f]\r\nn=\xD0\x96\r\n")}) {
        WriteDiff diff(dir, start, true);
        diff.Run({{false, "f", "k", "Caf\u00e9"}, {false, "g", "k", "x"}, {false, "f", "n", "y"}},
                 true, Show(start.substr(0, 3)));
    }
}

// ---- The file system ----

TEST(WinFileSystem, ReplacesCreatesAndLeavesNoTemporaryFiles) {
    TempFolder dir;
    WinFileSystem fs;
    std::string path = dir / "settings.ini";
    EXPECT_FALSE(fs.FileExists(path));
    EXPECT_FALSE(fs.ReadFile(path).has_value());
    ASSERT_TRUE(fs.ReplaceFile(path, "first"));
    ASSERT_TRUE(fs.ReplaceFile(path, "sec\0ond"s));
    EXPECT_TRUE(fs.FileExists(path));
    EXPECT_EQ(fs.ReadFile(path), "sec\0ond"s);
    std::string big(3 << 20, 'x');
    ASSERT_TRUE(fs.ReplaceFile(path, big));
    EXPECT_EQ(fs.ReadFile(path), big);
    EXPECT_FALSE(fs.FileExists(dir.Path()));  // a folder is not a file

    // A missing folder and a read-only file both fail and leave things as they were.
    EXPECT_FALSE(fs.ReplaceFile(dir / "missing\\settings.ini", "x"));
    std::string locked = dir / "locked.ini";
    ASSERT_TRUE(fs.ReplaceFile(locked, "old"));
    SetFileAttributesW(Wide(locked).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(fs.ReplaceFile(locked, "new"));
    EXPECT_EQ(fs.ReadFile(locked), "old");

    // Missing and unreadable are told apart: a file another program holds without sharing is
    // there, only not readable now.
    EXPECT_EQ(fs.ReadWholeFile(dir / "none.ini").state, orvelle::FileState::Missing);
    EXPECT_EQ(fs.ReadWholeFile(dir / "none\\none.ini").state, orvelle::FileState::Missing);
    {
        HANDLE held = CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(fs.ReadWholeFile(path).state, orvelle::FileState::Unreadable);
        CloseHandle(held);
    }

    int files = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(dir.Path() + "*").c_str(), &found);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++files;
            const std::string name = Narrow(found.cFileName);
            EXPECT_TRUE(name == "settings.ini" || name == "locked.ini") << name;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 2);
}

}  // namespace
