// One description of a record's fields, read by every writer that names them: a
// replay's header stores the fields marked Replayed, `tavrine-sim run --json`
// reports those marked Reported, in the description's order. Each record's
// description lists every field once, kept or not, so that a field added to the
// record without a word on whether it is kept fails a test (FieldCount).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "data/json_writer.h"

namespace tavrine {

enum FieldUse : std::uint8_t {
    NotKept = 0,
    Replayed = 1,  ///< carried by a replay's header into the battle it plays back
    Reported = 2,  ///< reported under "Runtime" by `--json`
};

template <typename Record>
struct FieldDescription {
    const char* Name;
    std::uint8_t Uses;
    /// The value of a whole-number field; nothing for another kind of field.
    std::optional<std::int64_t> (*Number)(const Record&);
    void (*SetNumber)(Record&, std::int64_t);
    /// Writes the field as `--json` reports it (numbers and lists of texts).
    void (*Report)(JsonWriter&, const char* name, const Record&);
    /// Where the field lies in the record: the fields' offsets are all different.
    std::size_t (*Offset)();
};

namespace field_detail {

template <typename M>
struct MemberOf;
template <typename R, typename T>
struct MemberOf<T R::*> {
    using Record = R;
    using Type = T;
};

template <auto Member>
using RecordOf = typename MemberOf<decltype(Member)>::Record;
template <auto Member>
using TypeOf = typename MemberOf<decltype(Member)>::Type;

/// Converts to anything: counts an aggregate's fields.
struct AnyField {
    template <typename T>
    operator T() const;
};

template <typename Record, typename... Fields>
constexpr std::size_t CountFields() {
    if constexpr (requires { Record{Fields{}..., AnyField{}}; }) return CountFields<Record, Fields..., AnyField>();
    else return sizeof...(Fields);
}

}  // namespace field_detail

/// The number of fields of the aggregate `Record`.
template <typename Record>
constexpr std::size_t FieldCount() {
    return field_detail::CountFields<Record>();
}

/// The description of the field `Member`.
template <auto Member>
constexpr FieldDescription<field_detail::RecordOf<Member>> Field(const char* name, std::uint8_t uses) {
    using Record = field_detail::RecordOf<Member>;
    using T = field_detail::TypeOf<Member>;
    FieldDescription<Record> d{name, uses, nullptr, nullptr, nullptr, nullptr};
    d.Offset = [] {
        static const Record probe{};
        return static_cast<std::size_t>(reinterpret_cast<const char*>(&(probe.*Member)) -
                                        reinterpret_cast<const char*>(&probe));
    };
    if constexpr (std::is_integral_v<T>) {
        d.Number = [](const Record& r) -> std::optional<std::int64_t> { return static_cast<std::int64_t>(r.*Member); };
        d.SetNumber = [](Record& r, std::int64_t v) { r.*Member = static_cast<T>(v); };
        d.Report = [](JsonWriter& w, const char* key, const Record& r) { w.Field(key, static_cast<std::int64_t>(r.*Member)); };
    } else {
        d.Number = [](const Record&) -> std::optional<std::int64_t> { return std::nullopt; };
        if constexpr (std::is_same_v<T, std::vector<std::string>>)
            d.Report = [](JsonWriter& w, const char* key, const Record& r) {
                w.Key(key).BeginArray();
                for (const std::string& s : r.*Member) w.Value(s);
                w.EndArray();
            };
    }
    return d;
}

/// The whole-number field called `name` that has one of `uses`, or nullptr.
template <typename Record>
const FieldDescription<Record>* FindNumberField(std::span<const FieldDescription<Record>> fields, std::string_view name,
                                                std::uint8_t uses) {
    for (const auto& f : fields)
        if ((f.Uses & uses) && f.SetNumber && name == f.Name) return &f;
    return nullptr;
}

}  // namespace tavrine
