// One drag step of the gradient panel, module side: the current key moved with its
// neighbours pushed along, and the bar raster redrawn into raster functions that only
// count calls (the host's own drawing cost is not ours to measure).
//
//   BarRedraw/<keys>   DragStep/<keys>
//
// Counters: raster calls per redraw. Both should grow linearly with the key count.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "gradient/gradient.h"
#include "gradient_panel/gradient_bar_raster.h"
#include "gradient_panel/gradient_key_edits.h"

namespace {

int64_t stCalls = 0;
void countPixel(LWRasterID, int, int, int) { ++stCalls; }
void countRGBPixel(LWRasterID, int, int, int, int, int) { ++stCalls; }
void countLine(LWRasterID, int, int, int, int, int) { ++stCalls; }
void countBox(LWRasterID, int, int, int, int, int) { ++stCalls; }
void countRGBBox(LWRasterID, int, int, int, int, int, int, int) { ++stCalls; }

LWRasterFuncs countingRaster() {
  LWRasterFuncs rf{};
  rf.drawPixel = countPixel;
  rf.drawRGBPixel = countRGBPixel;
  rf.drawLine = countLine;
  rf.drawBox = countBox;
  rf.drawRGBBox = countRGBBox;
  return rf;
}

void makeGradient(GradientData& g, int keys) {
  setInitGradients(g, 0);
  while (g.count < keys) add1NewGradientSeg(g, -1.0f + 2.0f * float(g.count % 97) / 97.0f);
  g.current = g.first;
  for (int i = 0; i < keys / 2; ++i) g.current = g.current->next;
}

void BarRedraw(benchmark::State& state) {
  GradientData g;
  makeGradient(g, int(state.range(0)));
  const LWRasterFuncs rf = countingRaster();
  int dummy = 0;
  stCalls = 0;
  for (auto _ : state) drawColorBarRaster(rf, &dummy, g, 3227);
  state.counters["calls"] = double(stCalls) / double(state.iterations());
}

void DragStep(benchmark::State& state) {
  GradientData g;
  makeGradient(g, int(state.range(0)));
  const LWRasterFuncs rf = countingRaster();
  int dummy = 0;
  float to = -1.0f;
  for (auto _ : state) {
    moveCurrentKeyPushing(g, to);
    drawColorBarRaster(rf, &dummy, g, 3227);
    to = to > 1.0f ? -1.0f : to + 0.01f;
  }
}

}  // namespace

BENCHMARK(BarRedraw)->Arg(5)->Arg(64)->Arg(512);
BENCHMARK(DragStep)->Arg(5)->Arg(64)->Arg(512);
