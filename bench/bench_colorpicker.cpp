// Colour picker planes: one field render per mode, and one drag step in the field.
#include <benchmark/benchmark.h>

#include "graphics/UColorPickerModel.h"

namespace {

TColorPickerModel ReadyModel(TColorMode mode) {
  TColorPickerModel m;
  m.SetupBuffers();
  m.SetColorMode(mode);
  m.SetCurrentColor(RGB(200, 40, 90));
  m.RenderPlanes();
  return m;
}

void BM_RenderField(benchmark::State& state) {
  TColorPickerModel m = ReadyModel(static_cast<TColorMode>(state.range(0)));
  for (auto _ : state) {
    m.RenderField();
    benchmark::DoNotOptimize(m.FieldImage.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderField)->DenseRange(cm_Hue, cm_Blue)->Unit(benchmark::kMicrosecond);

// The copy of the rendered buffer into the image the window draws.
void BM_TransferField(benchmark::State& state) {
  TColorPickerModel m = ReadyModel(cm_Hue);
  for (auto _ : state) {
    m.FieldBuffer().TransferTo(m.FieldImage);
    benchmark::DoNotOptimize(m.FieldImage.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransferField)->Unit(benchmark::kMicrosecond);

// A mouse move while dragging in the field: the pick plus the strip it re-renders.
void BM_FieldDragStep(benchmark::State& state) {
  TColorPickerModel m = ReadyModel(static_cast<TColorMode>(state.range(0)));
  int x = 0;
  for (auto _ : state) {
    x = (x + 1) & 255;
    benchmark::DoNotOptimize(m.PickField(x, 255 - x));
  }
}
BENCHMARK(BM_FieldDragStep)->DenseRange(cm_Hue, cm_Blue)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
