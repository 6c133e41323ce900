// How the commands that walk every body of a part grow with the part: cycling, identical-body search
// and overlap keys should all stay linear in the number of bodies (see the fitted complexity).
#include <benchmark/benchmark.h>
#include <vector>
#include "attributes/identical_bodies.hpp"
#include "geom/stock.h"
#include "model/session.h"
#include "uf.h"
#include "uf_obj.h"
#include "uf_object_types.h"

namespace {

// A part of n plates in a row, every fourth one a different size.
host::Part& plates(int n) {
    host::Session& s = host::session();
    s.reset();
    host::Part& p = s.newPart("/tmp/vorta-bench.prt");
    s.display = s.work = &p;
    host::geom::Stock same{"plate", {200, 100, 5}, {}, ""};
    host::geom::Stock other{"plate", {200, 100, 6}, {}, ""};
    TopoDS_Shape a = host::geom::makeStock(same), b = host::geom::makeStock(other);
    for (int i = 0; i < n; ++i) {
        host::Object& o = s.create(p, UF_solid_type, UF_solid_body_subtype);
        gp_Trsf t;
        t.SetTranslation(gp_Vec(0, 150.0 * i, 0));
        o.shape = (i % 4 == 3 ? b : a).Moved(TopLoc_Location(t));
    }
    return p;
}

void BM_CycleBodies(benchmark::State& state) {
    host::Part& p = plates(static_cast<int>(state.range(0)));
    UF_initialize();
    for (auto _ : state) {
        int n = 0;
        for (tag_t t = UF_OBJ_cycle_objs_in_part(p.tag, UF_solid_type, NULL_TAG); t; t = UF_OBJ_cycle_objs_in_part(p.tag, UF_solid_type, t)) ++n;
        benchmark::DoNotOptimize(n);
    }
    UF_terminate();
    state.SetComplexityN(state.range(0));
}

void BM_IdenticalBodies(benchmark::State& state) {
    host::Part& p = plates(static_cast<int>(state.range(0)));
    UF_initialize();
    tag_t first = p.objects.front();
    std::vector<tag_t> warm;
    找相同体(first, warm);  // the kernel's mass properties and faces are cached per body after the first look
    for (auto _ : state) {
        std::vector<tag_t> same;
        找相同体(first, same);
        benchmark::DoNotOptimize(same.size());
    }
    UF_terminate();
    state.SetComplexityN(state.range(0));
}

void BM_OverlapKeys(benchmark::State& state) {
    host::Part& p = plates(static_cast<int>(state.range(0)));
    UF_initialize();
    std::vector<tag_t> all(p.objects.begin(), p.objects.end());
    for (auto _ : state) benchmark::DoNotOptimize(重叠体(all).size());
    UF_terminate();
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_CycleBodies)->RangeMultiplier(2)->Range(256, 4096)->Complexity();
BENCHMARK(BM_IdenticalBodies)->RangeMultiplier(2)->Range(256, 8192)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverlapKeys)->RangeMultiplier(2)->Range(256, 2048)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
