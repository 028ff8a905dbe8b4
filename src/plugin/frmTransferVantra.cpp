#include "plugin/frmTransferVantra.h"

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
        if (c < 0x20 || c == 0x7F || c1)
            return "Error : The structure name may not hold a control character !";
    }
    return {};
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
    const std::string folder = platform_.join(shared_.StructuresRoot, shared_.StructureNameInput);
    if (!DirExists(platform_, folder) && !MakeDir(platform_, folder)) {
        platform_.messageBox("Error : Couldn't create directory !", "", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    shared_.Version5Selected = optVersion[0];
    shared_.VantraHome = GetVantraPath();
    Transform();
    unloaded = true;
}

void frmTransferVantra::Transform() {
    mousePointer = MousePointer::Hourglass;
    shared_.lastTransferWritten = false;
    if (shared_.oTarvoModel == nullptr) {
        platform_.messageBox("No Model", "", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    if (shared_.oTarvoModel->GetPointCount() >= 1) {
        TransferContext ctx{*shared_.oTarvoModel, platform_, shared_.store,
                            {shared_.VantraHome, shared_.EqkeGroupName}, shared_.progress, shared_.filled};
        const bool written = TransferModel(ctx, shared_.StructuresRoot, shared_.StructureNameInput);
        mousePointer = MousePointer::Default;
        shared_.lastTransferWritten = written;
        // The writer has already told the user about a file it could not write.
        if (written) platform_.messageBox("Transfer Complete", "", MsgIcon::None, MsgButtons::Ok);
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
