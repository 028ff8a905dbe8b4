// Target frames: every host group except "ALL" becomes a named set of nodes and
// elements for viewing the structure.
//
// Record layout: target/FrameLayout.h. Memberships are kept as (node, frame) and
// (element, frame) pairs; the writer streams them as the frame-node matrix (nodes
// 1..NodeCapacity) and the frame-element matrix (elements 0..ElementCapacity), one byte
// per frame.
#include <algorithm>

#include "common/Text.h"
#include "target/FillSteps.h"
#include "target/FrameLayout.h"

namespace t2v::target {
namespace {

// The first frame creates the table (its capacity starts at 0); afterwards the
// capacity is the count + 10 whenever the count passes it. The membership matrices
// follow the frame capacity when written.
std::int32_t AddVantraFrame(VantraModel& m) { return m.FrameTable.add(); }

// The frame-element matrix starts at row 0, the element number of an object that got
// no element (a membrane, a frame of another material). Such an object still belongs
// to the group, so it flags row 0 like any member flags its own row.
void addElementMember(VantraModel& m, std::int32_t element, std::int32_t frame) {
    m.FrameElementMembers.emplace_back(element, frame);
}

}  // namespace

void FillVantraFrames(FillContext& c) {
    VantraModel& m = c.m;
    source::Names groups;
    c.query.GetGroupNameList(groups);
    std::int32_t g = 1;
    for (const std::string& group : groups) {
        if (group == "ALL") continue;
        std::vector<int> types;
        source::Names names;
        c.query.GetGroupAssignments(group, types, names);

        const std::int32_t frame = AddVantraFrame(m);
        m.FrameTable.rec(frame).text(layout::frame::kName, layout::frame::kNameLength, MakeVantraName("", group, g));

        const std::size_t items = std::min(types.size(), names.size());
        for (std::size_t k = 0; k < items; ++k) {
            switch (types[k]) {
                case source::kPointObject:
                    // A point the source model does not hold is left out rather than
                    // read through an empty reference.
                    if (const source::TarvoNodeObj* node = c.src.NodeObjGet(names[k]))
                        m.FrameNodeMembers.emplace_back(node->id, g);
                    break;
                case source::kFrameObject:
                    for (const source::TarvoFrameObj* f : c.src.FramesWithLabel(names[k]))
                        addElementMember(m, f->idVantraElem, g);
                    break;
                case source::kAreaObject:
                    for (const source::TarvoAreaObj* a : c.src.AreasWithLabel(names[k]))
                        addElementMember(m, a->idVantraElem, g);
                    break;
                default:
                    break;
            }
        }
        ++g;
    }
}

}  // namespace t2v::target
