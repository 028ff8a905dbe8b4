// Whole transfers through the plug-in entry, as a user meets them.
#include <gtest/gtest.h>

#include "support/Transfer.h"

namespace t2v {
namespace {

TEST(Transfer, EmptyModelWritesNothing) {
    auto r = test::RunTransfer(R"({"format": "tarvo-model", "version": 1})");
    ASSERT_EQ(r->platform.messages.size(), 1u);
    EXPECT_EQ(r->platform.messages[0].text, "Empty Model");
    EXPECT_EQ(r->platform.messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_FALSE(r->written);
    EXPECT_FALSE(r->platform.isDirectory(r->structureDir() + "/VNTRS"));
}

TEST(Transfer, ModelWithPointsSaysCompleteOnlyWhenEveryFileWasWritten) {
    const char* doc = R"({"format": "tarvo-model", "version": 1, "units": 10,
        "points": [{"name": "A", "x": 0, "y": 0, "z": 0}]})";
    auto r = test::RunTransfer(doc);
    ASSERT_FALSE(r->platform.messages.empty());
    // The materials the transfer adds are listed in the report the last message points to.
    EXPECT_EQ(r->platform.messages.back().text.rfind("Transfer Complete\r\r3 objects were not transferred", 0), 0u);
    EXPECT_EQ(r->platform.messages.back().icon, platform::MsgIcon::None);
    EXPECT_TRUE(r->written);
    EXPECT_EQ(r->store().ForceUnit, 2);
    EXPECT_EQ(r->store().LengthUnit, 4);
    EXPECT_EQ(r->store().DefaultSizeLabel, "0.15 m.");
    auto s = test::ReadBytes(r->structureDir() + "/VNTRS");
    EXPECT_EQ(s[82], 4);  // length unit in the header
    EXPECT_EQ(s[84], 2);  // force unit

    // A second transfer over the same folder whose main file cannot be written reports
    // the file and never says "Transfer Complete".
    auto again = std::make_unique<test::TransferRun>();
    again->platform.failingWrites.insert(again->dir / "structures/Test/VNTRS");
    again->host = host::DocumentHost::FromText(doc, "test.json");
    again->platform.createDirectory(again->dir / "structures");
    struct Press : plugin::DialogUser {
        test::TransferRun& r;
        explicit Press(test::TransferRun& x) : r(x) {}
        void ShowModal(plugin::frmTransferVantra& d) override {
            d.SetDirListPath(r.dir / "structures");
            d.txtVantraName = "Test";
            d.cmdTransfer_Click();
        }
    } press(*again);
    plugin::cPlugin plugin(again->platform, press);
    plugin.Shared().VantraHomeOverride = again->dir / "home";
    bool ok = false;
    plugin.Main(again->host.get(), ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(plugin.Shared().lastTransferWritten);
    ASSERT_FALSE(again->platform.messages.empty());
    EXPECT_EQ(again->platform.messages.back().title, "Can Not Write To An Essential File");
    for (const auto& m : again->platform.messages) EXPECT_NE(m.text, "Transfer Complete");
}

TEST(Transfer, UnitDefaultsFollowThePresentUnits) {
    struct Row {
        int code;
        float size;
        const char* label;
    };
    for (Row row : {Row{1, 6.0f, "6 in."}, Row{2, 0.5f, "0.5 ft."}, Row{5, 150.0f, "150 mm."}, Row{13, 15.0f, "15 cm."},
                    Row{6, 0.15f, "0.15 m."}}) {
        auto r =
            test::RunTransfer(std::string(R"({"format": "tarvo-model", "version": 1, "units": )") +
                              std::to_string(row.code) + R"(, "points": [{"name": "A", "x": 0, "y": 0, "z": 0}]})");
        EXPECT_EQ(r->store().DefaultSizeValue, static_cast<double>(row.size)) << row.code;
        EXPECT_EQ(r->store().DefaultSizeLabel, row.label) << row.code;
        EXPECT_EQ(r->store().SizePresetIndex, 1);
        EXPECT_EQ(r->store().UnitFlag4, 4);
    }
}

}  // namespace
}  // namespace t2v
