// vantra-view: draws a structure folder as SVG (an isometric view, a plan and an
// elevation, elements coloured by element group, supports and diaphragm nodes marked),
// or as a binary glTF 3-D model that common viewers open, from the structure files alone.
//
//   vantra-view DIR -o FILE.svg
//   vantra-view DIR -o FILE.glb
//
// Exit status 0 when the picture was written; 1 when the folder does not decode or the
// file cannot be written; 2 for a bad command line.
#include <CLI/CLI.hpp>

#include <tiny_gltf.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <sstream>

#include "check/Picture.h"
#include "check/StructureChecks.h"
#include "platform/posix/PosixPlatform.h"

namespace {

using t2v::check::StructureDigest;

// One mesh node per element group, named after it, with one material in the group's
// colour: frames as lines, areas as two triangles each. The structure's Z up becomes
// glTF's Y up (x, z, -y).
void WriteGlb(const StructureDigest& d, std::ostream& out) {
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "vantra-view";
    model.buffers.emplace_back();
    std::vector<unsigned char>& bytes = model.buffers[0].data;
    tinygltf::Scene scene;

    auto groupType = [&](int g) {
        return g >= 1 && static_cast<std::size_t>(g) <= d.groups.size() ? d.groups[static_cast<std::size_t>(g - 1)].type
                                                                        : 0;
    };
    auto validNode = [&](std::int64_t n) { return n >= 1 && n <= static_cast<std::int64_t>(d.nodes.size()); };
    for (std::size_t g = 1; g <= d.groups.size(); ++g) {
        const bool area = t2v::check::IsAreaType(groupType(static_cast<int>(g)));
        std::vector<float> xyz;
        for (const auto& e : d.elements) {
            if (e.group != static_cast<int>(g)) continue;
            const int corners = area ? 4 : 2;
            if (!std::all_of(e.nodes.begin(), e.nodes.begin() + corners, validNode)) continue;
            auto put = [&](int k) {
                const auto& n = d.nodes[static_cast<std::size_t>(e.nodes[static_cast<std::size_t>(k)] - 1)];
                xyz.insert(xyz.end(), {static_cast<float>(n.x), static_cast<float>(n.z), static_cast<float>(-n.y)});
            };
            if (area)  // nodes 1, 2 bottom and 3, 4 top, running the same way
                for (int k : {0, 1, 3, 0, 3, 2}) put(k);
            else
                for (int k : {0, 1}) put(k);
        }
        if (xyz.empty()) continue;

        const std::string colour = t2v::check::GroupColour(static_cast<int>(g));
        tinygltf::Material material;
        material.name = d.groups[g - 1].name;
        material.doubleSided = true;
        material.pbrMetallicRoughness.baseColorFactor = {std::stoi(colour.substr(1, 2), nullptr, 16) / 255.0,
                                                         std::stoi(colour.substr(3, 2), nullptr, 16) / 255.0,
                                                         std::stoi(colour.substr(5, 2), nullptr, 16) / 255.0, 1.0};
        material.pbrMetallicRoughness.metallicFactor = 0.0;
        model.materials.push_back(material);

        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = bytes.size();
        view.byteLength = xyz.size() * sizeof(float);
        view.target = TINYGLTF_TARGET_ARRAY_BUFFER;
        bytes.resize(bytes.size() + view.byteLength);
        std::memcpy(bytes.data() + view.byteOffset, xyz.data(), view.byteLength);
        model.bufferViews.push_back(view);

        tinygltf::Accessor positions;
        positions.bufferView = static_cast<int>(model.bufferViews.size() - 1);
        positions.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        positions.type = TINYGLTF_TYPE_VEC3;
        positions.count = xyz.size() / 3;
        positions.minValues = {xyz[0], xyz[1], xyz[2]};
        positions.maxValues = positions.minValues;
        for (std::size_t i = 0; i < xyz.size(); ++i) {
            positions.minValues[i % 3] = std::min(positions.minValues[i % 3], static_cast<double>(xyz[i]));
            positions.maxValues[i % 3] = std::max(positions.maxValues[i % 3], static_cast<double>(xyz[i]));
        }
        model.accessors.push_back(positions);

        tinygltf::Primitive primitive;
        primitive.attributes["POSITION"] = static_cast<int>(model.accessors.size() - 1);
        primitive.material = static_cast<int>(model.materials.size() - 1);
        primitive.mode = area ? TINYGLTF_MODE_TRIANGLES : TINYGLTF_MODE_LINE;
        tinygltf::Mesh mesh;
        mesh.name = d.groups[g - 1].name;
        mesh.primitives.push_back(primitive);
        model.meshes.push_back(mesh);
        tinygltf::Node node;
        node.name = d.groups[g - 1].name;
        node.mesh = static_cast<int>(model.meshes.size() - 1);
        model.nodes.push_back(node);
        scene.nodes.push_back(static_cast<int>(model.nodes.size() - 1));
    }
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&model, out, false, true)) throw std::runtime_error("the glTF writer failed");
}

// Streams into a platform output file, which is renamed into place only on commit, so
// that a picture of millions of elements is never held twice in memory.
class OutputFileBuf : public std::streambuf {
public:
    explicit OutputFileBuf(t2v::platform::OutputFile& file) : file_(file) {}

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        return file_.write(s, static_cast<std::size_t>(n)) ? n : 0;
    }
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return file_.write(&ch, 1) ? c : traits_type::eof();
    }

private:
    t2v::platform::OutputFile& file_;
};

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Draws a Vantra structure folder as an SVG picture.", "vantra-view"};
    std::string dir, output;
    app.add_option("DIR", dir, "Structure folder holding the VNTR* files")->required();
    app.add_option("-o,--output", output, "The picture to write: .svg, or .glb for a 3-D model")->required();
    CLI11_PARSE(app, argc, argv);

    const bool glb = EndsWith(output, ".glb");
    if (!glb && !EndsWith(output, ".svg")) {
        std::cerr << "vantra-view: the output must be an .svg or a .glb file: " << output << '\n';
        return 2;
    }
    try {
        const t2v::check::StructureDigest d = t2v::check::ReadStructureDigest(dir);
        std::string name = dir;
        while (name.size() > 1 && name.back() == '/') name.pop_back();
        name = name.substr(name.find_last_of('/') + 1);
        t2v::platform::PosixPlatform platform(std::cout, std::cerr);
        std::string error;
        auto file = platform.createFile(output, error);
        bool written = false;
        if (file) {
            OutputFileBuf buf(*file);
            std::ostream out(&buf);
            if (glb)
                WriteGlb(d, out);
            else
                t2v::check::WriteSvg(d, name, out);
            out.flush();
            written = static_cast<bool>(out) && file->commit();
        }
        if (!written) {
            std::cerr << "vantra-view: cannot write " << output << ": " << (file ? file->error() : error) << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "vantra-view: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
