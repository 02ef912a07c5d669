// A small streaming JSON writer for the headless tool's reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrine {

/// Writes compact JSON into a string. Commas are placed automatically; the caller
/// opens and closes objects and arrays in matching pairs.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    /// The key of the next value inside an object.
    JsonWriter& Key(std::string_view key);
    JsonWriter& Value(std::int64_t v);
    JsonWriter& Value(std::string_view v);
    JsonWriter& Value(const char* v) { return Value(std::string_view(v)); }
    JsonWriter& Bool(bool v);
    JsonWriter& Null();
    /// Key and value in one call.
    template <typename T>
    JsonWriter& Field(std::string_view key, const T& v) {
        Key(key);
        return Value(v);
    }

    const std::string& Text() const { return out_; }

private:
    void Separate();
    std::string out_;
    std::vector<bool> first_;  ///< per open container: no element written yet
    bool afterKey_ = false;
};

/// `text` as a quoted JSON string; bytes that are not printable ASCII are
/// escaped as \u00XX so any byte string stays valid JSON.
std::string JsonQuote(std::string_view text);

}  // namespace tavrine
