// DefineMaterial adds a typical material, in the document's units, to the loaded model.
#include "host/document/DocumentHost.h"

#include <gtest/gtest.h>

namespace t2v::host {
namespace {

std::unique_ptr<DocumentHost> EmptyModel(int units) {
    return DocumentHost::FromText(R"({"format": "tarvo-model", "version": 1, "units": )" + std::to_string(units) +
                                      R"(, "materials": [{"name": "Existing", "type": 2}]})",
                                  "units.json");
}

TEST(DefineMaterial, ConcreteInKipAndInch) {
    auto host = EmptyModel(3);
    ASSERT_EQ(host->DefineMaterial("Conc", 2, -1, "", ""), 0);
    int type = 0, sym = -1;
    EXPECT_EQ(host->GetMaterialType("Conc", type, sym), 0);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(sym, 0);
    double fc = 0, E = 0, U = 0, A = 0, G = 0, w = 0, m = 0;
    EXPECT_EQ(host->GetConcreteMaterial("Conc", fc), 0);
    EXPECT_NEAR(fc, 4.0, 1e-12);
    EXPECT_EQ(host->GetIsotropicProperties("Conc", E, U, A, G), 0);
    EXPECT_NEAR(E, 3605.0, 1e-9);
    EXPECT_EQ(U, 0.2);
    EXPECT_NEAR(A, 5.5e-6, 1e-15);  // per degree Fahrenheit in these units
    EXPECT_NEAR(G, 3605.0 / 2.4, 1e-9);
    EXPECT_EQ(host->GetMaterialWeightAndMass("Conc", w, m), 0);
    EXPECT_NEAR(w, 0.150 / 1728.0, 1e-15);          // 150 pcf in kip per cubic inch
    EXPECT_NEAR(m, w / (9.80665 / 0.0254), 1e-18);  // g in inches per second squared
}

TEST(DefineMaterial, SteelAndRebarInKilonewtonAndMetre) {
    auto host = EmptyModel(6);
    ASSERT_EQ(host->DefineMaterial("Steel", 1, -1, "", ""), 0);
    ASSERT_EQ(host->DefineMaterial("Rebar", 6, -1, "", ""), 0);
    double fy = 0, fu = 0, efy = 0, efu = 0, E = 0, U = 0, A = 0, G = 0, w = 0, m = 0;
    EXPECT_EQ(host->GetSteelMaterial("Steel", fy, fu, efy, efu), 0);
    EXPECT_NEAR(fy, 344737.9, 0.1);  // 50 ksi in kN/m2
    EXPECT_NEAR(efu, 1.1 * 65 * 6894.757, 0.1);
    EXPECT_EQ(host->GetIsotropicProperties("Steel", E, U, A, G), 0);
    EXPECT_NEAR(E, 1.99948e8, 1e3);
    EXPECT_NEAR(A, 1.17e-5, 1e-15);  // per degree Celsius in these units
    EXPECT_EQ(host->GetMaterialWeightAndMass("Steel", w, m), 0);
    EXPECT_NEAR(w, 76.97, 0.01);   // 490 pcf in kN/m3
    EXPECT_NEAR(m, 7.849, 0.001);  // tonnes per cubic metre

    int type = 0, sym = 0;
    EXPECT_EQ(host->GetMaterialType("Rebar", type, sym), 0);
    EXPECT_EQ(type, 6);
    EXPECT_EQ(sym, 3);
    EXPECT_EQ(host->GetUniaxialProperties("Rebar", E, A), 0);
    EXPECT_NEAR(E, 1.99948e8, 1e3);
    EXPECT_EQ(host->GetRebarMaterial("Rebar", fy, fu, efy, efu), 0);
    EXPECT_NEAR(fy, 413685.5, 0.1);  // 60 ksi
    EXPECT_NEAR(fu, 620528.2, 0.1);  // 90 ksi

    Names names;
    EXPECT_EQ(host->GetMaterialNameList(0, names), 0);
    EXPECT_EQ(names, (Names{"Existing", "Steel", "Rebar"}));  // appended in call order
    EXPECT_EQ(host->GetMaterialNameList(6, names), 0);
    EXPECT_EQ(names, (Names{"Rebar"}));
}

TEST(DefineMaterial, RefusesTakenEmptyAndUnknownTypes) {
    auto host = EmptyModel(6);
    EXPECT_NE(host->DefineMaterial("Existing", 1, -1, "", ""), 0);
    EXPECT_NE(host->DefineMaterial("", 1, -1, "", ""), 0);
    EXPECT_NE(host->DefineMaterial("NoDesign", 3, -1, "", ""), 0);
    EXPECT_NE(host->DefineMaterial("Odd", 42, -1, "", ""), 0);
    Names names;
    host->GetMaterialNameList(0, names);
    EXPECT_EQ(names, (Names{"Existing"}));
}

TEST(DefineMaterial, ManyDefinitionsStayFindable) {
    auto host = EmptyModel(10);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(host->DefineMaterial("M" + std::to_string(i), 1 + i % 2, -1, "", ""), 0);
    int type = 0, sym = 0;
    for (int i = 0; i < 500; ++i) {
        ASSERT_EQ(host->GetMaterialType("M" + std::to_string(i), type, sym), 0) << i;
        EXPECT_EQ(type, 1 + i % 2);
    }
    EXPECT_EQ(host->GetMaterialType("Existing", type, sym), 0);
}

}  // namespace
}  // namespace t2v::host
