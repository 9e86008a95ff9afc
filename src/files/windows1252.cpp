#include "files/windows1252.h"

#include <array>

namespace orvale {

namespace {

// Bytes 0x80..0x9F; the other bytes are the characters of the same number. The undefined ones
// keep their own number (C1 control characters).
constexpr std::array<char32_t, 32> kHigh{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
}};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character at pos and its length in bytes; length 0 when the bytes there are no
// well-formed UTF-8 character.
struct Decoded {
    char32_t c = 0;
    size_t length = 0;
};

Decoded NextCharacter(std::string_view text, size_t pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1};
    size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return {};
    }
    if (pos + length > text.size())
        return {};
    for (size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return {};
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {};
    return {c, length};
}

// The byte of a character, or -1 when the set has none.
int ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        AppendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char32_t{byte});
    }
    return text;
}

std::optional<std::string> EncodeWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const Decoded d = NextCharacter(text, pos);
        const int byte = d.length ? ByteOf(d.c) : -1;
        if (byte < 0)
            return std::nullopt;
        bytes += static_cast<char>(byte);
        pos += d.length;
    }
    return bytes;
}

std::optional<std::string> FirstCharacterOutsideWindows1252(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const Decoded d = NextCharacter(text, pos);
        if (d.length == 0) {
            static const char kDigits[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(text[pos]);
            return std::string("byte 0x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
        }
        if (ByteOf(d.c) < 0)
            return "\"" + std::string(text.substr(pos, d.length)) + "\"";
        pos += d.length;
    }
    return std::nullopt;
}

}  // namespace orvale
