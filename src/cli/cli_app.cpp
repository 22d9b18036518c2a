// vondrel-cli commands.
#include "cli/cli_app.h"

#include <optional>

#include "cli/cli_geocode.h"
#include "cli/cli_interchange.h"

#include "core/coordinate_text.h"
#include "core/cp932.h"
#include "core/point_table.h"
#include "core/text_fold.h"
#include "editing/point_input_checks.h"
#include "files/glorie_file.h"
#include "os/file_io.h"
#include "os/text_codec.h"

namespace vondrel::cli {

namespace {
int Usage(Output& output) {
    output.err += UsageText();
    return 2;
}

bool IsLonLat(const std::string& axis) { return axis == "lon" || axis == "lat"; }

// Every field in the table's order as stored, but the mark as shown (its stored form is a
// code, not the number a user knows); after the latitude, both coordinates as shown.
template <class Column>
void ForEachListColumn(Column&& column) {
    ForEachField([&](const auto& entry) {
        column(entry.key, entry.id, entry.id == Field::Mark);
        if (entry.id != Field::Lat) return;
        column("lon_dms", Field::Lon, true);
        column("lat_dms", Field::Lat, true);
    });
}

int List(const os::Path& path, Output& output) {
    ErrorSink sink(output.err);
    PointTable table;
    if (LoadGlorieFile(path, table, sink) != FileOutcome::Done) return 1;
    std::string& out = output.out;
    out += "index";
    ForEachListColumn([&](const char* key, Field, bool) { out += std::string("\t") + key; });
    out += '\n';
    const int used = table.UsedCount();
    for (int i = 0; i < used; ++i) {
        const PointRecord& row = table.Row(i);
        out += std::to_string(i);
        ForEachListColumn([&](const char*, Field field, bool shown) {
            out += '\t';
            out += EscapeListField(shown ? ShownForm(row, field) : StoredForm(row, field));
        });
        out += '\n';
    }
    return 0;
}

// A refused or unreadable input writes nothing; neither does a copy over the input itself that
// would lose what the read left out, unless forced.
int Copy(const os::Path& in, const os::Path& outPath, bool force, Output& output) {
    ErrorSink sink(output.err);
    PointTable table;
    LoadReport report;
    if (LoadGlorieFile(in, table, sink, &report) != FileOutcome::Done) return 1;
    const std::string unread = UnreadText(report);
    if (!force && !unread.empty() && os::SameFile(in, outPath)) {
        output.err += unread + "\nvondrel-cli: not written over the file read (--force writes it)\n";
        return 1;
    }
    return SaveGlorieFile(outPath, table, sink) == FileOutcome::Done ? 0 : 1;
}

// Unless `unchecked`, the texts are taken as the edit dialog takes them: full-width digits made
// half-width, and any text it refuses refused with its message before anything is printed.
int Coord(const std::string& axis, std::vector<std::string> texts, bool unchecked, Output& output) {
    const CoordinateAxis checkedAxis = axis == "lon" ? CoordinateAxis::Longitude : CoordinateAxis::Latitude;
    for (std::string& typed : texts) {
        if (unchecked) break;
        typed = text_fold::HalfWidthAscii(typed);
        if (const std::optional<std::string> message = TypedCoordinateMessage(typed, checkedAxis)) {
            output.err += typed + ": " + *message + "\n";
            return 1;
        }
    }
    for (const std::string& typed : texts) {
        const std::string stored = TypedToStored(typed);
        const std::string display = axis == "lon" ? StoredToLonDms(stored) : StoredToLatDms(stored);
        output.out += EscapeListField(stored) + '\t' + EscapeListField(display) + '\n';
    }
    return 0;
}

int Dms(const std::string& axis, const std::vector<std::string>& stored, Output& output) {
    for (const std::string& text : stored) {
        output.out += (axis == "lon" ? StoredToLonDms(text) : StoredToLatDms(text)) + '\n';
    }
    return 0;
}
}  // namespace

const char* UsageText() {
    return "usage: vondrel-cli list [--encoding=E] FILE\n"
           "       vondrel-cli copy [--force] [--encoding=E] IN OUT\n"
           "       vondrel-cli import [--datum=D] [--force] [--encoding=E] IN OUT.xml\n"
           "       vondrel-cli export [--datum=D] [--force] [--encoding=E] IN.xml OUT.gpx|OUT.kml|OUT.csv|OUT.geojson\n"
           "       vondrel-cli coord [--unchecked] [--encoding=E] lon|lat TEXT...\n"
           "       vondrel-cli dms [--encoding=E] lon|lat STORED...\n"
           "       vondrel-cli geocode [--datum=tokyo|wgs84] [--encoding=E] TEXT\n"
           "       vondrel-cli --help\n"
           "  list   print the points of a glorie file, one TAB-separated line each\n"
           "  copy   read IN and write it again as the editor saves it; over IN itself only when\n"
           "         IN was read whole (points past 700, long texts or lost characters), or --force\n"
           "  import read GPX, KML, KMZ, CSV, TSV, TXT, GeoJSON, JSON (or glorie XML) and write a glorie\n"
           "         file; points without a position are left out and named on stderr\n"
           "  export write a glorie file's points as GPX, KML, CSV or GeoJSON (by OUT's extension)\n"
           "         (import and export write over IN itself only with --force)\n"
           "  coord  store typed coordinates: STORED<TAB>DISPLAY per TEXT; a TEXT the edit dialog\n"
           "         refuses is refused with its message (exit 1) unless --unchecked\n"
           "  dms    display form of stored decimal degrees\n"
           "  geocode search an address or place (GSI): TITLE<TAB>LAT<TAB>LON per candidate, on the\n"
           "         Tokyo datum unless --datum=wgs84; exit 1 when nothing was found, 3 when the\n"
           "         service could not be reached or gave no list\n"
           "  D      wgs84 (default) or tokyo: the datum of the GPX, KML or CSV side\n"
           "  E      utf-8 (default) or cp932 (raw bytes in and out)\n";
}

bool TakeEncoding(std::vector<Argument>& args, Encoding& encoding, std::string& error) {
    static const std::string kPrefix = "--encoding=";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& text = args[i].text;
        if (text == "--") break;
        if (text.compare(0, kPrefix.size(), kPrefix) != 0) continue;
        const std::string value = text.substr(kPrefix.size());
        if (value == "cp932") {
            encoding = Encoding::Cp932;
        } else if (value == "utf-8" || value == "utf8") {
            encoding = Encoding::Utf8;
        } else {
            error = "vondrel-cli: unknown encoding '" + value + "' (use cp932 or utf-8)\n";
            return false;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i--));
    }
    return true;
}

