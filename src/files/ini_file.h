// Private-profile ("INI") files: the parameter files and the settings file.
#pragma once

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvale {

// An INI file held as its lines, so that writing a value changes that one line and keeps
// everything else a flyer may have put in the file: other sections and keys, comments (lines
// starting with ';' or '#'), blank lines, lines we do not understand, and their order.
//
// Reading rules:
// - "[name]" starts a section; blanks inside the brackets around the name are ignored, and a
//   missing "]" is forgiven. "key=value" lines belong to the section above them; lines of that
//   form before the first section belong to none and are never matched.
// - Sections and keys match without regard to ASCII letter case; blanks and tabs around keys
//   and values are dropped.
// - Only the first section of a given name counts; a repeated section is kept but neither read
//   nor written. Within it the first line of a key counts. Reading and writing use the same rule,
//   so what is written is what is read back.
// - Lines may end in LF, CR LF or CR. A UTF-8 byte order mark at the start is dropped: the files
//   are 8-bit text, and the mark would otherwise hide the first section's name.
// - The file is 8-bit text (Windows-1252), held as UTF-8 in memory; see windows1252.h.
// - Keys are found through an index built in one pass over the file, so reading every key of a
//   large file costs one pass, not one pass per key.
//
// Writing rules:
// - A key that exists gets its new value on its own line, keeping the spelling of the key found
//   in the file (a hand-edited "min reading" stays so).
// - A new key goes after the last key line of its section, so blank lines and comments that
//   lead into the next section stay in front of it; a new section goes at the end of the file,
//   without a blank line before it.
// - Lines are written as key "=" value, without blanks around "=", each ended by CR LF. A line
//   break inside a value would end the line early, so each CR or LF in it is written as a blank.
class IniFile {
public:
    IniFile() = default;
    IniFile(const IniFile& other);
    IniFile& operator=(const IniFile& other);
    IniFile(IniFile&&) = default;
    IniFile& operator=(IniFile&&) = default;

    // The file at path; a missing file is an empty one. A file that exists but cannot be read,
    // is not a regular file or is larger than the bound of small files (see small_file.h)
    // raises FileError naming the path and the reason.
    static IniFile Load(const std::string& path);
    // The same, before the file is updated: one that is there but cannot be read cannot be
    // updated either, so that is reported as "Unable to write to" the path.
    static IniFile LoadForUpdate(const std::string& path);
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& def) const;
    // A value that is not an integer (see ParseIniInteger) reads as def.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Any integer other than 0 is true; a value that is not an integer reads as def.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    // Written as "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file, every line ended by CR LF.
    std::string Text() const;
    // Replaces the file at path in one step (see WriteFileAtomically), so a failure leaves the
    // old file whole; raises FileError "Unable to write to " path. A value holding a character
    // the 8-bit set cannot hold is refused before anything is written, the message naming its
    // key and the character.
    void Save(const std::string& path) const;

private:
    using Line = std::list<std::string>::iterator;
    struct Section {
        Line header;
        Line lastKey;  // where a new key goes after; the header while there is none
        std::unordered_map<std::string, Line> keys;  // by lower-case key, first line of each
    };

    void Index();
    const Section* FindSection(std::string_view section) const;

    // A list, so that inserting a line keeps the index's positions valid.
    std::list<std::string> lines_;
    std::unordered_map<std::string, Section> sections_;  // by lower-case name, first of each
};

}  // namespace orvale
