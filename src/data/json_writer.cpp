#include "data/json_writer.h"

#include <cstdio>

namespace tavrine {

void JsonWriter::Separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    Separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    out_ += JsonQuote(key);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::Value(std::int64_t v) {
    Separate();
    out_ += std::to_string(v);
    return *this;
}

JsonWriter& JsonWriter::Value(std::string_view v) {
    Separate();
    out_ += JsonQuote(v);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool v) {
    Separate();
    out_ += v ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    Separate();
    out_ += "null";
    return *this;
}

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04X", c);
                    out += buffer;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

}  // namespace tavrine
