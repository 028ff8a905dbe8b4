#include "plugin/cPlugin.h"

namespace t2v::plugin {

void cPlugin::Main(host::TarvoHost* oTarvoModel, bool& ok) {
    ok = false;
    shared_.oTarvoModel = oTarvoModel;
    frmTransferVantra dialog(shared_, platform_);
    dialog.Form_Initialize();
    dialog.Form_Load();
    user_.ShowModal(dialog);
    ok = true;
}

std::int32_t cPlugin::Info(std::string& Text) {
    Text = "Export to Vantra";
    return 0;
}

}  // namespace t2v::plugin
