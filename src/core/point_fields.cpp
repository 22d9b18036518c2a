// The point's fields: defaults, the mark and name conversions, and the copies between the shown
// and stored forms, all driven by kPointFields.
#include "core/point_fields.h"

#include "core/cp932.h"
#include "core/limits.h"
#include "core/text_number.h"

namespace vondrel {

namespace {
const PointRecord& Blank() {
    static const PointRecord blank;
    return blank;
}

// A field's shown value, and the field stored from one: texts through the entry's conversions,
// the switch as it is.
std::string ShownValue(const PointTextField& field, const PointRecord& point) {
    const std::string& stored = point.*field.stored;
    return field.show ? field.show(stored) : stored;
}
int ShownValue(const PointSwitchField& field, const PointRecord& point) { return point.*field.stored; }
void StoreValue(const PointTextField& field, PointRecord& point, std::string_view shown) {
    point.*field.stored = field.store ? field.store(shown) : std::string(shown);
}
void StoreValue(const PointSwitchField& field, PointRecord& point, int shown) { point.*field.stored = shown; }

std::string AsText(const std::string& text) { return text; }
std::string AsText(int value) { return std::to_string(value); }

// Calls `visit` with the entry of field `id`.
template <class Visit>
void WithField(Field id, Visit&& visit) {
    ForEachField([&](const auto& entry) {
        if (entry.id == id) visit(entry);
    });
}
}  // namespace

void PointRecord::ClearFields() {
    ForEachField([&](const auto& entry) { this->*entry.stored = Blank().*entry.stored; });
}

std::string MarkDecimalToHex(std::string_view decimal) {
    static const char kHex[] = "0123456789ABCDEF";
    const std::uint32_t n = static_cast<std::uint32_t>(ParseLeadingInt(decimal));
    return std::string{kHex[(n >> 4) & 15], kHex[n & 15]};
}

std::string MarkHexToDecimal(std::string_view hex) {
    std::uint32_t value = 0;
    for (char c : hex) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const std::uint32_t digit = (c >= 'A' && c <= 'F') ? static_cast<std::uint32_t>(c - 'A' + 10)
                                                           : static_cast<std::uint32_t>(static_cast<unsigned char>(c) - '0');
        value = value * 16u + digit;
    }
    return FormatInt2(static_cast<std::int32_t>(value));
}

namespace {
bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }
}  // namespace

std::string ShowLon(std::string_view stored) { return IsBlank(stored) ? std::string() : StoredToLonDms(stored); }
std::string ShowLat(std::string_view stored) { return IsBlank(stored) ? std::string() : StoredToLatDms(stored); }
std::string StoreCoordinate(std::string_view shown) { return IsBlank(shown) ? std::string() : TypedToStored(shown); }

// A name cut short ends without blanks (half- or full-width), so that the name read back from a
// file written with it is the same name.
std::string ShortenName(std::string_view name) {
    std::string_view kept = cp932::TruncateAtCharBoundary(name, kNameLimit);
    if (kept.size() == name.size()) return std::string(name);
    while (true) {
        if (!kept.empty() && kept.back() == ' ') {
            kept.remove_suffix(1);
        } else if (kept.size() >= 2 && kept.substr(kept.size() - 2) == "\x81\x40" &&
                   cp932::TruncateAtCharBoundary(kept, kept.size() - 2).size() == kept.size() - 2) {
            kept.remove_suffix(2);
        } else {
            break;
        }
    }
    return std::string(kept);
}

const char* FieldKey(Field id) {
    const char* key = "";
    WithField(id, [&](const auto& entry) { key = entry.key; });
    return key;
}

std::string StoredForm(const PointRecord& point, Field id) {
    std::string text;
    WithField(id, [&](const auto& entry) { text = AsText(point.*entry.stored); });
    return text;
}

std::string ShownForm(const PointRecord& point, Field id) {
    std::string text;
    WithField(id, [&](const auto& entry) { text = AsText(ShownValue(entry, point)); });
    return text;
}

void StoreShown(PointRecord& point, Field id, std::string_view shown) {
    WithField(id, [&](const auto& entry) {
        if constexpr (kIsTextField<decltype(entry)>) {
            StoreValue(entry, point, shown);
        } else {
            StoreValue(entry, point, ParseLeadingInt(shown));
        }
    });
}

PointFields ShowFields(const PointRecord& point) {
    PointFields fields;
    ForEachField([&](const auto& entry) {
        if (entry.shown) fields.*entry.shown = ShownValue(entry, point);
    });
    return fields;
}

void StoreFields(PointRecord& point, const PointFields& fields) {
    ForEachField([&](const auto& entry) {
        if (entry.shown) StoreValue(entry, point, fields.*entry.shown);
    });
}

bool StoreChangedFields(PointRecord& point, const PointFields& fields) {
    bool changed = false;
    ForEachField([&](const auto& entry) {
        if (!entry.shown || fields.*entry.shown == ShownValue(entry, point)) return;
        StoreValue(entry, point, fields.*entry.shown);
        changed = true;
    });
    return changed;
}

}  // namespace vondrel
