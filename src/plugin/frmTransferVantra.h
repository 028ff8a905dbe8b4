// The transfer dialog as logic without a window: its controls are state, its event
// handlers are members. A window (on the host's platform), the command line or a test
// plays the user: it sets the controls and calls the handlers.
#pragma once

#include <array>
#include <string>

#include "host/TarvoHost.h"
#include "platform/Platform.h"
#include "plugin/modTarvo2Vantra.h"
#include "target/VantraModel.h"

namespace t2v::plugin {

// Values the dialog shares with the transfer; they outlive the dialog.
struct SharedValues {
    std::string StructuresRoot;
    std::string StructureNameInput;
    bool Version5Selected = true;
    std::string VantraHome;
    std::string EqkeGroupName;
    // When set, the home folder of the target program, whatever the version (the
    // command line's --home); otherwise it comes from the documents folder or registry.
    std::string VantraHomeOverride;
    host::TarvoHost* oTarvoModel = nullptr;  // the host-model reference
    target::VantraModel store;               // the target model store, one per plug-in
    TransferProgress progress;               // optional progress display
    TransferFilled filled;                   // optional: sees the source model and the store once filled
    bool lastTransferWritten = false;        // every structure file of the last transfer written
    TransferReport report;                   // what the last transfer left out or changed
    std::size_t recordsWritten = 0;          // earthquake record files the last transfer wrote
    bool strictReport = false;               // every left-out item counts as a problem
    std::string reportFilePath;              // where the dialog wrote the report (empty: nowhere)
    std::string nameMapCsv;                  // what each host object of the last transfer became (CSV)
    std::string nameMapFilePath;             // where the dialog wrote the name map (empty: nowhere)
    std::string failure;                     // why the last transfer attempt stopped (empty: it did not)
};

// The report file the dialog writes into the structure folder.
inline constexpr const char* kReportFileName = kTransferReportFileName;
// The name map it writes beside the report.
inline constexpr const char* kNameMapFileName = "TransferNameMap.csv";

enum class MousePointer { Default, Hourglass };

class frmTransferVantra {
public:
    frmTransferVantra(SharedValues& shared, platform::Platform& platform);

    // --- controls ----------------------------------------------------------------------
    std::string Caption = "Export to Vantra";
    std::string Label1 = "Select Vantra Structure Drive and Directory";
    std::string ctlDrive;      // drive list: the current drive
    std::string ctlVantraDir;  // directory list: its path
    std::string Label2 = "Vantra Structure Directory Name:";
    std::string txtVantraName = "Vantra";
    std::string Frame2 = "Vantra Version";
    std::array<bool, 2> optVersion{false, true};  // "Version 5", "Version 4" (design selects 4)
    std::string chkEmbedBeamCaption = "Embed Beam to Shell";
    bool chkEmbedBeam = false;  // shown, not read by any step
    std::string cmdTransferCaption = "Transfer";
    std::string txtLog;
    MousePointer mousePointer = MousePointer::Default;
    bool unloaded = false;

    std::string RulesText;

    // --- handlers and procedures, in the order they run ---------------------------------------
    void Form_Initialize();
    void Form_Load();
    // The user picked another drive in the drive list.
    void ctlDrive_Change(const std::string& drive);
    void cmdTransfer_Click();
    void Transform();
    std::string GetVantraPath();
    void AppendLog(const std::string& text);

    // Sets the directory list's path as the control does: false when the path is not
    // an existing folder (the control then keeps its path); the empty text selects the
    // current folder.
    bool SetDirListPath(const std::string& path);

    // Why a structure name cannot be used (empty when it can).
    static std::string StructureNameProblem(const std::string& name);
    // Why the chosen home folder cannot be used (empty when it can): Version 4 with no
    // install path would put the records below the drive root.
    std::string VantraHomeProblem() const;

private:
    std::string driveOf(const std::string& path) const;
    void writeReportFile(const std::string& structureDir);
    void writeNameMapFile(const std::string& structureDir);

    SharedValues& shared_;
    platform::Platform& platform_;
};

}  // namespace t2v::plugin
