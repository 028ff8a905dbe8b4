#include "check/StructureDigest.h"

#include <cmath>
#include <string_view>

#include "decode/StructureReader.h"

namespace t2v::check {
namespace {

using decode::Emitter;

// Collects the decoder's events record by record. Every object that is an array item is
// a record; objects that are members of a record (restraints{ux..}, a companion) are
// flattened into it as "restraints.ux"; arrays of scalars become lists of the record.
// A finished record is handed to take() with its path ("nodes.records",
// "nodal_load_patterns.loads.items") and the record that holds it.
class DigestBuilder final : public Emitter {
public:
    explicit DigestBuilder(StructureDigest& d) : d_(d) {
        recs_.emplace_back();  // the file's top object
        levels_.push_back({true, 0, "", ""});
        started_ = false;
    }

    void key(std::string_view k) override { key_.assign(k); }
    void null() override {
        if (inText()) rec().text(fullKey(), "");
    }
    void boolean(bool b) override { number(b ? 1.0 : 0.0); }
    void integer(std::int64_t i) override { number(static_cast<double>(i)); }
    void real(double v, bool) override { number(v); }
    void string(std::string_view s) override { rec().text(fullKey(), s); }
    void beginArray() override {
        Level& top = levels_.back();
        std::string path = top.object ? joinPath(rec().path, top.prefix, key_) : top.arrayPath;
        std::string listKey = top.object ? top.prefix + key_ : std::string();
        levels_.push_back({false, top.rec, std::move(path), std::move(listKey)});
        if (levels_.back().object == false) rec().list(levels_.back().prefix);
    }
    void endArray() override { levels_.pop_back(); }
    void beginObject() override {
        if (!started_) {  // the file's top object is recs_[0]
            started_ = true;
            return;
        }
        Level& top = levels_.back();
        if (top.object) {
            // A member object: its scalars go into the same record under "key.".
            levels_.push_back({true, top.rec, "", top.prefix + key_ + "."});
            return;
        }
        std::size_t r = static_cast<std::size_t>(top.rec) + 1;
        if (recs_.size() <= r) recs_.emplace_back();
        recs_[r].reset(top.arrayPath);
        levels_.push_back({true, static_cast<int>(r), "", ""});
    }
    void endObject() override {
        if (levels_.size() == 1) {
            finishTop();
            return;
        }
        Level done = std::move(levels_.back());
        levels_.pop_back();
        if (done.prefix.empty() && done.rec > 0)
            take(recs_[static_cast<std::size_t>(done.rec)], recs_[static_cast<std::size_t>(done.rec) - 1]);
    }

private:
    struct Rec {
        std::string path;
        std::vector<std::pair<std::string, double>> nums;
        std::size_t numCount = 0;
        std::vector<std::pair<std::string, std::string>> texts;
        std::size_t textCount = 0;
        std::vector<std::pair<std::string, std::vector<double>>> lists;
        std::size_t listCount = 0;

        void reset(const std::string& p) {
            path.assign(p);
            numCount = textCount = listCount = 0;
        }
        void num(const std::string& k, double v) {
            if (numCount == nums.size()) nums.emplace_back();
            nums[numCount].first.assign(k);
            nums[numCount++].second = v;
        }
        void text(const std::string& k, std::string_view v) {
            if (textCount == texts.size()) texts.emplace_back();
            texts[textCount].first.assign(k);
            texts[textCount++].second.assign(v);
        }
        void list(const std::string& k) {
            if (listCount == lists.size()) lists.emplace_back();
            lists[listCount].first.assign(k);
            lists[listCount++].second.clear();
        }
        double get(std::string_view k, double otherwise = 0) const {
            for (std::size_t i = 0; i < numCount; ++i)
                if (nums[i].first == k) return nums[i].second;
            return otherwise;
        }
        std::int64_t i(std::string_view k) const { return static_cast<std::int64_t>(get(k)); }
        std::string str(std::string_view k) const {
            for (std::size_t i = 0; i < textCount; ++i)
                if (texts[i].first == k) return texts[i].second;
            return {};
        }
        const std::vector<double>* items(std::string_view k) const {
            for (std::size_t i = 0; i < listCount; ++i)
                if (lists[i].first == k) return &lists[i].second;
            return nullptr;
        }
    };
    struct Level {
        bool object;
        int rec;                // the record that receives this level's scalars
        std::string arrayPath;  // arrays: the path of their item records
        std::string prefix;     // objects: prefix of flattened keys; arrays: the list's key
    };

