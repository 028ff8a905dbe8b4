// Time to load a large model document (about 100 MB) from text: parse, validate and
// build the tables. The document is made in memory: a building of storeys on a square
// grid, with columns, beams, slabs, joint loads, frame loads and area loads.
#include "host/document/DocumentHost.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t kTargetBytes = 100u * 1024u * 1024u;
constexpr int kGrid = 100;  // points per side of a storey

std::string PointName(int storey, int x, int y) {
    return "P" + std::to_string(storey) + "_" + std::to_string(x) + "_" + std::to_string(y);
}

struct Synthesised {
    std::string text;
    std::size_t points = 0, frames = 0, areas = 0;
};

const Synthesised& Document() {
    static const Synthesised doc = [] {
        Synthesised d;
        std::string points, frames, areas;
        auto sep = [](std::string& s) {
            if (!s.empty()) s += ",\n";
        };
        for (int storey = 0; points.size() + frames.size() + areas.size() < kTargetBytes; ++storey) {
            for (int x = 0; x < kGrid; ++x) {
                for (int y = 0; y < kGrid; ++y) {
                    sep(points);
                    points += "{\"name\":\"" + PointName(storey, x, y) + "\",\"x\":" + std::to_string(x * 6.5) +
                              ",\"y\":" + std::to_string(y * 7.25) + ",\"z\":" + std::to_string(storey * 3.5);
                    if (storey == 0) {
                        points += ",\"restraints\":[1,1,1,1,1,1]";
                    } else if ((x + y) % 7 == 0) {
                        points += ",\"loads\":[{\"pattern\":\"LIVE\",\"values\":[0,0,-12.5,0,0,0]}]";
                    }
                    points += "}";
                    ++d.points;
                    if (storey == 0) continue;
                    const std::string here = PointName(storey, x, y);
                    sep(frames);
                    frames += "{\"name\":\"C" + here.substr(1) + "\",\"section\":\"COL\",\"i\":\"" +
                              PointName(storey - 1, x, y) + "\",\"j\":\"" + here + "\"}";
                    ++d.frames;
                    if (x + 1 < kGrid) {
                        sep(frames);
                        frames += "{\"name\":\"BX" + here.substr(1) + "\",\"section\":\"BEAM\",\"i\":\"" + here +
                                  "\",\"j\":\"" + PointName(storey, x + 1, y) +
                                  "\",\"distributed_loads\":[{\"pattern\":\"DEAD\",\"dir\":10,\"val1\":4.5}]}";
                        ++d.frames;
                    }
                    if (y + 1 < kGrid) {
                        sep(frames);
                        frames += "{\"name\":\"BY" + here.substr(1) + "\",\"section\":\"BEAM\",\"i\":\"" + here +
                                  "\",\"j\":\"" + PointName(storey, x, y + 1) +
                                  "\",\"point_loads\":[{\"pattern\":\"LIVE\",\"dir\":10,\"rd\":0.5,\"val\":20}]}";
                        ++d.frames;
                    }
                    if (x + 1 < kGrid && y + 1 < kGrid) {
                        sep(areas);
                        areas += "{\"name\":\"A" + here.substr(1) + "\",\"section\":\"SLAB\",\"points\":[\"" + here +
                                 "\",\"" + PointName(storey, x + 1, y) + "\",\"" + PointName(storey, x + 1, y + 1) +
                                 "\",\"" + PointName(storey, x, y + 1) +
                                 "\"],\"uniform_loads\":[{\"pattern\":\"LIVE\",\"dir\":10,\"value\":2.4}]}";
                        ++d.areas;
                    }
                }
            }
        }
        d.text = R"({"format":"tarvo-model","version":1,"units":6,
"materials":[{"name":"C30","type":2,"isotropic":{"E":30000000,"U":0.2},"concrete":{"Fc":30000}}],
"frame_sections":[{"name":"COL","type":8,"material":"C30"},{"name":"BEAM","type":8,"material":"C30"}],
"area_sections":[{"name":"SLAB","material":"C30","thickness":0.2}],
"load_patterns":[{"name":"DEAD","type":1,"self_weight_multiplier":1},{"name":"LIVE","type":3}],
"points":[)" + points +
                 "],\n\"frames\":[" + frames + "],\n\"areas\":[" + areas + "]}";
        return d;
    }();
    return doc;
}

void BM_FromText(benchmark::State& state) {
    const Synthesised& doc = Document();
    for (auto _ : state) {
        auto host = t2v::host::DocumentHost::FromText(doc.text, "bench.json");
        benchmark::DoNotOptimize(host);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.text.size()));
    state.counters["MB"] = static_cast<double>(doc.text.size()) / (1024.0 * 1024.0);
    state.counters["points"] = static_cast<double>(doc.points);
    state.counters["frames"] = static_cast<double>(doc.frames);
    state.counters["areas"] = static_cast<double>(doc.areas);
}
BENCHMARK(BM_FromText)->Unit(benchmark::kMillisecond)->Iterations(5);

// Answering by name: every frame's end points, the way the frames reader asks.
void BM_FramePointsForEveryFrame(benchmark::State& state) {
    const auto host = t2v::host::DocumentHost::FromText(Document().text, "bench.json");
    t2v::host::Names frames;
    host->GetFrameNameList(frames);
    std::string i, j;
    for (auto _ : state) {
        for (const std::string& name : frames) host->GetFramePoints(name, i, j);
        benchmark::DoNotOptimize(i);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * frames.size()));
}
BENCHMARK(BM_FramePointsForEveryFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
