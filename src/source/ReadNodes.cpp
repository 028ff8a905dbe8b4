// Nodes, supports and rigid diaphragms (read steps 4, 5 and 25).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadNodes() {}
void TarvoModelObj::ReadConstraints() {}
void TarvoModelObj::FindTopBottomNodes() {}

void TarvoModelObj::RemoveConstraint(int i) { Constraints.erase(Constraints.begin() + (i - 1)); }
bool TarvoConstraintObj::FindNode(const TarvoNodeObj*) const { return false; }
bool TarvoConstraintObj::ExistCommonNode(const TarvoConstraintObj&) const { return false; }
void TarvoConstraintObj::UnionConstraint(TarvoConstraintObj&) {}
void TarvoConstraintObj::MergeConstraintObj(TarvoConstraintObj&) {}
void TarvoConstraintObj::RemoveSupportNode() {}

}  // namespace t2v::source
