#include "app/json_writer.h"

#include <cmath>
#include <cstdio>

namespace orvale {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
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
