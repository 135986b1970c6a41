// An in-memory stand-in for the system's private profile functions (GetPrivateProfileStringW and
// WritePrivateProfileStringW). Each file is read once, on first use; reads, writes and section
// erases then work on that copy, and Flush() writes every changed file once, atomically.
//
// Reading follows the system's rules:
// - lines end at CR LF, LF or CR; blanks (space, tab, VT, FF, CR, LF, Ctrl-Z) around section
//   names, keys and values are ignored;
// - "[name]" starts a section (the name runs to the last "]" on the line); a line starting with
//   "[" without any "]" is an ordinary line;
// - "key=value" splits at the first "="; a line without "=" is a key without a value (reads "");
//   comment lines (";...") are ordinary lines, so they never match a real key;
// - names match without regard to ASCII case; the first section of a name and, inside it, the
//   first key of a name win (later duplicates are never read);
// - one pair of matching quotes (' or ") around a value is removed on read;
// - a missing file, section or key reads "".
// Unlike the system, values are never cut to 254 characters.
//
// Writing follows the system too: a new section goes at the end of the file, a new key at the end
// of its section, an existing key is rewritten in place as "key=value", and every line ends in
// CR LF. Lines the program does not touch keep their text (comments, blank lines, spacing).
// Erasing a section removes every section of that name, not only the first, so a hand-made
// duplicate cannot bring old entries back after a list is rewritten.
//
// Names and values are UTF-8. A file without a byte-order mark is read in the system's ANSI code
// page; files that start with a UTF-16 or UTF-8 byte-order mark are read as Unicode (broken
// sequences and lone surrogates read as U+FFFD). A file is written back in its own encoding,
// except that an ANSI file given a value its code page cannot hold is written as UTF-16LE with a
// byte-order mark, every line of it converted. Untouched lines keep their bytes otherwise.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/file_system.h"

namespace orvelle {

// Conversion between the system's ANSI code page and UTF-16.
class AnsiCodec {
  public:
    virtual ~AnsiCodec() = default;
    // Nothing when a character has no exact form in the code page (never replaced by "?").
    virtual std::optional<std::string> ToAnsi(std::u16string_view text) const = 0;
    virtual std::u16string FromAnsi(std::string_view text) const = 0;
};

// Windows-1252 (Western European), used when the system's code page is not known.
const AnsiCodec& Windows1252Codec();

class ProfileStore {
  public:
    // The codec must outlive the store.
    explicit ProfileStore(FileSystem& files, const AnsiCodec& codec = Windows1252Codec());
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    // The value of key in the first section named section; "" when the file, section or key is
    // missing or the key has no "=".
    std::string ReadValue(const std::string& file, std::string_view section, std::string_view key);
    // The same, but nothing when the file, section or key is missing (a key without "=" is there,
    // with the value "").
    std::optional<std::string> FindValue(const std::string& file, std::string_view section,
                                         std::string_view key);
    // The keys of the first section named section, as the file spells them, in file order: each
    // name once (the key a read finds), lines without "=" included. Empty for a missing section.
    std::vector<std::string> KeyNames(const std::string& file, std::string_view section);
    // Whether the file was read, is missing, or exists but could not be read.
    FileState State(const std::string& file);
    // Creates the file, the section and the key as needed; replaces an existing key's value.
    // Line breaks in names or value would split the line, so they are written as spaces.
    void WriteValue(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view value);
    // Removes every section of that name with all its lines.
    void EraseSection(const std::string& file, std::string_view section);

    // Writes each file changed since it was read, once, through FileSystem::ReplaceFile; false
    // when any of them could not be written (that file keeps its old contents on disk). Then
    // forgets every file, so that later reads see the disk again (a theme file copied or deleted
    // meanwhile is read afresh).
    // A file that exists but could not be read is never written: its flush fails.
    bool Flush();
    // The same for one file only; the others stay as they are.
    bool FlushFile(const std::string& file);
    // Forgets one file without writing it (unsaved changes to it are dropped).
    void Forget(const std::string& file);

    // The bytes the file would be written with (tests and diagnostics).
    std::string Contents(const std::string& file);
    bool HasUnsavedChanges(const std::string& file) const;

    // The helper types are public only so that the .cpp's free functions can name them.
    struct File;

  private:
    File& Load(const std::string& file);
    const File* Find(const std::string& file) const;
    bool Write(const File& f);

    FileSystem& files_;
    const AnsiCodec& codec_;
    // Keyed by the path folded for comparison (Windows paths ignore case and mix "\" and "/").
    std::unordered_map<std::string, std::unique_ptr<File>> open_;
    std::vector<File*> order_;  // in the order first used, so that Flush writes in that order
};

}  // namespace orvelle
