#include "plugin/frmTransferVantra.h"

#include <algorithm>

#include "common/Text.h"

#include "plugin/NameMap.h"
#include "plugin/RulesText.h"
#include "plugin/modUtilFunctions.h"

namespace t2v::plugin {

using platform::MsgButtons;
using platform::MsgIcon;

frmTransferVantra::frmTransferVantra(SharedValues& shared, platform::Platform& platform)
    : shared_(shared), platform_(platform) {}

void frmTransferVantra::Form_Initialize() {
    RulesText.clear();
    for (std::string_view line : kRulesLines) {
        RulesText += line;
        RulesText += "\r\n";
    }
}

std::string frmTransferVantra::driveOf(const std::string& path) const {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return platform_.currentDriveRoot();
}

bool frmTransferVantra::SetDirListPath(const std::string& path) {
    std::string p = path.empty() ? platform_.currentFolder() : path;
    if (!DirExists(platform_, p)) return false;
    ctlVantraDir = p;
    return true;
}

void frmTransferVantra::Form_Load() {
    optVersion = {true, false};
    shared_.Version5Selected = true;
    shared_.EqkeGroupName = "EqkeGroup";
    shared_.VantraHome = GetVantraPath();

    // The home folders, one level at a time.
    const std::string vantra = platform_.join(shared_.VantraHome, "Vantra");
    const std::string structures = platform_.join(vantra, "Structures");
    for (const std::string& folder : {shared_.VantraHome, vantra, structures})
        if (!DirExists(platform_, folder)) MakeDir(platform_, folder);

    if (DirExists(platform_, structures)) {
        ctlDrive = driveOf(structures);
        SetDirListPath(structures);
    } else {
        SetDirListPath("");
        ctlDrive = driveOf(ctlVantraDir);
    }
    AppendLog(RulesText);
}

void frmTransferVantra::ctlDrive_Change(const std::string& drive) {
    ctlDrive = drive;
    if (!SetDirListPath(drive)) {
        platform_.messageBox("Error: 68: Device unavailable", "No Data", MsgIcon::Exclamation, MsgButtons::OkCancel);
        ctlDrive = driveOf(ctlVantraDir);
    }
}

std::string frmTransferVantra::StructureNameProblem(const std::string& name) {
    if (name.empty()) return "Error : Please enter a structure name !";
    if (name == "." || name == ".." || name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return "Error : The structure name may not hold a folder separator or be \".\" or \"..\" !";
    if (utf8Length(name) > 12) return "Error : The structure name may hold at most 12 characters !";
    // A tab or another control character makes a folder name that other tools (and the
    // series-folder reset) do not handle, and that the user cannot see or type again.
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const bool c1 = c == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(name[i + 1]) <= 0x9F;
        if (c < 0x20 || c == 0x7F || c1) return "Error : The structure name may not hold a control character !";
    }
    // The files hold the name in a single-byte code page; a character it lacks would
    // make the name inside the files differ from the folder's.
    const std::string bytes = toCp1252(name);
    if (std::count(bytes.begin(), bytes.end(), '?') != std::count(name.begin(), name.end(), '?'))
        return "Error : The structure name holds a character that the structure files cannot store !";
    return {};
}

std::string frmTransferVantra::VantraHomeProblem() const {
    if (!shared_.VantraHome.empty()) return {};
    return shared_.Version5Selected
               ? "Error : Your documents folder could not be found, so there is no Vantra home folder for the "
                 "earthquake records. Nothing was written."
               : "Error : Vantra 4 is not installed on this computer (its install path is not set), so there is no "
                 "Records folder for the earthquake records. Install Vantra 4 or choose Version 5. Nothing was "
                 "written.";
}

void frmTransferVantra::cmdTransfer_Click() {
    shared_.StructuresRoot = ctlVantraDir;
    // The writer right-trims the name; the folder is made with the same name it uses.
    shared_.StructureNameInput = std::string(trimRightBlanks(txtVantraName));

    // A longer name, or one that is a path, would make the dialog create one folder and
    // the writer write into another.
    if (std::string problem = StructureNameProblem(shared_.StructureNameInput); !problem.empty()) {
        platform_.messageBox(problem, "", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    // The home folder decides where the records go; without one nothing is written.
    shared_.Version5Selected = optVersion[0];
    shared_.VantraHome = GetVantraPath();
    if (std::string problem = VantraHomeProblem(); !problem.empty()) {
        shared_.failure = problem;
        platform_.messageBox(problem, "", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    const std::string folder = platform_.join(shared_.StructuresRoot, shared_.StructureNameInput);
    const bool existed = DirExists(platform_, folder);
    std::string error;
    if (!existed && !platform_.createDirectory(folder, &error)) {
        shared_.failure = "Error : Couldn't create directory ! " + error;
        platform_.messageBox("Error : Couldn't create directory !\r" + error, "", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    Transform();
    // A transfer that wrote nothing leaves no empty folder of its own making behind.
    if (!existed && !shared_.lastTransferWritten) {
        const std::vector<std::string> left = platform_.listFolder(folder);
        if (left.empty() || (left.size() == 1 && left[0] == kStructureLockName)) platform_.deleteFolderTree(folder);
    }
    unloaded = true;
}

void frmTransferVantra::writeReportFile(const std::string& structureDir) {
    const std::string path = platform_.join(structureDir, kReportFileName);
    std::string text =
        "Transfer report: what was not transferred, or was changed, and why.\r\n"
        "Columns: problem or note, object kind, name, reason.\r\n\r\n";
    text += shared_.report.empty() ? "Everything was transferred.\r\n" : shared_.report.text(shared_.strictReport);
    std::string error;
    std::unique_ptr<platform::OutputFile> file = platform_.createFile(path, error);
    if (file && file->write(text.data(), text.size()) && file->commit()) {
        shared_.reportFilePath = path;
        return;
    }
    if (file) error = file->error();
    shared_.report.add("report", path, "transfer report not written", true, error);
}

void frmTransferVantra::writeNameMapFile(const std::string& structureDir) {
    const std::string path = platform_.join(structureDir, kNameMapFileName);
    const std::string& text = shared_.nameMapCsv;
    std::string error;
    std::unique_ptr<platform::OutputFile> file = platform_.createFile(path, error);
    if (file && file->write(text.data(), text.size()) && file->commit()) {
        shared_.nameMapFilePath = path;
        return;
    }
    if (file) error = file->error();
    shared_.report.add("report", path, "name map not written", true, error);
}

void frmTransferVantra::Transform() {
    mousePointer = MousePointer::Hourglass;
    shared_.lastTransferWritten = false;
    if (shared_.oTarvoModel == nullptr) {
        platform_.messageBox("No Model", "", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    if (shared_.oTarvoModel->GetPointCount() >= 1) {
        // The name map is taken while the source model still knows what each object became.
        host::TarvoHost& hostModel = *shared_.oTarvoModel;
        TransferFilled filled = [this, &hostModel](const source::TarvoModelObj& src, const target::VantraModel& store) {
            shared_.nameMapCsv = NameMapCsv(src, store, hostModel);
            if (shared_.filled) shared_.filled(src, store);
        };
        TransferContext ctx{
            hostModel, platform_, shared_.store, {shared_.VantraHome, shared_.EqkeGroupName}, shared_.progress, filled,
            {},        0};
        shared_.report.clear();
        shared_.reportFilePath.clear();
        shared_.nameMapCsv.clear();
        shared_.nameMapFilePath.clear();
        shared_.recordsWritten = 0;
        bool written = false;
        try {
            written = TransferModel(ctx, shared_.StructuresRoot, shared_.StructureNameInput);
        } catch (const TransferFailure& e) {
            // Nothing of the structure was touched; the user is told why, once.
            mousePointer = MousePointer::Default;
            shared_.failure = e.what();
            platform_.messageBox(std::string("Error : ") + e.what(), "", MsgIcon::Critical, MsgButtons::Ok);
            return;
        }
        mousePointer = MousePointer::Default;
        shared_.lastTransferWritten = written;
        shared_.report = std::move(ctx.report);
        shared_.recordsWritten = ctx.recordsWritten;
        // The writer has already told the user about a file it could not write.
        if (!written) return;
        // The map first, so that a map that could not be written is in the report.
        writeNameMapFile(shared_.store.StructureDir);
        writeReportFile(shared_.store.StructureDir);
        if (shared_.report.empty()) {
            platform_.messageBox("Transfer Complete", "", MsgIcon::None, MsgButtons::Ok);
        } else {
            std::size_t problems = 0;
            for (const ReportItem& i : shared_.report.items()) problems += i.problem || shared_.strictReport ? 1 : 0;
            std::string text = "Transfer Complete\r\r" + std::to_string(shared_.report.items().size()) +
                               " objects were not transferred or were changed";
            if (problems) text += " (" + std::to_string(problems) + " of them problems to look at)";
            text += shared_.reportFilePath.empty() ? std::string(".") : ": see " + shared_.reportFilePath + ".";
            platform_.messageBox(text, "", problems ? MsgIcon::Exclamation : MsgIcon::None, MsgButtons::Ok);
        }
    } else {
        platform_.messageBox("Empty Model", "", MsgIcon::Critical, MsgButtons::Ok);
    }
}

std::string frmTransferVantra::GetVantraPath() {
    if (!shared_.VantraHomeOverride.empty()) return shared_.VantraHomeOverride;
    if (shared_.Version5Selected) {
        platform::DocumentsFolder d = platform_.documentsFolder();
        std::string folder = d.status == platform::DocumentsFolder::Status::Ok ? d.path : std::string();
        return platform_.join(folder, "VANTRA");
    }
    return ReadRegistryText(platform_, "SOFTWARE\\Quorvane\\VANTRA\\4", "Install path");
}

void frmTransferVantra::AppendLog(const std::string& text) { txtLog += text + "\r\n"; }

}  // namespace t2v::plugin
