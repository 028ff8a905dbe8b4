// Base structure section cuts: the shear at the supports, collected from the frame
// elements that stand on a support and from the area elements whose bottom edge does.
//
// Record layouts: target/SectionCutLayout.h.
#include <string>
#include <vector>

#include "target/FillSteps.h"
#include "target/SectionCutLayout.h"

namespace t2v::target {

namespace {

bool Supported(const source::TarvoModelObj& src, const std::string& label) {
    const source::TarvoNodeObj* n = src.NodeObjGet(label);
    return n && n->IsSupport();
}

void SetVantraSectionCut(VantraModel& m, std::int32_t cut, const std::string& name, std::int32_t firstItem,
                         std::int32_t itemCount) {
    RecordView r = m.SectionCutTable.rec(cut);
    namespace sc = layout::section_cut;
    r.text(sc::kName, layout::kNameLength, name);
    r.i32(sc::kFirstItem, firstItem);
    r.i32(sc::kItemCount, itemCount);
    layout::writeFixed(r, sc::kFixedBytes);
    layout::writeFixed(r, sc::kFixedSingles);
}

void SetVantraSectionCutItem(VantraModel& m, std::int32_t item, int endFlag, std::int32_t element, std::int32_t next) {
    RecordView r = m.SectionCutItemTable.rec(item);
    namespace ci = layout::section_cut_item;
    r.i16(ci::kEndFlag, endFlag);
    r.i32(ci::kElement, element);
    r.i32(ci::kNext, next);
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

    const std::int32_t group = m.SectionGroupTable.add();
    RecordView g = m.SectionGroupTable.rec(group);
    namespace sg = layout::section_group;
    g.text(sg::kName, layout::kNameLength, "Support Sect Group");
    layout::writeFixed(g, sg::kFixedWords);
    g.i16(sg::kCutCount, cuts);
    m.SectionGroupMatrix.assign(static_cast<std::size_t>(group),
                                std::vector<std::uint8_t>(static_cast<std::size_t>(cuts), 0));
    for (std::int32_t k = 1; k <= cuts; ++k)
        m.SectionGroupMatrix[static_cast<std::size_t>(group - 1)][static_cast<std::size_t>(k - 1)] = 1;
}

}  // namespace t2v::target
