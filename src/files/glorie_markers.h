// The element markers of glorie files, which the scanner looks for (it is not an XML parser),
// and tables to rule most of them out from the two bytes after a '<'.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vondrel::glorie {

enum Marker {
    kGpoiStart,
    kGpoiEnd,
    kName,
    kReading,
    kLat,
    kLon,
    kOutmost,
    kDcenter,
    kCategory,
    kMedia,
    kContact,
    kMarkerCount,
    kNoMarker = kMarkerCount
};

// Searched in this order; only the first found in an element acts.
constexpr std::array<std::string_view, kMarkerCount> kMarkers = {
    "<gpoi",
    "</gpoi>",
    "<nb>",
    "<rt>",
    "<lat>",
    "<lon>",
    "<outmost>",
    "<dcenter>",
    "<category vendor=\"Kenwood.HDD-NAVI\">",
    "<optional-media format=\"MSNAVI\"",
    "<contact href=",
};

using MarkerSet = std::uint16_t;  // bit m for marker m
static_assert(kMarkerCount <= 16, "a marker set holds one bit per marker");
constexpr MarkerSet kAllMarkers = (1u << kMarkerCount) - 1u;

// Markers start with '<' and hold no other, so each one stands at a '<' of the element and ends
// before the next.
constexpr bool MarkersAreTags() {
    for (std::string_view marker : kMarkers) {
        if (marker.size() < 3 || marker[0] != '<' || marker.find('<', 1) != std::string_view::npos) return false;
    }
    return true;
}
static_assert(MarkersAreTags(), "markers are looked for at the '<' of an element, and told apart by their next bytes");

// For each byte, the markers that have it at `index`.
constexpr std::array<MarkerSet, 256> MarkersWithByte(std::size_t index) {
    std::array<MarkerSet, 256> markers{};
    for (std::size_t m = 0; m < kMarkers.size(); ++m) {
        markers[static_cast<unsigned char>(kMarkers[m][index])] |= static_cast<MarkerSet>(1u << m);
    }
    return markers;
}
constexpr std::array<MarkerSet, 256> kBySecondByte = MarkersWithByte(1);
constexpr std::array<MarkerSet, 256> kByThirdByte = MarkersWithByte(2);

}  // namespace vondrel::glorie
