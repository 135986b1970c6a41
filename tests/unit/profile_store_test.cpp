#include "settings/profile_store.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "settings/memory_file_system.h"

namespace orvelle {
namespace {

using namespace std::string_literals;

const std::string kFile = "C:\\Orvelle\\orvellesaver\\test.ini";

class ProfileStoreTest : public ::testing::Test {
  protected:
    std::string Read(std::string_view section, std::string_view key) {
        return store.ReadValue(kFile, section, key);
    }

    MemoryFileSystem fs;
    ProfileStore store{fs};
};

TEST_F(ProfileStoreTest, ReadsHandEditedFilesLikeTheSystem) {
    fs.Put(kFile,
           "; written by hand\r\n"
           "top=level\r\n"
           "\r\n"
           "  [ Images ]  \r\n"
           "  0 =  C:\\pics\\a.gif  \r\n"
           "\t1\t=\tb.gif\t\r\n"
           "0=duplicate key\r\n"
           ";2=commented out\r\n"
           "novalue\r\n"
           "eq=a=b\r\n"
           "[broken\r\n"
           "after=broken\r\n"
           "[caption] trailing words\n"
           "dq=\"quoted\"\n"
           "sq='single'\n"
           "mixed=\"half'\n"
           "lone=\"\n"
           "empty=\"\"\n"
           "inner=a \"b\" c\n"
           "[images]\r"
           "0=second section\r"
           "5=only in the second\r"
           "[a]b]\r\n"
           "k=last bracket\r\n"
           "[tail]\n\r"
           "ctrlz=x\x1a\r\n"
           "nul=ab\0cd\r\n"
           "last=no final newline"s);
    // Blanks around names and values, first of duplicate keys and sections.
    EXPECT_EQ(Read("images", "0"), "C:\\pics\\a.gif");
    EXPECT_EQ(Read("images", "1"), "b.gif");
    EXPECT_EQ(Read("images", "5"), "");
    // Lines without "=", comments and broken headers are lines of their section.
    EXPECT_EQ(Read("images", "novalue"), "");
    EXPECT_EQ(Read("images", "2"), "");
    EXPECT_EQ(Read("images", ";2"), "commented out");
    EXPECT_EQ(Read("images", "eq"), "a=b");
    EXPECT_EQ(Read("images", "after"), "broken");
    EXPECT_EQ(Read("images", "[broken"), "");
    // One pair of matching quotes is removed.
    EXPECT_EQ(Read("caption", "dq"), "quoted");
    EXPECT_EQ(Read("caption", "sq"), "single");
    EXPECT_EQ(Read("caption", "mixed"), "\"half'");
    EXPECT_EQ(Read("caption", "lone"), "\"");
    EXPECT_EQ(Read("caption", "empty"), "");
    EXPECT_EQ(Read("caption", "inner"), "a \"b\" c");
    // A section name runs to the last "]"; CR alone and LF CR end lines.
    EXPECT_EQ(Read("a]b", "k"), "last bracket");
    EXPECT_EQ(Read("tail", "ctrlz"), "x");
    EXPECT_EQ(Read("tail", "nul"), "ab");
    EXPECT_EQ(Read("tail", "last"), "no final newline");
    // Lines before the first header form a section without a name.
    EXPECT_EQ(Read("", "top"), "level");
}

TEST_F(ProfileStoreTest, MissingFileSectionOrKeyReadsEmptyAndCreatesNothing) {
    fs.Put(kFile, "[total]\r\ntotal=3\r\n");
    EXPECT_EQ(Read("total", "mediaTotal"), "");
    EXPECT_EQ(Read("image", "total"), "");
    EXPECT_EQ(store.ReadValue("C:\\nowhere.ini", "saver", "currentsaver"), "");
    store.EraseSection("C:\\nowhere.ini", "saver");
    store.EraseSection(kFile, "images");
    EXPECT_TRUE(store.Flush());
    EXPECT_FALSE(fs.FileExists("C:\\nowhere.ini"));
    EXPECT_EQ(fs.TotalReplaceCount(), 0);
}

TEST_F(ProfileStoreTest, NamesMatchWithoutRegardToCase) {
    fs.Put(kFile, "[Font]\r\nnewFontName=Arial\r\n");
    EXPECT_EQ(Read("FONT", "NEWFONTNAME"), "Arial");
    EXPECT_EQ(Read(" font ", " newfontname "), "Arial");
    store.WriteValue(kFile, "font", "NewFontName", "Tahoma");
    EXPECT_EQ(store.Contents(kFile), "[Font]\r\nnewFontName=Tahoma\r\n");
}

TEST_F(ProfileStoreTest, LongValuesAreReadWhole) {
    std::string path = "C:\\" + std::string(600, 'p') + "\\picture.gif";
    fs.Put(kFile, "[images]\r\n0=" + path + "\r\n");
    EXPECT_EQ(Read("images", "0"), path);
    store.WriteValue(kFile, "images", "1", path + "x");
    EXPECT_EQ(Read("images", "1"), path + "x");
}

TEST_F(ProfileStoreTest, WritesCreateFileAndSectionsInOrder) {
    store.WriteValue(kFile, "one", "a", "1");
    store.WriteValue(kFile, "two", "b", "2");
    store.WriteValue(kFile, "one", "c", "3");
    store.WriteValue(kFile, "ONE", "A", "  spaced  ");
    store.WriteValue(kFile, "three", "x", "\"q\"");
    store.WriteValue(kFile, "  two  ", "  d  ", "4");
    store.WriteValue(kFile, "two", "e", "");
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(fs.Get(kFile),
              "[one]\r\na=spaced\r\nc=3\r\n"
              "[two]\r\nb=2\r\nd=4\r\ne=\r\n"
              "[three]\r\nx=\"q\"\r\n");
    EXPECT_EQ(store.ReadValue(kFile, "three", "x"), "q");
}

TEST_F(ProfileStoreTest, WritesKeepTheOtherLinesOfAHandEditedFile) {
    fs.Put(kFile,
           "; head\n"
           "\n"
           "[a]\n"
           "  k1 = v1  \n"
           "; note\n"
           "\n"
           "\n"
           "[b]\n"
           "x = 1\n"
           "[c]\n"
           "y=2");
    store.WriteValue(kFile, "a", "new", "n");
    store.WriteValue(kFile, "a", "K1", "changed");
    store.WriteValue(kFile, "c", "z", "3");
    EXPECT_EQ(store.Contents(kFile),
              "; head\r\n"
              "\r\n"
              "[a]\r\n"
              "k1=changed\r\n"
              "; note\r\n"
              "new=n\r\n"
              "\r\n"
              "\r\n"
              "[b]\r\n"
              "x = 1\r\n"
              "[c]\r\n"
              "y=2\r\n"
              "z=3\r\n");
}

TEST_F(ProfileStoreTest, ErasedListSectionRewrittenShorterKeepsNoStaleEntries) {
    std::string file = "[images]\r\n";
    for (int i = 0; i < 5; ++i) {
        file += std::to_string(i) + "=p" + std::to_string(i) + "\r\n";
    }
    // A second [images] left by a hand edit must not come back once the first is erased.
    fs.Put(kFile, file + "[total]\r\ntotal=5\r\n[IMAGES]\r\n3=stale\r\n");
    store.EraseSection(kFile, "images");
    store.WriteValue(kFile, "images", "0", "new0");
    store.WriteValue(kFile, "images", "1", "new1");
    store.WriteValue(kFile, "total", "total", "2");
    for (const char* key : {"2", "3", "4"}) {
        EXPECT_EQ(Read("images", key), "") << key;
    }
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(fs.Get(kFile), "[total]\r\ntotal=2\r\n[images]\r\n0=new0\r\n1=new1\r\n");
}

TEST_F(ProfileStoreTest, FlushWritesEachChangedFileOnce) {
    const std::string other = "C:\\Orvelle\\orvellemain.ini";
    fs.Put(other, "[saver]\r\ncurrentsaver=Default\r\n");
    fs.Put(kFile, "[image]\r\ntimeInterval=5\r\n");
    EXPECT_EQ(store.ReadValue(other, "saver", "currentsaver"), "Default");
    // Writing the value a key already has changes nothing.
    store.WriteValue(other, "saver", "currentsaver", "Default");
    store.WriteValue(kFile, "image", "timeInterval", "5");
    EXPECT_FALSE(store.HasUnsavedChanges(kFile));
    for (int i = 0; i < 100; ++i) {
        store.WriteValue(kFile, "images", std::to_string(i), "p" + std::to_string(i));
    }
    EXPECT_EQ(fs.ReadCount(kFile), 1);
    EXPECT_TRUE(store.HasUnsavedChanges(kFile));
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(fs.ReplaceCount(kFile), 1);
    EXPECT_EQ(fs.ReplaceCount(other), 0);
    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(fs.TotalReplaceCount(), 1);
}

TEST_F(ProfileStoreTest, FailedWriteLeavesTheOldFileAndIsReported) {
    const std::string other = "C:\\Orvelle\\orvellemain.ini";
    const std::string old = "[image]\r\ntimeInterval=5\r\n";
    fs.Put(kFile, old);
    fs.FailWritesTo(kFile);
    store.WriteValue(kFile, "image", "timeInterval", "9");
    store.WriteValue(other, "mouse", "mouseSensitivity", "12");
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(fs.Get(kFile), old);
    EXPECT_EQ(fs.Get(other), "[mouse]\r\nmouseSensitivity=12\r\n");
    // After the flush the store reads the disk again, as the system would.
    EXPECT_EQ(Read("image", "timeInterval"), "5");
}

TEST_F(ProfileStoreTest, FlushForgetsCopiesSoReplacedFilesAreReadAfresh) {
    fs.Put(kFile, "[image]\r\npicSpeed=1\r\n");
    EXPECT_EQ(Read("image", "picSpeed"), "1");
    fs.Put(kFile, "[image]\r\npicSpeed=4\r\n");  // e.g. the template copied over it
    EXPECT_EQ(Read("image", "picSpeed"), "1");
    store.Flush();
    EXPECT_EQ(Read("image", "picSpeed"), "4");
    fs.Put(kFile, "[image]\r\npicSpeed=2\r\n");
    store.Forget(kFile);
    EXPECT_EQ(Read("image", "picSpeed"), "2");
}

TEST_F(ProfileStoreTest, OnePathSpelledTwoWaysIsOneFile) {
    store.WriteValue(kFile, "a", "k", "1");
    store.WriteValue("c:/orvelle/ORVELLESAVER/Test.INI", "a", "k2", "2");
    EXPECT_EQ(Read("a", "k2"), "2");
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(fs.TotalReplaceCount(), 1);
    EXPECT_EQ(fs.Get(kFile), "[a]\r\nk=1\r\nk2=2\r\n");
}

TEST_F(ProfileStoreTest, LineBreaksInAWrittenValueCannotSplitTheLine) {
    store.WriteValue(kFile, "caption", "0", "line one\r\n[images]\r\n0=evil");
    EXPECT_EQ(Read("caption", "0"), "line one  [images]  0=evil");
    EXPECT_EQ(Read("images", "0"), "");
    EXPECT_EQ(store.Contents(kFile), "[caption]\r\n0=line one  [images]  0=evil\r\n");
}

// The bytes of a UTF-16 file with its byte-order mark.
std::string Utf16File(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        const char lo = static_cast<char>(u & 0xFF);
        const char hi = static_cast<char>(u >> 8);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}

// Reads, writes and the encoding a save chooses: a file keeps its encoding while it can hold
// every value; an ANSI file given a value outside its code page becomes UTF-16LE as a whole.
TEST(ProfileStoreEncoding, SaveKeepsOrChangesTheFilesEncoding) {
    struct Write {
        const char* section;
        const char* key;
        std::string value;
    };
    struct Case {
        const char* name;
        std::optional<std::string> start;                        // none: no such file yet
        std::vector<std::pair<std::string, std::string>> reads;  // "section/key" -> UTF-8 value
        std::vector<Write> writes;
        std::string saved;
    };
    const std::string cyrillicPath = "C:\\\u0424\u043e\u0442\u043e\\\u0442\u0435\u043c\u0430.jpg";
    const std::vector<Case> cases = {
        {"an ANSI file holding the value stays ANSI",
         "[f]\r\nn=Caf\xE9\r\n\x80\x81=\x9F\n"s,
         {{"f/n", "Caf\u00e9"}, {"f/\u20ac\u0081", "\u0178"}},
         {{"f", "k", "\u00c6r\u00f8 \u20ac"}},
         "[f]\r\nn=Caf\xE9\r\n\x80\x81=\x9F\r\nk=\xC6r\xF8 \x80\r\n"},
        {"a Cyrillic path turns an ANSI file into UTF-16LE, old lines converted",
         "; \xE9t\xE9\r\n[images]\r\n0=a.gif\r\n"s,
         {{"images/0", "a.gif"}},
         {{"images", "1", cyrillicPath}},
         Utf16File(u"; \u00e9t\u00e9\r\n[images]\r\n0=a.gif\r\n1=C:\\\u0424\u043e\u0442\u043e\\"
                   u"\u0442\u0435\u043c\u0430.jpg\r\n")},
        {"a new file takes ANSI while it can",
         std::nullopt,
         {},
         {{"saver", "currentsaver", "Caf\u00e9"}},
         "[saver]\r\ncurrentsaver=Caf\xE9\r\n"},
        {"a new file with a CJK name is UTF-16LE from the start",
         std::nullopt,
         {},
         {{"saver", "currentsaver", "\u6771\u4eac"}},
         Utf16File(u"[saver]\r\ncurrentsaver=\u6771\u4eac\r\n")},
        {"a UTF-16LE file stays UTF-16LE; a lone surrogate reads as U+FFFD and keeps its bytes",
         Utf16File(u"[font]\r\nnewFontName=Caf\u00e9\r\nodd=a\xD800z\r\n"),
         {{"font/newFontName", "Caf\u00e9"}, {"font/odd", "a\uFFFDz"}},
         {{"font", "newFontSize", "8.25\u20ac"}, {"font", "n", "\u0416 \U0001F600"}},
         Utf16File(u"[font]\r\nnewFontName=Caf\u00e9\r\nodd=a\xD800z\r\nnewFontSize=8.25\u20ac\r\n"
                   u"n=\u0416 \U0001F600\r\n")},
        {"a UTF-16BE file stays UTF-16BE",
         Utf16File(u"[s]\r\nk=\u0416\r\n", true),
         {{"s/k", "\u0416"}},
         {{"s", "n", "\u6771"}},
         Utf16File(u"[s]\r\nk=\u0416\r\nn=\u6771\r\n", true)},
        {"a UTF-8 file stays UTF-8; broken sequences read as U+FFFD and keep their bytes",
         "\xEF\xBB\xBF[s]\nk=caf\xC3\xA9\nbad=\xE9x\xC0\x80\xED\xA0\x80\xF0\x9F\x98\n"s,
         {{"s/k", "caf\u00e9"},
          {"s/bad", "\uFFFDx\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}},
         {{"s", "n", "\u0416\U0001F600"}, {"s", "broken", "a\xFF"}},
         "\xEF\xBB\xBF[s]\r\nk=caf\xC3\xA9\r\nbad=\xE9x\xC0\x80\xED\xA0\x80\xF0\x9F\x98\r\n"
         "n=\xD0\x96\xF0\x9F\x98\x80\r\nbroken=a\xEF\xBF\xBD\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFileSystem fs;
        if (c.start) {
            fs.Put(kFile, *c.start);
        }
        ProfileStore store(fs);
        auto read = [&](ProfileStore& from, const std::string& sectionKey) {
            const size_t slash = sectionKey.find('/');
            return from.ReadValue(kFile, sectionKey.substr(0, slash), sectionKey.substr(slash + 1));
        };
        for (const auto& [sectionKey, value] : c.reads) {
            EXPECT_EQ(read(store, sectionKey), value) << sectionKey;
        }
        for (const Write& w : c.writes) {
            store.WriteValue(kFile, w.section, w.key, w.value);
        }
        ASSERT_TRUE(store.Flush());
        EXPECT_EQ(fs.Get(kFile), c.saved);
        // The saved file reads back the same, in whichever encoding it now has.
        ProfileStore again(fs);
        for (const auto& [sectionKey, value] : c.reads) {
            EXPECT_EQ(read(again, sectionKey), value) << sectionKey;
        }
        for (const Write& w : c.writes) {
            const bool valid = IsValidUtf8(w.value);
            EXPECT_EQ(again.ReadValue(kFile, w.section, w.key),
                      valid ? w.value : Utf16ToUtf8(Utf8ToUtf16(w.value)))
                << w.key;
        }
    }
}

TEST(ProfileStoreEncoding, Windows1252CodecIsExactBothWays) {
    const AnsiCodec& codec = Windows1252Codec();
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    // Every byte, the five undefined ones included, comes back as itself.
    EXPECT_EQ(codec.ToAnsi(codec.FromAnsi(all)), all);
    EXPECT_EQ(codec.FromAnsi("\x80\x9F\xFF"), u"\u20ac\u0178\u00ff");
    for (std::u16string_view outside : {u"\u0416", u"a\u6771", u"\u0100", u"\xD800", u"\uFFFD"}) {
        EXPECT_EQ(codec.ToAnsi(outside), std::nullopt) << Utf16ToUtf8(outside);
    }
}

TEST_F(ProfileStoreTest, LargeThemeReadsBackWhole) {
    for (int i = 0; i < 5000; ++i) {
        std::string key = std::to_string(i);
        store.WriteValue(kFile, "images", key, "C:\\Pictures\\Holiday\\picture" + key + ".jpg");
        store.WriteValue(kFile, "caption", key, "Caption " + key);
    }
    ASSERT_TRUE(store.Flush());
    for (int i = 0; i < 5000; ++i) {
        std::string key = std::to_string(i);
        ASSERT_EQ(Read("images", key), "C:\\Pictures\\Holiday\\picture" + key + ".jpg");
        ASSERT_EQ(Read("caption", key), "Caption " + key);
    }
    // Its speed is measured side by side in bench/profile_store_bench_win.cpp.
}

}  // namespace
}  // namespace orvelle
