#include "app/json_writer.h"

#include <cmath>
#include <cstdio>

namespace orvale {

namespace {

// The length of the well-formed UTF-8 character at text[at], or 0 when the bytes there are not
// one (a cut character, an 8-bit byte of a parameter file, an overlong or surrogate form).
size_t Utf8Length(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char c = byte(at);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c >= 0x80) {
            // Every line written is valid UTF-8: a byte that starts no whole character is
            // shown as the replacement character.
            const size_t length = Utf8Length(text, at);
            if (length == 0) {
                out += "\xEF\xBF\xBD";  // U+FFFD
                continue;
            }
            out.append(text, at, length);
            at += length - 1;
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

void JsonObject::Key(const std::string& key) {
    if (body_.size() > 1)
        body_ += ",";
    body_ += JsonString(key) + ":";
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& text) {
    Key(key);
    body_ += JsonString(text);
    return *this;
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    return buf;
}

JsonObject& JsonObject::Add(const std::string& key, float value) {
    Key(key);
    body_ += JsonNumber(value);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, double value) {
    Key(key);
    body_ += JsonNumber(value);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, int32_t value) {
    Key(key);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, bool value) {
    Key(key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::AddRaw(const std::string& key, const std::string& json) {
    Key(key);
    body_ += json;
    return *this;
}

void JsonArray::Next() {
    if (body_.size() > 1)
        body_ += ",";
}

JsonArray& JsonArray::Add(const std::string& text) {
    Next();
    body_ += JsonString(text);
    return *this;
}

JsonArray& JsonArray::Add(float value) {
    Next();
    body_ += JsonNumber(value);
    return *this;
}

JsonArray& JsonArray::Add(int32_t value) {
    Next();
    body_ += std::to_string(value);
    return *this;
}

JsonArray& JsonArray::AddRaw(const std::string& json) {
    Next();
    body_ += json;
    return *this;
}

}  // namespace orvale
