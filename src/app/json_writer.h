// A tiny writer for one-line JSON objects, enough for the command-line tool's output.
#pragma once

#include <cstdint>
#include <string>

namespace orvale {

class JsonObject {
public:
    JsonObject& Add(const std::string& key, const std::string& text);
    JsonObject& Add(const std::string& key, const char* text) {
        return Add(key, std::string(text));
    }
    // Single-precision values with 9 significant digits, which round-trip; not finite → null.
    JsonObject& Add(const std::string& key, float value);
    // Doubles (times of the graph window) are written like singles, with 9 significant digits.
    JsonObject& Add(const std::string& key, double value);
    JsonObject& Add(const std::string& key, int32_t value);
    JsonObject& Add(const std::string& key, bool value);
    JsonObject& AddRaw(const std::string& key, const std::string& json);
    std::string Text() const { return body_ + "}"; }

private:
    void Key(const std::string& key);
    std::string body_ = "{";
};

// A one-line JSON array, built element by element.
class JsonArray {
public:
    JsonArray& Add(const std::string& text);
    JsonArray& Add(float value);  // as in JsonObject: 9 significant digits, not finite → null
    JsonArray& Add(int32_t value);
    JsonArray& AddRaw(const std::string& json);
    std::string Text() const { return body_ + "]"; }

private:
    void Next();
    std::string body_ = "[";
};

// A JSON string literal; bytes that form no whole UTF-8 character become U+FFFD, so the text
// is always valid UTF-8.
std::string JsonString(const std::string& text);

// A number with 9 significant digits, or null when it is not finite.
std::string JsonNumber(double value);

}  // namespace orvale
