// Per-frame cost of the particle field: one update, one draw submission, and
// the two together as the renderer runs them.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "renderer/particle_field.h"

namespace {

void Prepare() {
    std::srand(12345);
    InitParticles();
}

void BM_UpdateParticles(benchmark::State& state) {
    Prepare();
    for (auto _ : state) {
        UpdateParticles();
        benchmark::DoNotOptimize(particles[0].x);
    }
}
BENCHMARK(BM_UpdateParticles);

void BM_DrawParticles(benchmark::State& state) {
    Prepare();
    for (int i = 0; i < 10; ++i) UpdateParticles();
    for (auto _ : state) DrawParticles();
}
BENCHMARK(BM_DrawParticles);

void BM_Frame(benchmark::State& state) {
    Prepare();
    for (auto _ : state) {
        DrawParticles();
        UpdateParticles();
    }
}
BENCHMARK(BM_Frame);

}  // namespace

BENCHMARK_MAIN();
