#include "support/Transfer.h"

namespace t2v::test {
namespace {

class Presser : public plugin::DialogUser {
public:
    Presser(TransferRun& run) : run_(run) {}
    void ShowModal(plugin::frmTransferVantra& d) override {
        d.SetDirListPath(run_.dir / "structures");
        d.txtVantraName = run_.name;
        d.cmdTransfer_Click();
        run_.pressedTransfer = d.unloaded;
    }

private:
    TransferRun& run_;
};

void runOn(TransferRun& r, host::TarvoHost* host, plugin::TransferFilled filled = {}) {
    r.platform.createDirectory(r.dir / "structures");
    r.platform.createDirectory(r.home());
    Presser presser(r);
    r.plugin = std::make_unique<plugin::cPlugin>(r.platform, presser);
    r.plugin->Shared().VantraHomeOverride = r.home();
    r.plugin->Shared().filled = std::move(filled);
    bool ok = false;
    r.plugin->Main(host, ok);
    r.written = r.plugin->Shared().lastTransferWritten;
}

std::unique_ptr<TransferRun> run(std::unique_ptr<TransferRun> r, plugin::TransferFilled filled = {}) {
    runOn(*r, r->host.get(), std::move(filled));
    return r;
}

}  // namespace

void RunTransferOn(TransferRun& r, host::TarvoHost& host) { runOn(r, &host); }

std::unique_ptr<TransferRun> RunTransfer(std::string_view json, const std::string& name,
                                         const std::string& baseFolder) {
    auto r = std::make_unique<TransferRun>();
    r->name = name;
    r->host = host::DocumentHost::FromText(json, "test.json", baseFolder);
    return run(std::move(r));
}

std::unique_ptr<TransferRun> RunTransferFile(const std::string& path, const std::string& name,
                                             plugin::TransferFilled filled) {
    auto r = std::make_unique<TransferRun>();
    r->name = name;
    r->host = host::DocumentHost::LoadFile(r->platform, path);
    return run(std::move(r), std::move(filled));
}

}  // namespace t2v::test
