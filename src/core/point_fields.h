// A point's fields, each named once in kPointFields: the member of PointRecord that stores it, the
// member of PointFields that shows it, and the conversions between the two forms. Copies, edits,
// listings and the file formats go through this table, so a new field is added here and in the
// formats that carry it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "core/coordinate_text.h"

namespace vondrel {

// The fields, in the table's order.
enum class Field { Name, Reading, Lon, Lat, Mark, Sound, Dcenter, DirectionOn, Tel, Outmost };
constexpr std::size_t kFieldCount = 10;

// One slot of the point table, the fields in their stored forms. Texts are code page 932 bytes.
// The initializers are the stored defaults: a new point's, and a read point's whose file lacks
// the element.
struct PointRecord {
    std::int16_t slot = -1;      // -1: empty slot; any other value: the slot holds a point
    std::string name;            // glorie nb
    std::string reading;         // glorie rt
    std::string lon;             // decimal degrees east, Tokyo datum
    std::string lat;             // decimal degrees north, Tokyo datum
    std::string mark = "00";     // two uppercase hexadecimal digits
    std::string tel;
    std::string sound = "0";     // glorie optional-media id
    std::string outmost = "500"; // kept as read and written back, never shown
    std::string dcenter;         // direction centre in whole degrees
    std::int32_t directionOn = 0;

    // Every field back to its default; `slot` is left to the caller.
    void ClearFields();
};

// The mark of a new point (shown form): mark 1, as the edit dialog's Add gives.
constexpr char kNewPointMark[] = "01";

// The fields of one point as the lists and the edit dialog show them and the dialog returns them
// (code page 932; coordinates in display form, the mark as a decimal number).
struct PointFields {
    std::string name;
    std::string reading;
    std::string lon;      // display form, "139.45.30.123"
    std::string lat;      // display form, " 35.41.05.007"
    std::string tel;
    std::string mark = kNewPointMark;  // decimal, "07"; "00" for a point without a mark
    std::string sound;    // decimal
    std::string dcenter;  // degrees
    int directionOn = 0;
};

// Mark texts: decimal text to the stored two hexadecimal digits, and the stored text back to "%02d".
std::string MarkDecimalToHex(std::string_view decimal);
std::string MarkHexToDecimal(std::string_view hex);

// The name as it is stored from the shown form: at most 16 bytes, never ending inside a
// double-byte character, and when cut, without trailing blanks.
std::string ShortenName(std::string_view name);

// A coordinate's shown form, and the stored one from a shown form; empty stays empty: a point
// without a position (one known by name or address only) shows none and gets none.
std::string ShowLon(std::string_view stored);
std::string ShowLat(std::string_view stored);
std::string StoreCoordinate(std::string_view shown);

// A field held as text.
struct PointTextField {
    Field id;
    const char* key;                               // its name in listings
    std::string PointRecord::*stored;
    std::string PointFields::*shown;               // nullptr: never shown
    std::string (*show)(std::string_view stored);  // nullptr: shown as stored
    std::string (*store)(std::string_view shown);  // nullptr: stored as shown
};

// A field held as a number, shown and stored alike.
struct PointSwitchField {
    Field id;
    const char* key;
    std::int32_t PointRecord::*stored;
    int PointFields::*shown;
};

inline constexpr auto kPointFields = std::make_tuple(
    PointTextField{Field::Name, "name", &PointRecord::name, &PointFields::name, nullptr, &ShortenName},
    PointTextField{Field::Reading, "reading", &PointRecord::reading, &PointFields::reading, nullptr, nullptr},
    PointTextField{Field::Lon, "lon", &PointRecord::lon, &PointFields::lon, &ShowLon, &StoreCoordinate},
    PointTextField{Field::Lat, "lat", &PointRecord::lat, &PointFields::lat, &ShowLat, &StoreCoordinate},
    PointTextField{Field::Mark, "mark", &PointRecord::mark, &PointFields::mark, &MarkHexToDecimal, &MarkDecimalToHex},
    PointTextField{Field::Sound, "sound", &PointRecord::sound, &PointFields::sound, nullptr, nullptr},
    PointTextField{Field::Dcenter, "dcenter", &PointRecord::dcenter, &PointFields::dcenter, nullptr, nullptr},
    PointSwitchField{Field::DirectionOn, "direction", &PointRecord::directionOn, &PointFields::directionOn},
    PointTextField{Field::Tel, "tel", &PointRecord::tel, &PointFields::tel, nullptr, nullptr},
    PointTextField{Field::Outmost, "outmost", &PointRecord::outmost, nullptr, nullptr, nullptr});
static_assert(std::tuple_size_v<decltype(kPointFields)> == kFieldCount, "one entry for every field");

template <class Entry>
constexpr bool kIsTextField = std::is_same_v<std::decay_t<Entry>, PointTextField>;

// Calls `visit` with every entry of the table, in its order.
template <class Visit>
constexpr void ForEachField(Visit&& visit) {
    std::apply([&](const auto&... entry) { (visit(entry), ...); }, kPointFields);
}

// The member that stores a text field (for the file formats, which name fields by id).
constexpr std::string PointRecord::*StoredMember(Field id) {
    std::string PointRecord::*member = nullptr;
    ForEachField([&](const auto& entry) {
        if constexpr (kIsTextField<decltype(entry)>) {
            if (entry.id == id) member = entry.stored;
        }
    });
    return member;
}

// A field's name in listings.
const char* FieldKey(Field id);

// A field's text as stored (the switch as a number) and as shown (a field that is never shown
// as stored).
std::string StoredForm(const PointRecord& point, Field id);
std::string ShownForm(const PointRecord& point, Field id);
// Stores a field from its shown form.
void StoreShown(PointRecord& point, Field id, std::string_view shown);

// Every shown field of a point in its shown form, and every one stored from it, as if typed.
PointFields ShowFields(const PointRecord& point);
void StoreFields(PointRecord& point, const PointFields& fields);
// Stores only the fields whose shown form differs from the point's (so a coordinate left as
// shown keeps its stored decimal text); whether any did.
bool StoreChangedFields(PointRecord& point, const PointFields& fields);

}  // namespace vondrel
