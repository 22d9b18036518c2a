// Sorting, finding and duplicate points.
#include "editing/point_order.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>

#include "core/coordinate_text.h"
#include "core/cp932.h"
#include "core/datum.h"
#include "core/text_fold.h"
#include "core/text_number.h"
#include "formats/point_rows.h"

namespace vondrel {

namespace {

constexpr double kMillisecondsPerDegree = 3600000.0;
// No degree of latitude is shorter than this many metres (110574 m at the equator), so points
// further apart in latitude than the distance asked about need no closer look.
constexpr double kShortestDegreeMetres = 110000.0;

std::vector<int> Rows(const PointTable& points) {
    std::vector<int> rows(static_cast<std::size_t>(points.GetCount()));
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
    return rows;
}

template <class Key>
std::vector<int> StableOrder(const std::vector<Key>& keys, bool descending) {
    std::vector<int> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const Key& ka = keys[static_cast<std::size_t>(a)];
        const Key& kb = keys[static_cast<std::size_t>(b)];
        return descending ? kb < ka : ka < kb;
    });
    return order;
}

const std::string& TextOf(const PointRecord& point, SortColumn column) {
    switch (column) {
        case SortColumn::Name: return point.name;
        case SortColumn::Reading: return point.reading;
        default: return point.tel;
    }
}

}  // namespace

std::vector<int> SortedOrder(const PointTable& points, SortColumn column, bool descending) {
    const int count = points.GetCount();
    if (column == SortColumn::Mark || column == SortColumn::Lon || column == SortColumn::Lat) {
        std::vector<std::int64_t> keys;
        for (int i = 0; i < count; ++i) {
            const PointRecord& p = points.Row(i);
            if (column == SortColumn::Mark) {
                keys.push_back(ParseLeadingInt(MarkHexToDecimal(p.mark)));
            } else if (formats::HasNoPosition(p)) {
                keys.push_back(std::numeric_limits<std::int64_t>::max());  // after every position
            } else {
                keys.push_back(StoredToMilliseconds(column == SortColumn::Lon ? p.lon : p.lat));
            }
        }
        return StableOrder(keys, descending);
    }
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i) keys.push_back(text_fold::MatchKey(TextOf(points.Row(i), column)));
    return StableOrder(keys, descending);
}

int FindNext(const PointTable& points, std::string_view text, int after) {
    const std::string key = text_fold::MatchKey(text);
    const int count = points.GetCount();
    if (key.empty() || count == 0) return -1;
    if (after < -1 || after >= count) after = -1;
    for (int step = 1; step <= count; ++step) {
        const int row = (after + step) % count;
        const PointRecord& p = points.Row(row);
        for (const std::string* field : {&p.name, &p.reading, &p.tel}) {
            if (cp932::Find(text_fold::MatchKey(*field), key) != std::string::npos) return row;
        }
    }
    return -1;
}

int FindNamePrefix(const PointTable& points, std::string_view prefix, int start) {
    const std::string key = text_fold::MatchKey(prefix);
    const int count = points.GetCount();
    if (key.empty() || count == 0) return -1;
    if (start < 0 || start >= count) start = 0;
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        if (text_fold::MatchKey(points.Row(row).name).compare(0, key.size(), key) == 0) return row;
    }
    return -1;
}

std::vector<int> DuplicatePoints(const PointTable& points, double metres) {
    const int count = points.GetCount();
    std::vector<bool> duplicate(static_cast<std::size_t>(count), false);

    std::unordered_map<std::string, int> firstWithName;
    for (int i = 0; i < count; ++i) {
        const std::string key = text_fold::MatchKey(points.Row(i).name);
        if (key.empty()) continue;
        const auto [found, inserted] = firstWithName.emplace(key, i);
        if (!inserted) duplicate[static_cast<std::size_t>(i)] = duplicate[static_cast<std::size_t>(found->second)] = true;
    }

    // Sweep in latitude order: only points within the distance in latitude are measured.
    std::vector<LatLon> at;
    for (int i = 0; i < count; ++i) {
        at.push_back({StoredToMilliseconds(points.Row(i).lat) / kMillisecondsPerDegree,
                      StoredToMilliseconds(points.Row(i).lon) / kMillisecondsPerDegree});
    }
    std::vector<int> byLatitude;
    for (int i : Rows(points)) {
        if (!formats::HasNoPosition(points.Row(i))) byLatitude.push_back(i);  // no position is near none
    }
    std::sort(byLatitude.begin(), byLatitude.end(),
              [&](int a, int b) { return at[static_cast<std::size_t>(a)].lat < at[static_cast<std::size_t>(b)].lat; });
    const double window = metres / kShortestDegreeMetres;
    for (std::size_t i = 0; i < byLatitude.size(); ++i) {
        const LatLon& a = at[static_cast<std::size_t>(byLatitude[i])];
        for (std::size_t j = i + 1; j < byLatitude.size(); ++j) {
            const LatLon& b = at[static_cast<std::size_t>(byLatitude[j])];
            if (b.lat - a.lat > window) break;
            if (TokyoDistanceMeters(a, b) < metres) {
                duplicate[static_cast<std::size_t>(byLatitude[i])] = duplicate[static_cast<std::size_t>(byLatitude[j])] = true;
            }
        }
    }

    std::vector<int> rows;
    for (int i = 0; i < count; ++i) {
        if (duplicate[static_cast<std::size_t>(i)]) rows.push_back(i);
    }
    return rows;
}

}  // namespace vondrel
