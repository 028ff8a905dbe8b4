// Component tables through a whole transfer: the main file carries every record and
// its companion.
#include <gtest/gtest.h>

#include "support/Transfer.h"
#include "support/TempDir.h"

namespace t2v::test {
namespace {

std::string OnePointDoc(std::string_view sections) {
    return std::string(R"({"format": "tarvo-model", "version": 1,
        "points": [{"name": "A", "x": 0, "y": 0, "z": 0}])") +
           std::string(sections) + "}";
}

TEST(ComponentsTransfer, SteelSectionAddsItsRecordsToTheMainFile) {
    auto bare = RunTransfer(OnePointDoc(""));
    auto withSection = RunTransfer(OnePointDoc(R"(, "frame_sections": [
        {"name": "W", "type": 1, "material": "Steel", "properties": {"A": 0.01}}],
        "materials": [{"name": "Steel", "type": 1, "isotropic": {"E": 2e8}}])"));
    ASSERT_TRUE(bare->written);
    ASSERT_TRUE(withSection->written);

    // The three typical materials are there in both: inelastic 3, fibre, shear and slab 2.
    const auto& m = withSection->store();
    EXPECT_EQ(bare->store().InelasticMaterialTable.count(), 3);
    EXPECT_EQ(m.InelasticMaterialTable.count(), 3);
    EXPECT_EQ(m.ElasticShearMaterialTable.count(), 2);

    // The steel section adds a beam (424) and a column section (687), a FEMA beam
    // (425 + 50) and column (473 + 60), and four member compounds (378 + 45 each).
    EXPECT_EQ(m.BeamSectionTable.count(), 1);
    EXPECT_EQ(m.FrameCompoundTable.count(), 4);
    const auto bareSize = ReadBytes(bare->structureDir() + "/VNTRS").size();
    const auto size = ReadBytes(withSection->structureDir() + "/VNTRS").size();
    EXPECT_EQ(size - bareSize, 424u + 687u + 475u + 533u + 4u * 423u);
}

}  // namespace
}  // namespace t2v::test
