// One pointer motion of a drag: the note snapping over every open note, then the screen edges.
#include <benchmark/benchmark.h>

#include <vector>

#include "notes/UTBoxController.h"
#include "notes/brScreenSnapper.h"
#include "platform/Screens.h"

namespace {

class ManyNotes : public TNoteBoxSource {
 public:
  explicit ManyNotes(int count) {
    // A cascade of notes over a large desktop, as the factory lays them out.
    for (int i = 0; i < count; ++i)
      boxes_.push_back({i + 1, 40 + (i * 37) % 2400, 40 + (i * 53) % 1300, 119 + i % 50, 107 + i % 30});
  }
  int NoteCount() const override { return static_cast<int>(boxes_.size()); }
  TNoteBox NoteBoxAt(int i) const override { return boxes_[i]; }

 private:
  std::vector<TNoteBox> boxes_;
};

class TwoScreens : public Screens {
 public:
  int PrimaryWidth() const override { return 1280; }
  int PrimaryHeight() const override { return 1024; }
  std::vector<TMonitor> Monitors() const override {
    return {{{0, 0, 1280, 1024}, {0, 0, 1280, 994}}, {{1280, 0, 2560, 1440}, {1340, 0, 2560, 1440}}};
  }
};

void BM_BoxControllerSnapMove(benchmark::State& state) {
  const ManyNotes notes(static_cast<int>(state.range(0)));
  const TBoxController box(notes);
  int step = 0;
  for (auto _ : state) {
    int x = 300 + step % 200, y = 200 + step % 150;
    ++step;
    box.SnapMove(0, x, y, 119, 107);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  }
}
BENCHMARK(BM_BoxControllerSnapMove)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_BoxControllerSnapSize(benchmark::State& state) {
  const ManyNotes notes(static_cast<int>(state.range(0)));
  const TBoxController box(notes);
  int step = 0;
  for (auto _ : state) {
    int w = 119 + step % 200, h = 107 + step % 150;
    ++step;
    box.SnapSize(0, 300, 200, w, h);
    benchmark::DoNotOptimize(w);
    benchmark::DoNotOptimize(h);
  }
}
BENCHMARK(BM_BoxControllerSnapSize)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_ScreenSnapperSnapMove(benchmark::State& state) {
  const TwoScreens screens;
  const TScreenSnapper snapper(screens);
  int step = 0;
  for (auto _ : state) {
    int x = 1270 + step % 20, y = 880 + step % 20;
    ++step;
    snapper.SnapMove(x, y, 119, 107);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  }
}
BENCHMARK(BM_ScreenSnapperSnapMove)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
