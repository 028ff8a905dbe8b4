// Shared setup of the component fill tests: a source model built by hand, the store,
// and expected records written field by field at their file offsets.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "source/components_Fixture.h"
#include "support/ByteBuilder.h"
#include "target/FillSteps.h"

namespace t2v::test {

// Compares a stored record with the expected bytes, listing the offsets that differ.
inline ::testing::AssertionResult SameBytes(const std::uint8_t* actual, const Rec& expected) {
    std::ostringstream diff;
    int shown = 0;
    for (std::size_t k = 0; k < expected.data().size(); ++k) {
        if (actual[k] == expected.data()[k]) continue;
        if (shown++ < 12)
            diff << "\n  offset " << k << ": got " << int(actual[k]) << ", expected " << int(expected.data()[k]);
    }
    if (shown == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << shown << " bytes differ:" << diff.str();
}

template <class Table>
::testing::AssertionResult RecordIs(const Table& t, int id, const Rec& expected) {
    if (expected.data().size() != Table::kRecordSize)
        return ::testing::AssertionFailure() << "expected record has " << expected.data().size() << " bytes";
    return SameBytes(t.rowBytes(id), expected);
}

template <class Table>
std::string NameOf(const Table& t, int id) {
    std::string s(reinterpret_cast<const char*>(t.rowBytes(id)), 40);
    return s.substr(0, s.find_last_not_of(' ') + 1);
}

template <class Table>
int CompanionFirstByte(const Table& t, int id) {
    return t.rowBytes(id)[Table::kRecordSize];
}

struct FillFixture : ComponentFixture {
    explicit FillFixture(std::string_view json = Doc()) : ComponentFixture(json) {}
    target::FillContext ctx{src, m, *host, platform};

    source::TarvoPropMaterialObj& concrete(const std::string& label) {
        auto& c = src.AddPropMat(label);
        c.MatType = 2;
        c.IsoE = 2.5e7;
        c.IsoU = 0.2;
        c.IsoG = 1.0e7;
        c.ConcFc = 30;
        c.UnitWeight = 24;
        return c;
    }
    source::TarvoPropMaterialObj& steel(const std::string& label) {
        auto& s = src.AddPropMat(label);
        s.MatType = 1;
        s.IsoE = 2.0e8;
        s.IsoU = 0.3;
        s.IsoG = 8.0e7;
        s.SteelFy = 350000;
        s.SteelFu = 450000;
        s.UnitWeight = 78.5;
        return s;
    }
    source::TarvoPropMaterialObj& rebar(const std::string& label) {
        auto& r = src.AddPropMat(label);
        r.MatType = 6;
        r.SymType = 3;
        r.UniE = 200000;
        r.RebarFy = 420;
        r.RebarFu = 620;
        r.RebareFy = 460;
        r.RebareFu = 680;
        return r;
    }
    source::TarvoPropFrameSectObj& frameSection(const std::string& label, int type, source::TarvoPropMaterialObj* mat) {
        auto& s = src.AddPropFrameSect(label);
        s.PropType = type;
        s.PropMatName = mat ? mat->Label : "";
        s.PropMatObj = mat;
        return s;
    }
    void fillUpTo(void (*last)(target::FillContext&)) {
        using namespace target;
        for (auto step : {FillVantraMaterials, FillVantraCrossSections, FillVantraReleaseComponents,
                          FillVantraFemaComponents, FillVantraCompoundComponents}) {
            step(ctx);
            if (step == last) break;
        }
    }
};

}  // namespace t2v::test
