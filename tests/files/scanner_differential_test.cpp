// The scanner against the reference scanner it replaced: the sample files, the fuzzing seeds and
// thousands of their mutants (markup, line breaks, blanks, entities and lead bytes put in, cut
// out and swapped) must read into the same points and save to the same bytes, whole and in pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/point_table.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"
#include "files/reference_scanner.h"

namespace vondrel {
namespace {

std::vector<std::string> Corpus() {
    std::vector<std::string> files;
    for (const char* folder : {"/samples", "/tests/fuzz/corpus"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::string(VONDREL_SOURCE_DIR) + folder)) {
            if (entry.path().extension() != ".xml") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files.push_back(bytes.str());
        }
    }
    return files;
}

// Small edits where the scanner's rules meet: a piece of markup, a line break, a blank, an
// entity or a lead byte put in, a few bytes cut out or copied elsewhere, a byte changed.
std::string Mutant(const std::string& file, std::mt19937& random) {
    static const char* const kPieces[] = {"<", ">", "</", "/>", "\r\n", "\n", "\r", " ", "\t", "&", "&amp;", "&lt;", "\"",
                                          "/", "\x82", "\x95\x5C", "\x82<", "<gpoi>", "</gpoi>", "<gpoi", "<nb>", "</nb>",
                                          "<rt>", "<lat>", "<lon>", "<outmost>", "<dcenter>", "</x>", "<!--", "-->",
                                          "<category vendor=\"Kenwood.HDD-NAVI\">", "<optional-media format=\"MSNAVI\" id=\"",
                                          "<contact href=\"tel:", "id=", "tel:", "\" "};
    auto below = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    // A window of a large file, so that the edits stay dense.
    std::string bytes = file;
    if (bytes.size() > 6000) bytes = bytes.substr(below(bytes.size() - 4000), 1000 + below(3000));
    for (std::size_t edits = 1 + below(6); edits > 0; --edits) {
        const std::size_t at = below(bytes.size() + 1);
        switch (below(4)) {
            case 0: bytes.insert(at, kPieces[below(std::size(kPieces))]); break;
            case 1: bytes.erase(at, 1 + below(12)); break;
            case 2: bytes.insert(at, bytes.substr(below(bytes.size() + 1), below(40))); break;
            default:
                if (at < bytes.size()) bytes[at] = static_cast<char>(below(256));
                break;
        }
    }
    return bytes;
}

struct Read {
    PointTable table;
    int completed = 0;
    int dropped = 0;
};

template <typename Scanner>
void ScanInPieces(Read& read, const std::string& bytes, const std::vector<std::size_t>& cuts) {
    Scanner scanner(read.table);
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        const std::string piece = bytes.substr(from, cut - from);  // its own buffer: nothing may point into it later
        scanner.Scan(piece);
        from = cut;
    }
    scanner.Scan(bytes.substr(from));
    read.completed = scanner.CompletedPoints();
    read.dropped = scanner.DroppedPoints();
}

// Every field of every row, and the saved bytes.
void ExpectSameRead(const Read& expected, const Read& actual, const std::string& bytes) {
    ASSERT_EQ(actual.completed, expected.completed) << bytes;
    ASSERT_EQ(actual.dropped, expected.dropped) << bytes;
    ASSERT_EQ(actual.table.GetCount(), expected.table.GetCount()) << bytes;
    for (int i = 0; i < expected.table.GetCount(); ++i) {
        const PointRecord& a = expected.table.Row(i);
        const PointRecord& b = actual.table.Row(i);
        ASSERT_TRUE(a.slot == b.slot && a.name == b.name && a.reading == b.reading && a.lon == b.lon &&
                    a.lat == b.lat && a.mark == b.mark && a.tel == b.tel && a.sound == b.sound &&
                    a.outmost == b.outmost && a.dcenter == b.dcenter && a.directionOn == b.directionOn)
            << "row " << i << " of " << bytes;
    }
    ASSERT_EQ(GlorieBytes(actual.table), GlorieBytes(expected.table)) << bytes;
}

TEST(ScannerDifferential, ReadsAsTheReferenceScannerDid) {
    const std::vector<std::string> corpus = Corpus();
    ASSERT_GE(corpus.size(), 10u);
    std::mt19937 random(20240613);
    int inputs = 0;
    for (const std::string& file : corpus) {
        for (int n = 0; n < 400; ++n, ++inputs) {
            const std::string bytes = n == 0 ? file : Mutant(file, random);
            auto reference = std::make_unique<Read>();
            auto whole = std::make_unique<Read>();
            auto pieces = std::make_unique<Read>();
            ScanInPieces<test::ReferenceScanner>(*reference, bytes, {});
            ScanInPieces<GlorieScanner>(*whole, bytes, {});
            std::vector<std::size_t> cuts;
            for (int c = 0; c < 3; ++c) cuts.push_back(std::uniform_int_distribution<std::size_t>(0, bytes.size())(random));
            std::sort(cuts.begin(), cuts.end());
            ScanInPieces<GlorieScanner>(*pieces, bytes, cuts);
            ExpectSameRead(*reference, *whole, bytes);
            ExpectSameRead(*reference, *pieces, bytes);
        }
    }
    EXPECT_GE(inputs, 4000);
}

}  // namespace
}  // namespace vondrel