int Run(const std::vector<Argument>& rawArgs, Output& output) {
    static const std::string kDatumPrefix = "--datum=";
    std::vector<Argument> args;
    std::optional<formats::Datum> datum;
    bool force = false;
    bool unchecked = false;
    bool optionsEnded = false;
    for (const Argument& arg : rawArgs) {
        const std::string& text = arg.text;
        if (!optionsEnded && text.compare(0, kDatumPrefix.size(), kDatumPrefix) == 0) {
            const std::string value = text.substr(kDatumPrefix.size());
            if (value != "wgs84" && value != "tokyo") {
                output.err += "vondrel-cli: unknown datum '" + value + "' (use wgs84 or tokyo)\n";
                return Usage(output);
            }
            datum = value == "tokyo" ? formats::Datum::Tokyo : formats::Datum::Wgs84;
        } else if (!optionsEnded && (text == "--force" || text == "--unchecked")) {
            (text == "--force" ? force : unchecked) = true;
        } else if (!optionsEnded && text == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (text == "--help" || text == "-h")) {
            output.out += UsageText();
            return 0;
        } else if (!optionsEnded && text.size() > 2 && text.compare(0, 2, "--") == 0) {
            output.err += "vondrel-cli: unknown option '" + text + "'\n";
            return Usage(output);
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty()) return Usage(output);
    const std::string& command = args[0].text;
    if ((command == "import" || command == "export") && args.size() == 3) {
        const formats::Datum side = datum.value_or(formats::Datum::Wgs84);
        return command == "import" ? Import(args[1].path, args[2].path, side, force, output)
                                   : Export(args[1].path, args[2].path, side, force, output);
    }
    if (command == "geocode" && args.size() == 2 && !force && !unchecked) {
        if (!args[1].textExact) {
            output.err += "vondrel-cli: argument has no code page 932 form: " + args[1].text + "\n";
            return 2;
        }
        return Geocode(args[1].text, datum == formats::Datum::Wgs84, output);
    }
    if (datum) {
        output.err += "vondrel-cli: --datum is an option of import, export and geocode\n";
        return Usage(output);
    }
    if ((force && command != "copy") || (unchecked && command != "coord")) {
        output.err += std::string("vondrel-cli: ") + (force ? "--force is an option of copy, import and export\n" : "--unchecked is an option of coord\n");
        return Usage(output);
    }
    if (command == "list" && args.size() == 2) return List(args[1].path, output);
    if (command == "copy" && args.size() == 3) return Copy(args[1].path, args[2].path, force, output);
    if ((command == "coord" || command == "dms") && args.size() >= 3 && IsLonLat(args[1].text)) {
        std::vector<std::string> texts;
        for (auto arg = args.begin() + 2; arg != args.end(); ++arg) {
            if (!arg->textExact) {
                output.err += "vondrel-cli: argument has no code page 932 form: " + arg->text + "\n";
                return 2;
            }
            texts.push_back(arg->text);
        }
        return command == "coord" ? Coord(args[1].text, texts, unchecked, output) : Dms(args[1].text, texts, output);
    }
    return Usage(output);
}

namespace {
constexpr char kUtf8Start = '\x0E';
constexpr char kUtf8End = '\x0F';
}  // namespace

void AppendUtf8(std::string& cp932, const std::string& utf8) {
    bool replaced = false;
    const std::string converted = os::Utf8ToCp932Text(utf8, replaced);
    cp932 += replaced ? kUtf8Start + utf8 + kUtf8End : converted;
}

std::string Encoded(const std::string& cp932, Encoding encoding) {
    std::string out;
    for (std::size_t pos = 0; pos < cp932.size();) {
        const std::size_t start = cp932.find(kUtf8Start, pos);
        const std::size_t end = start == std::string::npos ? std::string::npos : cp932.find(kUtf8End, start);
        const std::string plain = cp932.substr(pos, end == std::string::npos ? std::string::npos : start - pos);
        if (encoding == Encoding::Cp932) {
            out += plain;
        } else {
            std::string utf8;
            os::Cp932ToUtf8(plain, utf8);
            out += utf8;
        }
        if (end == std::string::npos) break;
        const std::string utf8 = cp932.substr(start + 1, end - start - 1);
        bool replaced = false;
        out += encoding == Encoding::Utf8 ? utf8 : os::Utf8ToCp932Text(utf8, replaced);
        pos = end + 1;
    }
    return out;
}

std::string EscapeListField(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\\') {
            out += "\\\\";
        } else if (cp932::IsLeadByte(byte) && i + 1 < text.size() && cp932::IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            out.append(text, i, 2);  // a double-byte character, even when its second byte is 0x5C
            ++i;
        } else {
            out.push_back(static_cast<char>(byte));
        }
    }
    return out;
}

}  // namespace vondrel::cli
