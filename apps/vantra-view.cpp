// vantra-view: draws a structure folder as SVG (an isometric view, a plan and an
// elevation, elements coloured by element group, supports and diaphragm nodes marked),
// from the structure files alone.
//
//   vantra-view DIR -o FILE.svg
//
// Exit status 0 when the picture was written; 1 when the folder does not decode or the
// file cannot be written; 2 for a bad command line.
#include <CLI/CLI.hpp>

#include <iostream>
#include <sstream>

#include "check/Picture.h"
#include "platform/posix/PosixPlatform.h"

int main(int argc, char** argv) {
    CLI::App app{"Draws a Vantra structure folder as an SVG picture.", "vantra-view"};
    std::string dir, output;
    app.add_option("DIR", dir, "Structure folder holding the VNTR* files")->required();
    app.add_option("-o,--output", output, "The picture to write (.svg)")->required();
    CLI11_PARSE(app, argc, argv);

    if (output.size() < 4 || output.substr(output.size() - 4) != ".svg") {
        std::cerr << "vantra-view: the output must be an .svg file: " << output << '\n';
        return 2;
    }
    try {
        const t2v::check::StructureDigest d = t2v::check::ReadStructureDigest(dir);
        std::ostringstream svg;
        std::string name = dir;
        while (name.size() > 1 && name.back() == '/') name.pop_back();
        name = name.substr(name.find_last_of('/') + 1);
        t2v::check::WriteSvg(d, name, svg);
        const std::string text = svg.str();
        t2v::platform::PosixPlatform platform(std::cout, std::cerr);
        std::string error;
        auto file = platform.createFile(output, error);
        if (!file || !file->write(text.data(), text.size()) || !file->commit()) {
            std::cerr << "vantra-view: cannot write " << output << ": " << (file ? file->error() : error) << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "vantra-view: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
