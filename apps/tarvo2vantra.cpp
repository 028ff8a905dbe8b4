// tarvo2vantra: transfers a model document into a Vantra structure folder, driving the
// transfer dialog as a user would (load, choose folder and name, press Transfer).
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "host/document/DocumentHost.h"
#include "platform/posix/PosixPlatform.h"
#include "plugin/RulesText.h"
#include "plugin/cPlugin.h"

namespace {

using namespace t2v;

struct Options {
    std::string model;
    std::string dir;
    std::string name = "Vantra";
    int version = 5;
    std::string home;
    bool quiet = false;
};

// Plays the user of the dialog from the command line's options.
class CommandLineUser : public plugin::DialogUser {
public:
    CommandLineUser(const Options& o, std::ostream& err) : o_(o), err_(err) {}
    void ShowModal(plugin::frmTransferVantra& dialog) override {
        if (o_.version == 4) dialog.optVersion = {false, true};
        if (!o_.dir.empty() && !dialog.SetDirListPath(o_.dir)) {
            err_ << "tarvo2vantra: the structures folder " << o_.dir << " does not exist\n";
            return;
        }
        dialog.txtVantraName = o_.name;
        dialog.cmdTransfer_Click();
        pressedTransfer = dialog.unloaded;
        structureFolder = dialog.ctlVantraDir;
    }
    bool pressedTransfer = false;
    std::string structureFolder;

private:
    const Options& o_;
    std::ostream& err_;
};

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Transfers a Tarvo model document into a Vantra structure (seven structure files and one\n"
                 "earthquake record per time-history function)."};
    Options o;
    bool rules = false;
    app.add_option("model", o.model, "the model document (JSON)");
    app.add_option("--dir", o.dir, "the structures folder (default: the one the dialog shows, <home>/Vantra/Structures)");
    app.add_option("--name", o.name, "the structure name, at most 12 characters (default \"Vantra\")");
    app.add_option("--version", o.version, "Vantra version 4 or 5 (decides the home folder)")->check(CLI::IsMember({4, 5}));
    app.add_option("--home", o.home, "the Vantra home folder (default: <documents>/VANTRA for version 5)");
    app.add_flag("--quiet", o.quiet, "print nothing but errors");
    app.add_flag("--rules", rules, "print the transfer rules and exit");
    CLI11_PARSE(app, argc, argv);

    if (rules) {
        for (auto line : plugin::kRulesLines) std::cout << line << '\n';
        return 0;
    }
    if (o.model.empty()) {
        std::cerr << "tarvo2vantra: a model document is required (see --help)\n";
        return 2;
    }

    std::ostream nowhere(nullptr);
    platform::PosixPlatform platform(o.quiet ? nowhere : std::cout, std::cerr);
    try {
        std::unique_ptr<host::DocumentHost> host = host::DocumentHost::LoadFile(o.model);
        CommandLineUser user(o, std::cerr);
        plugin::cPlugin plugin(platform, user);
        plugin.Shared().VantraHomeOverride = o.home;
        bool ok = false;
        plugin.Main(host.get(), ok);
        if (!user.pressedTransfer || !plugin.Shared().lastTransferWritten) return 1;
        if (!o.quiet)
            std::cout << "Structure written to "
                      << platform.join(plugin.Shared().StructuresRoot, plugin.Shared().StructureNameInput) << '\n';
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tarvo2vantra: " << e.what() << '\n';
        return 1;
    }
}
