#include "files/ini_file.h"

#include <iterator>

#include "core/file_error.h"
#include "files/ascii_text.h"
#include "files/number_text.h"
#include "files/safe_file.h"
#include "files/small_file.h"
#include "files/windows1252.h"

namespace orvale {

namespace {

struct Entry {
    std::string_view key;
    std::string_view value;
};

bool IsComment(std::string_view line) {
    std::string_view t = TrimBlanks(line);
    return !t.empty() && (t.front() == ';' || t.front() == '#');
}

std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = TrimBlanks(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    t.remove_prefix(1);
    return TrimBlanks(t.substr(0, t.find(']')));
}

std::optional<Entry> EntryOf(std::string_view line) {
    if (IsComment(line) || SectionName(line))
        return std::nullopt;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Entry{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))};
}

std::string ValueLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    for (char c : value)
        line += c == '\r' || c == '\n' ? ' ' : c;
    return line;
}

}  // namespace

IniFile::IniFile(const IniFile& other) : lines_(other.lines_) {
    Index();
}

IniFile& IniFile::operator=(const IniFile& other) {
    if (this != &other) {
        lines_ = other.lines_;
        Index();
    }
    return *this;
}

IniFile IniFile::LoadForUpdate(const std::string& path) {
    try {
        return Load(path);
    } catch (const FileError& e) {
        const std::string what = e.what();
        const size_t reason = what.rfind(" (");
        throw FileError("Unable to write to " + path +
                        (reason == std::string::npos ? "" : what.substr(reason)));
    }
}

IniFile IniFile::Load(const std::string& path) {
    std::optional<std::string> bytes = ReadSmallFileOrThrow(path);
    if (!bytes)
        return IniFile();
    std::string_view raw = *bytes;
    // The mark is looked for in the bytes: decoded, it would be three letters.
    if (raw.starts_with("\xEF\xBB\xBF"))
        raw.remove_prefix(3);
    return Parse(DecodeWindows1252(raw));
}

IniFile IniFile::Parse(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    IniFile file;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        file.lines_.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        text.remove_prefix(next);
    }
    file.Index();
    return file;
}

void IniFile::Index() {
    sections_.clear();
    Section* current = nullptr;  // nullptr before the first section and inside repeated ones
    for (Line line = lines_.begin(); line != lines_.end(); ++line) {
        if (std::optional<std::string_view> name = SectionName(*line)) {
            auto [it, added] = sections_.try_emplace(LowerAsciiText(*name));
            current = added ? &it->second : nullptr;
            if (current)
                current->header = current->lastKey = line;
            continue;
        }
        if (!current)
            continue;
        if (std::optional<Entry> entry = EntryOf(*line)) {
            current->keys.try_emplace(LowerAsciiText(entry->key), line);
            current->lastKey = line;
        }
    }
}

const IniFile::Section* IniFile::FindSection(std::string_view section) const {
    auto it = sections_.find(LowerAsciiText(section));
    return it == sections_.end() ? nullptr : &it->second;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found)
        return std::nullopt;
    auto line = found->keys.find(LowerAsciiText(key));
    if (line == found->keys.end())
        return std::nullopt;
    return std::string(EntryOf(*line->second)->value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& def) const {
    return Value(section, key).value_or(def);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    std::optional<std::string> text = Value(section, key);
    if (!text)
        return def;
    return ParseIniInteger(*text).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionKey = LowerAsciiText(section);
    auto found = sections_.find(sectionKey);
    if (found == sections_.end()) {
        Section added;
        added.header = lines_.insert(lines_.end(), "[" + std::string(section) + "]");
        added.lastKey = lines_.insert(lines_.end(), ValueLine(key, value));
        added.keys.emplace(LowerAsciiText(key), added.lastKey);
        sections_.emplace(sectionKey, std::move(added));
        return;
    }
    Section& s = found->second;
    const std::string lowerKey = LowerAsciiText(key);
    if (auto line = s.keys.find(lowerKey); line != s.keys.end()) {
        *line->second = ValueLine(EntryOf(*line->second)->key, value);
        return;
    }
    s.lastKey = lines_.insert(std::next(s.lastKey), ValueLine(key, value));
    s.keys.emplace(lowerKey, s.lastKey);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void IniFile::Save(const std::string& path) const {
    std::string bytes;
    for (const std::string& line : lines_) {
        std::optional<std::string> encoded = EncodeWindows1252(line);
        if (!encoded) {
            // Only written values can hold such a character: lines read from the file were
            // decoded from it.
            const std::optional<Entry> entry = EntryOf(line);
            const std::string what = FirstCharacterOutsideWindows1252(line).value_or("");
            throw FileError("Unable to write to " + path + " (" +
                            std::string(entry ? entry->key : std::string_view(line)) + " holds " +
                            what + ", a character this 8-bit file cannot hold)");
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    WriteFileAtomically(path, bytes);
}

}  // namespace orvale
