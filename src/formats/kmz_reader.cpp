// KMZ: a zip archive holding the KML as doc.kml (else as its first .kml entry), read from
// memory with minizip. The inflated KML is bounded: an entry that declares more than the
// limit is refused before inflating, and inflating stops at the limit whatever was declared.
#include <unzip.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "formats/point_reading.h"

namespace vondrel::formats {

namespace {

// The archive's bytes as a file for minizip.
struct MemoryFile {
    std::string_view bytes;
    ZPOS64_T position = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int mode) {
    return (mode & ZLIB_FILEFUNC_MODE_WRITE) ? nullptr : opaque;
}

uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* file = static_cast<MemoryFile*>(stream);
    const ZPOS64_T left = file->bytes.size() - file->position;
    const uLong count = static_cast<uLong>(std::min<ZPOS64_T>(size, left));
    std::memcpy(buffer, file->bytes.data() + file->position, count);
    file->position += count;
    return count;
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) { return static_cast<MemoryFile*>(stream)->position; }

long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* file = static_cast<MemoryFile*>(stream);
    ZPOS64_T base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = file->position;
    if (origin == ZLIB_FILEFUNC_SEEK_END) base = file->bytes.size();
    if (offset > file->bytes.size() - base) return -1;
    file->position = base + offset;
    return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf) { return 0; }
int ZCALLBACK ErrorMemory(voidpf, voidpf) { return 0; }

// The open archive, closed with its owner.
class Archive {
public:
    explicit Archive(std::string_view bytes) : file{bytes} {
        zlib_filefunc64_def functions{OpenMemory, ReadMemory, WriteMemory, TellMemory, SeekMemory, CloseMemory, ErrorMemory, &file};
        handle = unzOpen2_64("kmz", &functions);
    }
    ~Archive() {
        if (handle) unzClose(handle);
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    unzFile Get() const { return handle; }

private:
    MemoryFile file;
    unzFile handle = nullptr;
};

bool EndsWithKml(std::string_view name) {
    if (name.size() < 4) return false;
    std::string end(name.substr(name.size() - 4));
    for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return end == ".kml";
}

bool IsDocKml(std::string_view name) { return name.size() == 7 && EndsWithKml(name) && (name[0] | 32) == 'd' && (name[1] | 32) == 'o' && (name[2] | 32) == 'c'; }

// Moves to doc.kml, else to the first .kml entry; false when there is none. Names are read
// whole, however long (a zip entry name has at most 65535 bytes).
bool FindKml(unzFile zip) {
    bool found = false;
    unz64_file_pos first{};
    std::string name;
    unz_file_info64 info;
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
        name.assign(info.size_filename, '\0');
        if (unzGetCurrentFileInfo64(zip, &info, name.data(), static_cast<uLong>(name.size()), nullptr, 0, nullptr, 0) != UNZ_OK) {
            return false;
        }
        if (IsDocKml(name)) return true;
        if (!found && EndsWithKml(name)) {
            found = true;
            unzGetFilePos64(zip, &first);
        }
    }
    return found && unzGoToFilePos64(zip, &first) == UNZ_OK;
}

const char* const kBroken = "KMZ ファイルとして読めません (zip アーカイブの誤り)";

}  // namespace

ReadResult ReadKmz(std::string_view bytes, const ReadOptions& options) {
    Archive archive(bytes);
    unzFile zip = archive.Get();
    if (!zip) return Refusal(kBroken);
    if (!FindKml(zip)) return Refusal("KMZ の中に KML ファイルがありません");
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return Refusal(kBroken);
    const std::string tooLarge = "KMZ の KML が大きすぎます (展開すると " + std::to_string(options.maxInflatedKml / (1024 * 1024)) + " MiB を超えます)";
    if (info.uncompressed_size > options.maxInflatedKml) return Refusal(tooLarge);
    if (info.flag & 1) return Refusal("暗号化された KMZ は読めません");
    if (unzOpenCurrentFile(zip) != UNZ_OK) return Refusal(kBroken);
    std::string kml;
    kml.reserve(static_cast<std::size_t>(info.uncompressed_size));
    char buffer[65536];
    int read = 0;
    while ((read = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0) {
        if (kml.size() + static_cast<std::size_t>(read) > options.maxInflatedKml) {
            unzCloseCurrentFile(zip);
            return Refusal(tooLarge);
        }
        kml.append(buffer, static_cast<std::size_t>(read));
    }
    if (unzCloseCurrentFile(zip) != UNZ_OK || read < 0) return Refusal(kBroken);
    return ReadKml(kml, options);
}

}  // namespace vondrel::formats
