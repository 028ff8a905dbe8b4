// Base structure section cuts: the shear at the supports, collected from the frame
// elements that stand on a support and from the area elements whose bottom edge does.
//
// Record layouts (offsets in the file record; bytes not listed stay zero):
//   section cut (78)       0 name text 40, 40 first item int32, 44 item count int32,
//                          52 flag u8 (0), 54 58 62 singles 1.0 2.0 3.0
//   section cut item (10)  0 end flag int16 (1: the frame's J end is the supported one),
//                          2 element int32 (0 in the leading item), 6 next item int32 (0 ends)
//   section group (56)     0 name text 40, 40 kind int16 (1), 42 cut count int16
#include <string>
#include <vector>

#include "target/FillSteps.h"

namespace t2v::target {

namespace {

bool Supported(const source::TarvoModelObj& src, const std::string& label) {
    const source::TarvoNodeObj* n = src.NodeObjGet(label);
    return n && n->IsSupport();
}

void SetVantraSectionCut(VantraModel& m, std::int32_t cut, const std::string& name, std::int32_t firstItem,
                         std::int32_t itemCount) {
    RecordView r = m.SectionCutTable.rec(cut);
    r.text(0, 40, name);
    r.i32(40, firstItem);
    r.i32(44, itemCount);
    r.u8(52, 0);
    r.f32(54, 1.0);
    r.f32(58, 2.0);
    r.f32(62, 3.0);
}

void SetVantraSectionCutItem(VantraModel& m, std::int32_t item, int endFlag, std::int32_t element,
                             std::int32_t next) {
    RecordView r = m.SectionCutItemTable.rec(item);
    r.i16(0, endFlag);
    r.i32(2, element);
    r.i32(6, next);
}

}  // namespace

void FillVantraSectionCuts(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;

    // Frames with exactly one supported end, with the end flag of each, and areas whose
    // first two corners (the bottom edge of a wall) are supports. An object that became
    // no element has nothing to cut.
    struct Item {
        int endFlag;
        std::int32_t element;
    };
    std::vector<Item> frames, areas;
    for (int i = 1; i <= src.FrameNum(); ++i) {
        const source::TarvoFrameObj& f = src.FrameObj(i);
        const bool si = Supported(src, f.LabelNodeI), sj = Supported(src, f.LabelNodeJ);
        if (si != sj && f.idVantraElem >= 1) frames.push_back({sj ? 1 : 0, f.idVantraElem});
    }
    for (int i = 1; i <= src.AreaNum(); ++i) {
        const source::TarvoAreaObj& a = src.AreaObj(i);
        if (a.LabelNodes.size() < 2 || a.idVantraElem < 1) continue;
        if (Supported(src, a.LabelNodes[0]) && Supported(src, a.LabelNodes[1])) areas.push_back({0, a.idVantraElem});
    }
    const auto nF = static_cast<std::int32_t>(frames.size());
    const auto nA = static_cast<std::int32_t>(areas.size());
    const std::int32_t cuts = (nF > 0 ? 1 : 0) + (nA > 0 ? 1 : 0);
    if (cuts == 0) return;

    m.SectionCutTable.reset(cuts, cuts + 10);
    m.SectionCutPartTable.reset(cuts, cuts + 10);
    // Room for both cuts, each with its leading item, whichever of them exist.
    const std::int32_t itemCount = nF + 1 + nA + 1;
    m.SectionCutItemTable.reset(itemCount, itemCount + 10);

    // Writes one cut: its leading item, then one item per member, chained in order.
    auto writeCut = [&](std::int32_t cut, const std::string& name, std::int32_t first, const std::vector<Item>& items) {
        const auto n = static_cast<std::int32_t>(items.size());
        SetVantraSectionCut(m, cut, name, first, n + 1);
        SetVantraSectionCutItem(m, first, 0, 0, first + 1);
        for (std::int32_t k = 1; k <= n; ++k) {
            const Item& it = items[static_cast<std::size_t>(k - 1)];
            SetVantraSectionCutItem(m, first + k, it.endFlag, it.element, k < n ? first + k + 1 : 0);
        }
    };
    std::int32_t cut = 0;
    if (nF > 0) writeCut(++cut, "Frame Base Cut", 1, frames);
    if (nA > 0) writeCut(++cut, "Area Base Cut", nF > 0 ? nF + 2 : 1, areas);

    const std::int32_t group = m.SectionGroupTable.add(Growth::CountPlus10);
    m.SectionGroupTable.setCapacity(m.SectionGroupTable.count() + 10);
    RecordView g = m.SectionGroupTable.rec(group);
    g.text(0, 40, "Support Sect Group");
    g.i16(40, 1);
    g.i16(42, cuts);
    m.SectionGroupMatrix.assign(static_cast<std::size_t>(group), std::vector<std::uint8_t>(static_cast<std::size_t>(cuts), 0));
    for (std::int32_t k = 1; k <= cuts; ++k) m.SectionGroupMatrix[static_cast<std::size_t>(group - 1)][static_cast<std::size_t>(k - 1)] = 1;
}

}  // namespace t2v::target
