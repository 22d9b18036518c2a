// Zip archives made in memory for tests, including ones whose headers lie about their sizes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vondrel::test {

struct ZipEntry {
    ZipEntry(std::string name, std::string data, bool deflate = true, std::optional<std::uint32_t> declaredSize = {},
             std::optional<std::uint32_t> declaredCrc = {}, std::uint16_t flags = 0)
        : name(std::move(name)), data(std::move(data)), deflate(deflate), declaredSize(declaredSize),
          declaredCrc(declaredCrc), flags(flags) {}
    std::string name;
    std::string data;
    bool deflate;
    std::optional<std::uint32_t> declaredSize;  // the uncompressed size the headers state
    std::optional<std::uint32_t> declaredCrc;   // the CRC-32 the headers state
    std::uint16_t flags;                        // general-purpose bits (1: encrypted)
};

std::string MakeZip(const std::vector<ZipEntry>& entries);

}  // namespace vondrel::test
