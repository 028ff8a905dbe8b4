// A host for the area and element tests: an empty model document whose areas, shell
// sections and the objects met at each point are set by the test directly, so that a
// test can build large or unusual models quickly and count the queries.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/document/DocumentHost.h"

namespace t2v::test {

using host::Names;

class AreaTestHost : public host::DocumentHost {
public:
    AreaTestHost()
        : DocumentHost(DocumentHost::FromText(R"({"format": "tarvo-model", "version": 1})", "areas.json")->model()) {}

    struct Area {
        std::string name, section;
        Names points;
    };
    struct Section {
        int type = 1;       // 1 shell
        int shellType = 1;  // 1 thin shell, 6 layered
    };

    std::vector<Area> areas;
    std::map<std::string, Section> sections;
    std::map<std::string, std::vector<int>> connectivity;  // point -> object types
    std::map<std::string, int> connectivityAsked;

    int GetAreaNameList(Names& names) override {
        names.clear();
        for (const Area& a : areas) names.push_back(a.name);
        return 0;
    }
    int GetAreaProperty(const std::string& name, std::string& section) override {
        const Area* a = find(name);
        if (a == nullptr) return 1;
        section = a->section;
        return 0;
    }
    int GetAreaPoints(const std::string& name, Names& points) override {
        const Area* a = find(name);
        if (a == nullptr) return 1;
        points = a->points;
        return 0;
    }
    int GetAreaSectionType(const std::string& name, int& type) override {
        auto it = sections.find(name);
        if (it == sections.end()) return 1;
        type = it->second.type;
        return 0;
    }
    int GetShell(const std::string& name, int& shellType, int&, std::string&, double&, double&, double&) override {
        auto it = sections.find(name);
        if (it == sections.end()) return 1;
        shellType = it->second.shellType;
        return 0;
    }
    int GetPointConnectivity(const std::string& name, std::vector<int>& types, Names& objects) override {
        ++connectivityAsked[name];
        types.clear();
        objects.clear();
        auto it = connectivity.find(name);
        if (it == connectivity.end()) return 0;
        types = it->second;
        objects.assign(types.size(), "obj");
        return 0;
    }

private:
    const Area* find(const std::string& name) {
        if (byName_.size() != areas.size()) {
            byName_.clear();
            for (std::size_t i = 0; i < areas.size(); ++i) byName_.emplace(areas[i].name, i);
        }
        auto it = byName_.find(name);
        return it == byName_.end() ? nullptr : &areas[it->second];
    }
    std::map<std::string, std::size_t> byName_;
};

}  // namespace t2v::test
