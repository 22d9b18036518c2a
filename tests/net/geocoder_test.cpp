// The address search: its URL, its reading of replies, and the whole way through vondrel-cli and
// the HTTP client against a loopback stand-in of the service (libcurl natively, WinHTTP in Wine).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/cli_app.h"
#include "net/geocoder.h"
#include "support/geocoder_stand_in.h"

namespace vondrel::net {
namespace {

TEST(Geocoder, UrlCarriesTheQueryAsPercentEncodedUtf8) {
    EXPECT_EQ(GeocoderUrl("https://h:8", u8"東京 1-1&x_~."),
              "https://h:8/address-search/AddressSearch?q=%E6%9D%B1%E4%BA%AC%201-1%26x_~.");
}

TEST(Geocoder, ReadsRepliesAndRefusesWhatIsNoArray) {
    const std::string deep = '[' + std::string(100000, '[') + std::string(100000, ']') + ']';
    struct Case {
        std::string body;
        bool ok;
        std::vector<std::string> titles;
    } cases[] = {
        {R"([{"properties":{"title":"A"},"geometry":{"coordinates":[139.5,35.25]}},)"
         R"({"type":"Feature","geometry":{"type":"Point","coordinates":[1.4e2,3.6E1]},"properties":{"title":"B\t"}}])",
         true, {"A", "B\t"}},
        {" [ ] ", true, {}},
        // Features without a usable title or position are left out, the rest kept.
        {R"([1,{"geometry":{"coordinates":["139",35]},"properties":{"title":"s"}},{"geometry":{"coordinates":[139]},)"
         R"("properties":{"title":"one"}},{"geometry":{"coordinates":[200,35]},"properties":{"title":"far"}},)"
         R"({"geometry":{"coordinates":[139,35]},"properties":{}},{"geometry":{"coordinates":[139,35]},"properties":{"title":"C"}}])",
         true, {"C"}},
        {R"({"title":"x"})", false, {}}, {"<html>busy</html>", false, {}}, {"", false, {}}, {"[] []", false, {}},
        {R"([{"geometry":{"coordinates":[139.5,35.25]})", false, {}},  // cut off
        {deep, true, {}},  // skipped without recursion
        {"[{\"properties\":{\"title\":\"\xff\"},\"geometry\":{\"coordinates\":[139,35]}}]", false, {}},  // no UTF-8
    };
    for (const Case& c : cases) {
        const GeocodeResult result = ParseGeocoderReply(c.body);
        EXPECT_EQ(result.ok, c.ok) << c.body.substr(0, 80);
        std::vector<std::string> titles;
        for (const Place& place : result.places) titles.push_back(place.title);
        EXPECT_EQ(titles, c.titles) << c.body.substr(0, 80);
    }
}


std::string Line(const std::string& title, LatLon at) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "\t%.6f\t%.6f\n", at.lat, at.lon);
    return title + numbers;
}

TEST(GeocoderService, CliPrintsCandidatesOrFailsWithCode3) {
    const test::GeocoderStandIn standIn;
    ASSERT_FALSE(standIn.Base().empty()) << "the stand-in did not start";
    const std::string agent = GeocoderUserAgent();
    const struct Case {
        std::vector<std::string> args;
        int code;
        std::string out, err;     // the output, a part of the error output
        std::string base = "";    // the service's base, when not the stand-in
    } cases[] = {
        {{"geocode", "--datum=wgs84", "東京駅 1-1&2"}, 0, Line("東京駅 1-1&2", {35.681236, 139.767125}) + Line(agent, {35.6, 139.7}), ""},
        {{"geocode", "x"}, 0, Line("x", Wgs84ToTokyo({35.681236, 139.767125})) + Line(agent, Wgs84ToTokyo({35.6, 139.7})), ""},
        {{"geocode", "empty"}, 1, "", ""},
        {{"geocode", "status500"}, 3, "", "(HTTP 500)"},
        {{"geocode", "garbage"}, 3, "", "(not a JSON array)"},
        {{"geocode", "object"}, 3, "", "(not a JSON array)"},
        {{"geocode", "huge"}, 3, "", "(too large)"},
        {{"geocode", "x"}, 3, "", "(cannot connect)", "http://127.0.0.1:9"},  // nothing listens there
        {{"geocode"}, 2, "", "usage"},
    };
    for (const Case& c : cases) {
        test::UseGeocoder(c.base.empty() ? standIn.Base() : c.base);
        std::vector<cli::Argument> args;
        for (const std::string& text : c.args) args.push_back({text, {}, true});
        cli::Output output;
        EXPECT_EQ(cli::Run(args, output), c.code) << c.args.back();
        EXPECT_EQ(output.out, c.out) << c.args.back();
        EXPECT_NE(output.err.find(c.err), std::string::npos) << output.err;
    }
}

TEST(GeocoderService, AReplyThatNeverEndsEndsAtTheTimeLimitOrWhenCancelled) {
    const test::GeocoderStandIn standIn;
    test::UseGeocoder(standIn.Base());
    const struct {
        int timeoutMs, cancelAfterMs;
        const char* detail;
    } cases[] = {{1500, 2500, "timeout"}, {60000, 300, "cancelled"}};
    for (const auto& c : cases) {
        const auto client = MakeHttpClient(GeocoderUserAgent(), c.timeoutMs);
        const auto start = std::chrono::steady_clock::now();
        std::thread canceller([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(c.cancelAfterMs));
            client->Cancel();
        });
        const GeocodeResult result = Geocode(*client, "hang");
        canceller.join();
        EXPECT_EQ(result.detail, c.detail);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.detail;
    }
}

}  // namespace
}  // namespace vondrel::net
