// End-release components: one for the embedded beams and one per end-release pattern
// of the source model.
//
// Record layout: target/ReleaseLayout.h.
#include <array>
#include <string>

#include "target/FillSteps.h"
#include "target/ReleaseLayout.h"

namespace t2v::target {
namespace {

namespace rel = layout::release_component;
constexpr double kReleasedStiffness = 1.0e-5;

// Target freedom order of the flags.
enum TargetDof : std::size_t { kA = 0, kV2 = 1, kV3 = 2, kM2 = 3, kM3 = 4, kT = 5 };
using Flags = std::array<bool, 6>;

int AddVantraReleaseComponent(VantraModel& m) {
    auto& t = m.ReleaseComponentTable;
    int id = m.addComponent(t);
    return id;
}

void SetVantraReleaseComponent(VantraModel& m, int n, const std::string& name, const Flags& released) {
    RecordView r = m.ReleaseComponentTable.rec(n);
    r.text(rel::kName, layout::kNameLength, name);
    r.i16(rel::kNumber, n);
    r.u8(rel::kKind, rel::kKindRelease);
    r.i16(rel::kNumberAgain, n);
    for (std::size_t d = 0; d < 6; ++d) {
        r.u8(rel::kFlags + d, released[d] ? 1 : 0);
        r.f32(rel::kStiffness + 4 * d, released[d] ? kReleasedStiffness : 0.0);
    }
}

}  // namespace

void FillVantraReleaseComponents(FillContext& c) {
    VantraModel& m = c.m;

    // The embedded beams hang in their walls by a moment release.
    Flags embed{};
    embed[kM3] = true;
    int n = AddVantraReleaseComponent(m);
    SetVantraReleaseComponent(m, n, "EmbedBeamRelease", embed);

    // Source flags U1, U2, U3, R1, R2, R3 go to A, V2, V3, T, (M2 not transferred), M3.
    for (int i = 1; i <= c.src.FrameReleaseNum(); ++i) {
        source::TarvoFrameReleaseObj& release = c.src.FrameReleaseObj(i);
        const auto& u = release.Release;
        Flags f{};
        f[kA] = u[0];
        f[kV2] = u[1];
        f[kV3] = u[2];
        f[kT] = u[3];
        f[kM3] = u[5];
        std::string name = "Release-";
        if (f[kA]) name += "A";
        if (f[kV2]) name += "V2";
        if (f[kV3]) name += "V3";
        if (f[kM3]) name += "M3";
        if (f[kT]) name += "T";
        n = AddVantraReleaseComponent(m);
        SetVantraReleaseComponent(m, n, name, f);
        release.idVantraXecElaRelease = n;
    }
}

}  // namespace t2v::target
