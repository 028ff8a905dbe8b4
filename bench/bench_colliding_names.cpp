// Names chosen to collide cost no more than ordinary ones.
//
// The colliding names are the ones an unkeyed index (the standard library's string
// hash, which the indexes used before they were keyed) puts into the first 2048 of its
// 2^19 slots: 200,000 of them form one run that every insert and lookup would walk.
// Each pair of benchmarks loads 200,000 ordinary names and 200,000 colliding ones of
// the same length; the two figures of a pair should be within 2x of each other.
#include "host/document/DocumentHost.h"
#include "source/LabelIndex.h"

#include <benchmark/benchmark.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kNames = 200'000;
constexpr std::size_t kUnkeyedSlots = std::size_t{1} << 19;  // an index sized for 200,000 names
constexpr std::size_t kWindow = 2048;

struct NameSets {
    std::vector<std::string> ordinary, colliding;
};

const NameSets& Sets() {
    static const NameSets sets = [] {
        NameSets s;
        for (std::uint64_t j = 10'000'000; s.colliding.size() < kNames; ++j) {
            std::string name = "P" + std::to_string(j);
            if ((std::hash<std::string_view>{}(name) & (kUnkeyedSlots - 1)) < kWindow) s.colliding.push_back(name);
            if (s.ordinary.size() < kNames) s.ordinary.push_back(std::move(name));
        }
        return s;
    }();
    return sets;
}

const std::vector<std::string>& Names(bool colliding) { return colliding ? Sets().colliding : Sets().ordinary; }

std::string PointsDocument(const std::vector<std::string>& names) {
    std::string text = R"({"format": "tarvo-model", "version": 1, "points": [)";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i) text += ",\n";
        text += R"({"name": ")" + names[i] + R"(", "x": 0, "y": 0, "z": )" + std::to_string(i) + "}";
    }
    return text + "]}";
}

// The document loader: every point name goes into the points' name index.
void BM_LoadPoints(benchmark::State& state) {
    const std::string text = PointsDocument(Names(state.range(0) != 0));
    for (auto _ : state) {
        auto host = t2v::host::DocumentHost::FromText(text, "names.json");
        benchmark::DoNotOptimize(host->GetPointCount());
    }
    state.SetLabel(state.range(0) ? "colliding" : "ordinary");
}
BENCHMARK(BM_LoadPoints)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

struct Labelled {
    std::string Label;
};

// The source model's label index: every name added, then every name looked up.
void BM_LabelIndex(benchmark::State& state) {
    const auto& names = Names(state.range(0) != 0);
    std::vector<Labelled> objects(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) objects[i].Label = names[i];
    for (auto _ : state) {
        t2v::source::LabelIndex<Labelled> index;
        for (Labelled& o : objects) index.add(&o);
        std::size_t found = 0;
        for (const std::string& n : names) found += index.find(n) != nullptr;
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(state.range(0) ? "colliding" : "ordinary");
}
BENCHMARK(BM_LabelIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
