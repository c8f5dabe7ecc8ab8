// One frame of the scene's simulation (10 funnel updates, 2000 particle advances), with the
// shipped axis curve and with the literal one that uses the general power function.

#include <benchmark/benchmark.h>

#include "renderer/scene/literal_curve.h"
#include "renderer/scene/vortex_scene.h"

namespace nuvrel {
namespace {

constexpr int WarmUpFrames = 500;

void AdvanceFrameWith(VortexScene& scene, AxisCurveSampler sample) {
    auto particle = scene.ParticleTable.begin();
    for (Funnel& funnel : scene.FunnelTable) {
        funnel.Update(scene.random);
        for (int j = 0; j < ParticlesPerFunnel; ++j, ++particle) {
            benchmark::DoNotOptimize(particle->Advance(scene.random, sample));
        }
    }
}

void BM_Frame(benchmark::State& state, AxisCurveSampler sample) {
    VortexScene scene(1);
    for (int frame = 0; frame < WarmUpFrames; ++frame) {
        AdvanceFrameWith(scene, sample);
    }
    for (auto _ : state) {
        AdvanceFrameWith(scene, sample);
    }
    state.counters["particles/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * FunnelCount * ParticlesPerFunnel,
        benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_Frame, shipped, SampleAxisCurve)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Frame, literal, SampleLiteralAxisCurve)->Unit(benchmark::kMicrosecond);

void BM_FrameAsDrawn(benchmark::State& state) {
    VortexScene scene(1);
    float sink = 0.0f;
    for (auto _ : state) {
        scene.AdvanceFrame([&sink](const ParticleDraw& draw) { sink += draw.orbitAngle; });
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_FrameAsDrawn)->Unit(benchmark::kMicrosecond);

// A particle's two curve points, at its place and just behind it.
void BM_CurvePoints(benchmark::State& state, AxisCurveSampler sample) {
    RandomGenerator random;
    Funnel funnel(random);
    funnel.Update(random);
    float s = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sample(funnel, s, s - 0.01f));
        s = s > 1.0f ? 0.0f : s + 0.001f;
    }
}
BENCHMARK_CAPTURE(BM_CurvePoints, shipped, SampleAxisCurve);
BENCHMARK_CAPTURE(BM_CurvePoints, literal, SampleLiteralAxisCurve);

}  // namespace
}  // namespace nuvrel
