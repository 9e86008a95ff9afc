#include "files/ini_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/file_error.h"
#include "files/ascii_text.h"
#include "files/number_text.h"
#include "files/safe_file.h"

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

std::string SystemReason(int error) {
    return std::strerror(error);
}

}  // namespace

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
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return IniFile();
        throw FileError("Unable to read " + path + " (" + SystemReason(errno) + ")");
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            throw FileError("Unable to read " + path + " (" + SystemReason(error) + ")");
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return Parse(text);
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
    return file;
}

size_t IniFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::optional<std::string_view> name = SectionName(lines_[i]);
        if (name && EqualsIgnoringCase(*name, section))
            return i;
    }
    return kNone;
}

size_t IniFile::FindKey(size_t header, std::string_view key) const {
    for (size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
        std::optional<Entry> entry = EntryOf(lines_[i]);
        if (entry && EqualsIgnoringCase(entry->key, key))
            return i;
    }
    return kNone;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    size_t header = FindSection(section);
    if (header == kNone)
        return std::nullopt;
    size_t line = FindKey(header, key);
    if (line == kNone)
        return std::nullopt;
    return std::string(EntryOf(lines_[line])->value);
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
    size_t header = FindSection(section);
    if (header == kNone) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(ValueLine(key, value));
        return;
    }
    size_t line = FindKey(header, key);
    if (line != kNone) {
        lines_[line] = ValueLine(EntryOf(lines_[line])->key, value);
        return;
    }
    size_t insertAt = header + 1;
    for (size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
        if (EntryOf(lines_[i]))
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), ValueLine(key, value));
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
    WriteFileAtomically(path, Text());
}

}  // namespace orvale
