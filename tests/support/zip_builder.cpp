// Zip archives with local headers, a central directory and its end record (no zip64).
#include "support/zip_builder.h"

#include <zlib.h>

namespace vondrel::test {

namespace {

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string Deflate(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// The fields that the local header and the central directory share, from "version needed".
void PutCommon(std::string& out, const ZipEntry& entry, std::uint32_t crc, std::size_t compressed) {
    Put16(out, 20);
    Put16(out, entry.flags);
    Put16(out, entry.deflate ? 8 : 0);
    Put32(out, 0x00210000);  // 1980-01-01 00:00
    Put32(out, entry.declaredCrc.value_or(crc));
    Put32(out, static_cast<std::uint32_t>(compressed));
    Put32(out, entry.declaredSize.value_or(static_cast<std::uint32_t>(entry.data.size())));
    Put16(out, static_cast<std::uint32_t>(entry.name.size()));
    Put16(out, 0);
}

}  // namespace

std::string MakeZip(const std::vector<ZipEntry>& entries) {
    std::string zip;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        const std::string stored = entry.deflate ? Deflate(entry.data) : entry.data;
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
        Put32(directory, 0x02014b50);
        Put16(directory, 20);
        PutCommon(directory, entry, crc, stored.size());
        Put16(directory, 0);  // comment
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, static_cast<std::uint32_t>(zip.size()));
        directory += entry.name;

        Put32(zip, 0x04034b50);
        PutCommon(zip, entry, crc, stored.size());
        zip += entry.name;
        zip += stored;
    }
    const auto offset = static_cast<std::uint32_t>(zip.size());
    zip += directory;
    Put32(zip, 0x06054b50);
    Put16(zip, 0);
    Put16(zip, 0);
    Put16(zip, static_cast<std::uint32_t>(entries.size()));
    Put16(zip, static_cast<std::uint32_t>(entries.size()));
    Put32(zip, static_cast<std::uint32_t>(directory.size()));
    Put32(zip, offset);
    Put16(zip, 0);
    return zip;
}

}  // namespace vondrel::test
