#include "plugin/modTarvo2Vantra.h"

#include "common/Text.h"
#include "output/EarthquakeRecords.h"
#include "output/SeriesFolder.h"
#include "output/WriteStructureFiles.h"
#include "target/FillSteps.h"

namespace t2v::plugin {

void SetUnitDefaults(host::TarvoHost& host, target::VantraModel& m) {
    const Units u = UnitsForHostCode(host.GetPresentUnits());
    m.ForceUnit = u.ForceUnit;
    m.LengthUnit = u.LengthUnit;
    m.Gravity = u.Gravity;
    m.LengthToInches = u.LengthToInches;
    m.ForceToKips = u.ForceToKips;
    m.SizePresetValues = {{{2.0f, 6.0f, 18.0f, 60.0f},
                           {0.2f, 0.5f, 1.5f, 5.0f},
                           {50.0f, 150.0f, 450.0f, 1500.0f},
                           {5.0f, 15.0f, 45.0f, 150.0f},
                           {0.05f, 0.15f, 0.45f, 1.5f}}};
    m.SizePresetLabels = {{{"2 in.", "6 in.", "18 in.", "60 in."},
                           {"0.2 ft.", "0.5 ft.", "1.5 ft.", "5 ft."},
                           {"50 mm.", "150 mm.", "450 mm.", "1500 mm."},
                           {"5 cm.", "15 cm.", "45 cm.", "150 cm."},
                           {"0.05 m.", "0.15 m.", "0.45 m.", "1.5 m."}}};
    m.ErrorBeep = 0;
    m.SizePresetIndex = 1;
    const auto lu = static_cast<std::size_t>(m.LengthUnit);
    m.DefaultSizeValue = static_cast<double>(m.SizePresetValues[lu][1]);
    m.DefaultSizeLabel = m.SizePresetLabels[lu][static_cast<std::size_t>(m.SizePresetIndex)];
    m.UnitFlag4 = 4;
    m.UnitCounter0 = 0;
    m.UnitCounter1 = 0;
}

namespace {

Units unitsOf(const target::VantraModel& m) {
    Units u;
    u.ForceUnit = m.ForceUnit;
    u.LengthUnit = m.LengthUnit;
    u.Gravity = m.Gravity;
    u.LengthToInches = m.LengthToInches;
    u.ForceToKips = m.ForceToKips;
    return u;
}

}  // namespace

bool TransferModel(TransferContext& ctx, const std::string& structuresRoot, const std::string& structureName) {
    target::VantraModel& m = ctx.store;
    auto phase = [&](std::string_view p, std::string_view step, long done, long total) {
        if (ctx.progress) ctx.progress(p, step, done, total);
    };

    ctx.report.clear();
    ctx.recordsWritten = 0;
    // One transfer at a time into a structure: a second one waits for nothing and
    // mixes nothing, it stops here.
    const std::string structureDir = ctx.platform.join(structuresRoot, StructureFolderName(structureName));
    bool busy = false;
    std::string lockError;
    std::unique_ptr<platform::FolderLock> lock =
        ctx.platform.lockFolder(structureDir, kStructureLockName, busy, lockError);
    if (!lock) {
        if (busy)
            throw TransferFailure("another transfer is writing the structure " + structureDir +
                                  "; nothing was changed. Try again when it has finished.");
        throw TransferFailure(lockError);
    }

    SetUnitDefaults(ctx.host, m);

    source::TarvoModelObj src(ctx.host, ctx.platform, unitsOf(m), ctx.records);
    src.setProgress([&](std::string_view step, long done, long total) { phase("read", step, done, total); });
    src.ReadTarvoData();

    m.FileKind = "VNTR";
    m.FileVersion = "4.0";
    m.FormatMajor = 4;
    m.FormatMinor = 5;
    m.ProductName = "VANTRA V4";
    m.ProductFamily = "VANTRA";
    m.Comment.clear();
    // Where the structure goes, as the files name it: the name cut to its 12 characters.
    m.StructureName = StructureFolderName(structureName);
    m.StructureDir = structureDir;
    m.StructureTitle = "Model Transferred";
    m.StructuresRoot = structuresRoot;

    target::InitVantraModel(m);

    // Elements come after every component step and refer to component numbers; masses,
    // loads, frames, cuts and drifts come after the elements.
    struct Step {
        const char* name;
        void (*run)(target::FillContext&);
    };
    static constexpr Step kSteps[] = {
        {"nodes", target::FillVantraNodes},
        {"constraints", target::FillVantraConstraints},
        {"materials", target::FillVantraMaterials},
        {"cross sections", target::FillVantraCrossSections},
        {"release components", target::FillVantraReleaseComponents},
        {"FEMA components", target::FillVantraFemaComponents},
        {"compound components", target::FillVantraCompoundComponents},
        {"elements", target::FillVantraElements},
        {"nodal masses", target::FillVantraNodalMass},
        {"nodal loads", target::FillVantraNodalLoads},
        {"element loads", target::FillVantraElementLoads},
        {"frames", target::FillVantraFrames},
        {"section cuts", target::FillVantraSectionCuts},
        {"self weight", target::FillVantraSelfWeight},
        {"drifts", target::FillVantraDrifts},
        {"load cases", target::FillVantraLoadCases},
    };
    target::FillContext fc{src, m, ctx.host, ctx.platform};
    const long total = static_cast<long>(std::size(kSteps));
    long done = 0;
    for (const Step& s : kSteps) {
        phase("fill", s.name, done++, total);
        s.run(fc);
    }
    phase("fill", "filled", done, total);
    if (ctx.filled) ctx.filled(src, m);

    // The records first, the structure after: a records folder that cannot be made stops
    // the transfer before any structure file is touched.
    output::WriteEarthquakeRecords(ctx.platform, ctx.records, src);
    std::string syncProblem;
    const bool written = output::WriteStructureFiles(
        m, ctx.platform, "VNTR", true, 0,
        [&](std::string_view file, unsigned long long bytes) { phase("write", file, static_cast<long>(bytes), 0); },
        &syncProblem);
    if (written) {
        if (!syncProblem.empty())
            src.Report.add("structure folder", m.StructureDir, "not flushed to the disk", true, syncProblem);
        output::ResetSeriesFolder(ctx.platform, m, src.Report);
    }
    ctx.report = std::move(src.Report);
    ctx.recordsWritten = src.RecordsWritten;
    src.Dispose();
    phase("done", "", 0, 0);
    return written;
}

}  // namespace t2v::plugin