    static std::string joinPath(const std::string& recPath, const std::string& prefix, const std::string& key) {
        std::string p = recPath;
        if (!p.empty()) p += '.';
        p += prefix;
        p += key;
        return p;
    }
    Rec& rec() { return recs_[static_cast<std::size_t>(levels_.back().rec)]; }
    bool inText() const { return levels_.back().object; }
    std::string fullKey() const { return levels_.back().prefix + key_; }

    void number(double v) {
        Level& top = levels_.back();
        if (top.object) {
            rec().num(fullKey(), v);
            return;
        }
        // A scalar in an array: an item of the record's list.
        Rec& r = rec();
        if (r.listCount > 0) r.lists[r.listCount - 1].second.push_back(v);
    }

    static std::array<double, 6> six(const Rec& r, const char* const keys[6]) {
        std::array<double, 6> v{};
        for (int k = 0; k < 6; ++k) v[static_cast<std::size_t>(k)] = r.get(keys[k]);
        return v;
    }
    static std::vector<std::int64_t> ints(const std::vector<double>* list) {
        std::vector<std::int64_t> out;
        if (!list) return out;
        out.reserve(list->size());
        for (double v : *list) out.push_back(static_cast<std::int64_t>(v));
        return out;
    }

    void take(const Rec& r, const Rec& parent) {
        static const char* const kRestraints[6] = {"restraints.ux", "restraints.uy", "restraints.uz",
                                                   "restraints.rx", "restraints.ry", "restraints.rz"};
        static const char* const kSlots[6] = {"constraint_slots.ux", "constraint_slots.uy", "constraint_slots.uz",
                                              "constraint_slots.rx", "constraint_slots.ry", "constraint_slots.rz"};
        static const char* const kDofs[6] = {"ux", "uy", "uz", "rx", "ry", "rz"};
        static const char* const kLoads[6] = {"f1", "f2", "f3", "m1", "m2", "m3"};
        const std::string& p = r.path;
        if (p == "nodes.records") {
            DigestNode n;
            n.x = r.get("x");
            n.y = r.get("y");
            n.z = r.get("z");
            auto res = six(r, kRestraints);
            auto slots = six(r, kSlots);
            for (std::size_t k = 0; k < 6; ++k) {
                n.restraints[k] = static_cast<std::uint8_t>(res[k] != 0);
                if (slots[k] != 0) n.inConstraint = true;
            }
            d_.nodes.push_back(n);
        } else if (p == "elements.records") {
            DigestElement e;
            e.group = static_cast<int>(r.i("group"));
            e.compound = static_cast<int>(r.i("compound"));
            auto nodes = ints(r.items("nodes"));
            for (std::size_t k = 0; k < 4 && k < nodes.size(); ++k) e.nodes[k] = nodes[k];
            d_.elements.push_back(e);
        } else if (p == "element_groups.records") {
            d_.groups.push_back(
                {r.str("name"), static_cast<int>(r.i("element_type")), r.i("first_element"), r.i("last_element")});
        } else if (p == "constraints.records") {
            d_.constraints.push_back(r.str("name"));
        } else if (p == "mass_patterns.records") {
            d_.massPatterns.push_back(r.str("name"));
        } else if (p == "mass_patterns.masses.items") {
            d_.masses.push_back({static_cast<int>(parent.i("pattern")), r.i("node"), six(r, kDofs)});
        } else if (p == "frames.records") {
            d_.frames.push_back({r.str("name"), {}, {}});
        } else if (p == "frames.members") {
            auto f = static_cast<std::size_t>(r.i("frame"));
            if (f >= 1 && f <= d_.frames.size()) {
                d_.frames[f - 1].nodes = ints(r.items("nodes"));
                d_.frames[f - 1].elements = ints(r.items("elements"));
            }
        } else if (p == "nodal_load_patterns.records") {
            d_.nodalPatterns.push_back({r.str("name"), static_cast<int>(r.i("kind"))});
        } else if (p == "nodal_load_patterns.loads.items") {
            d_.nodalLoads.push_back({static_cast<int>(parent.i("pattern")), r.i("node"), six(r, kLoads)});
        } else if (p == "element_load_patterns.records") {
            d_.elementPatterns.push_back({r.str("name"), static_cast<int>(r.i("kind"))});
        } else if (p == "element_load_patterns.shapes") {
            d_.shapes.push_back({static_cast<int>(r.i("shape")), static_cast<int>(r.i("pattern")),
                                 static_cast<int>(r.i("group")), r.i("element_count"), r.i("item_count"),
                                 r.i("first_item")});
        } else if (p == "element_load_patterns.element_matrix.items") {
            d_.shapeUses.push_back(
                {static_cast<int>(parent.i("pattern")), r.i("element"), static_cast<int>(r.i("shape"))});
        } else if (p == "element_load_patterns.items") {
            DigestLoadItem item;
            item.type = static_cast<int>(r.i("type"));
            item.next = r.i("next");
            if (const auto* v = r.items("values"))
                for (std::size_t k = 0; k < 4 && k < v->size(); ++k) item.values[k] = (*v)[k];
            d_.loadItems.push_back(item);
        } else if (p == "self_weight_patterns.records") {
            d_.selfWeightPatterns.push_back({r.str("name"), static_cast<int>(r.i("kind"))});
        } else if (p == "self_weight_patterns.flags") {
            d_.selfWeightElements.push_back(ints(r.items("elements")));
        } else if (p == "section_cuts.records") {
            d_.cuts.push_back({r.str("name"), r.i("first_item"), r.i("item_count")});
        } else if (p == "section_cut_items.records") {
            d_.cutItems.push_back({r.i("element"), r.i("next")});
        } else if (p == "section_groups.records") {
            d_.sectionGroups.push_back(r.str("name"));
        } else if (p == "section_groups.members") {
            d_.sectionGroupCuts.push_back(ints(r.items("cuts")));
        } else if (p == "drifts.records") {
            d_.drifts.push_back({r.str("name"), r.i("top_node"), r.i("bottom_node")});
        } else if (p == "components.C101.records") {
            d_.frameCompounds.push_back({r.get("weight_per_length")});
        } else if (p == "components.C102.records" || p == "components.C103.records") {
            DigestAreaComponent c{r.get("thickness"), r.get("unit_weight"), r.i("shear_material"),
                                  static_cast<int>(r.i("material_kind"))};
            (p == "components.C102.records" ? d_.wallCompounds : d_.generalWalls).push_back(c);
        } else if (p == "components.C68.records") {
            d_.slabSections.push_back({r.get("thickness"), r.get("unit_weight"), r.i("material"), 0});
        }
    }

