#include "target/ReleaseLayout.h"
#include "target/VantraModel.h"

namespace t2v::target {
namespace {

// The default end zone, record 1 of the end-zone table (layout: target/ReleaseLayout.h).
void addDefaultEndZone(VantraModel& m) {
    m.EndZoneTable.reset(1, 1);
    RecordView r = m.EndZoneTable.rec(1);
    namespace ez = layout::end_zone;
    r.text(ez::kName, layout::kNameLength, "Default End Zone");
    r.i16(ez::kNumber, 1);
    r.u8(ez::kKind, ez::kKindEndZone);
    layout::writeFixed(r, ez::kFixedWords);
    layout::writeFixed(r, ez::kFixedSingles);
}

}  // namespace

// The header and unit values are the driver's (set before this step) and stay as they
// are; every table starts again from its initial counters, in file order.
void InitVantraModel(VantraModel& m) {
    m.HeaderWord0 = m.HeaderWord1 = 0;
    m.HeaderLong0 = m.HeaderLong1 = m.HeaderLong2 = 0;
    m.TailSectionFlag = 1;
    m.ReservedListCount = m.ReservedListCapacity = 0;

    m.NodeTable.reset(1, 200);  // node 1 exists from the start, all zero
    m.NodeLast = 0;
    m.ConstraintTable.reset(0, 1);
    m.MassPatternTable.reset(0, 1);
    m.NodalMassMatrix.clear();
    m.ElementGroupTable.reset(0, 1);
    m.ElementGroupLast = 0;
    m.ElementTable.reset(0, 1);
    m.ElementLast = 0;
    m.FrameTable.reset(0, 0);
    m.FrameNodeMembers.clear();
    m.FrameElementMembers.clear();
    m.NodalLoadPatternTable.reset(0, 1);
    m.NodalLoadMatrix.reset(0);
    m.ElementLoadPatternTable.reset(0, 1);
    m.ElementLoadShapeCount = 1;
    m.ElementLoadGroupMatrix.clear();
    m.ElementLoadShapeTable.clear();
    m.ElementLoadElementMatrix.reset(0);
    m.ElementLoadItemTable.reset(0, 1);
    m.SelfWeightPatternTable.reset(0, 1);
    m.SelfWeightElementMatrix.clear();
    m.SectionCutTable.reset(0, 1);
    m.SectionCutLast = 0;
    m.SectionCutPartTable.reset(0, 1);
    m.SectionCutItemTable.reset(0, 1);
    m.SectionGroupTable.reset(0, 1);
    m.SectionGroupMatrix.clear();
    m.DriftTable.reset(0, 1);
    m.DeflectionTable.reset(0, 1);

    m.MaxComponentCapacity = 1;
    m.FemaBeamTable.reset(0, 1);
    m.FemaColumnTable.reset(0, 1);
    m.ReleaseComponentTable.reset(0, 1);
    m.InelasticMaterialTable.reset(0, 1);
    m.ElasticFiberMaterialTable.reset(0, 1);
    m.ElasticShearMaterialTable.reset(0, 1);
    m.ElasticSlabMaterialTable.reset(0, 1);
    m.BeamSectionTable.reset(0, 1);
    m.ColumnSectionTable.reset(0, 1);
    m.SlabSectionTable.reset(0, 1);
    m.SlabSectionCount2 = 0;
    m.InelasticWallSectionTable.reset(0, 1);
    m.ElasticWallSectionTable.reset(0, 1);
    m.FrameCompoundTable.reset(0, 1);
    m.WallCompoundTable.reset(0, 1);
    m.GeneralWallCompoundTable.reset(0, 1);

    m.GravityLoadCaseTable.reset(0, 0);
    m.PushoverLoadCaseTable.reset(0, 0);
    m.DynamicLoadCaseTable.reset(0, 0);
    m.AnalysisCaseTable.reset(0, 0);
    m.AnalysisStepCount = m.AnalysisGroupCount = m.AnalysisPatternCount = 0;

    addDefaultEndZone(m);
}

}  // namespace t2v::target
