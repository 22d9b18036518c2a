// Timings of the document steps that change many points at once, on the 700 sample points all
// selected: the batch change of mark, sound and direction, the replacement in the names, and
// the undo of each. The list's redraw is the window's part (bench/startup/batch_window_bench.cpp, under Wine).
#include <benchmark/benchmark.h>

#include "editing/point_document.h"
#include "files/glorie_writer.h"
#include "sample_points.h"
#include "support/temp_dir.h"

namespace vondrel::bench {
namespace {

class Unshown : public MessageSink {
    void ShowMessage(const std::string&) override {}
};

// A document holding the 700 sample points, read from a file as the editor reads one.
void OpenSamples(PointDocument& document, test::TempDir& dir) {
    PointTable table;
    FillSamplePoints(table);
    test::WriteFileBytes(dir.File("points700.xml"), GlorieBytes(table));
    Unshown messages;
    document.Open(dir.File("points700.xml"), dir.RootPath(), messages);
}

Selection All(const PointDocument& document) {
    Selection all;
    for (int row = 0; row < document.Count(); ++row) all.rows.push_back(row);
    all.focus = 0;
    return all;
}

BatchChange MarkSoundDirection() {
    BatchChange change;
    change.values.mark = "54";
    change.values.sound = "9";
    change.values.directionOn = 1;
    change.values.dcenter = "123";
    change.fields = {Field::Mark, Field::Sound, Field::DirectionOn, Field::Dcenter};
    return change;
}

// A kana most readings hold, in names and readings: the counter "changed" tells how many points change.
ReplaceRequest KanaReplace(const PointDocument& document) {
    return ReplaceRequest{"ウ", "ゥ", ReplaceIn::Both, All(document).rows};
}

// `step` timed, then taken back untimed (or the other way round), so every run starts from the
// file's points.
template <class Step>
void TimeStep(benchmark::State& state, Step step, bool timeUndo) {
    test::TempDir dir;
    PointDocument document;
    OpenSamples(document, dir);
    if (document.Count() != kTableRows) return state.SkipWithError("the sample file did not read");
    const Selection all = All(document);
    for (auto _ : state) {
        if (timeUndo) state.PauseTiming();
        if (!step(document, all)) return state.SkipWithError("the step changed nothing");
        if (timeUndo) {
            state.ResumeTiming();
        } else {
            state.PauseTiming();
        }
        document.Undo();
        if (!timeUndo) state.ResumeTiming();
    }
}

auto Batch = [](PointDocument& d, const Selection& all) { return d.ChangeSelected(MarkSoundDirection(), all).has_value(); };
auto Replace = [](PointDocument& d, const Selection& all) { return d.Replace(KanaReplace(d), all).has_value(); };

void CountReplaced(benchmark::State& state) {
    test::TempDir dir;
    PointDocument document;
    OpenSamples(document, dir);
    state.counters["changed"] = static_cast<double>(PreviewReplace(document.Points(), KanaReplace(document)).changed.size());
}

void BM_BatchChange700(benchmark::State& state) { TimeStep(state, Batch, false); }
void BM_BatchChangeUndo700(benchmark::State& state) { TimeStep(state, Batch, true); }
void BM_Replace700(benchmark::State& state) {
    TimeStep(state, Replace, false);
    CountReplaced(state);
}
void BM_ReplaceUndo700(benchmark::State& state) { TimeStep(state, Replace, true); }

}  // namespace

BENCHMARK(BM_BatchChange700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_BatchChangeUndo700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Replace700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ReplaceUndo700)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace vondrel::bench