    void finishTop() {
        const Rec& top = recs_[0];
        d_.lengthUnit = static_cast<int>(top.i("header.length_unit"));
        d_.forceUnit = static_cast<int>(top.i("header.force_unit"));
        d_.gravity = top.get("header.gravity");
        d_.inelasticMaterials = top.i("components.C51.count");
        d_.elasticShearMaterials = top.i("components.C54.count");
        d_.elasticSlabMaterials = top.i("components.C55.count");
    }

    StructureDigest& d_;
    std::vector<Rec> recs_;
    std::vector<Level> levels_;
    std::string key_;
    bool started_;
};

}  // namespace

StructureDigest ReadMainFileDigest(const std::string& path) {
    StructureDigest d;
    DigestBuilder builder(d);
    decode::StreamStructureFile(path, "S", builder);
    return d;
}

StructureDigest ReadStructureDigest(const std::string& dir) {
    return ReadMainFileDigest(dir + "/" + decode::StructureFileName("S"));
}

std::string LengthUnitName(int code) {
    static const char* const kNames[] = {"in", "ft", "mm", "cm", "m"};
    if (code >= 0 && code < 5) return kNames[code];
    return "code " + std::to_string(code);
}

std::string ForceUnitName(int code) {
    static const char* const kNames[] = {"kip", "lb", "N", "kN", "kgf", "tonf"};
    if (code >= 0 && code < 6) return kNames[code];
    return "code " + std::to_string(code);
}

}  // namespace t2v::check
