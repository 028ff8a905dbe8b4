// The in-memory source model: every object read from the host, the read sequence,
// the lookups by label and the geometric queries.
//
// Tables are 1-based in their accessors (NodeObj(1) is the first node) and keep their
// objects at stable addresses, so objects refer to each other by pointer. Lookups by
// label answer the first object in table order whose label matches exactly, through an
// index rather than a scan.
#pragma once

#include <algorithm>
#include <bit>
#include <iterator>
#include <stdexcept>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/TarvoHost.h"
#include "platform/LargeMemory.h"
#include "platform/Platform.h"
#include "source/LabelIndex.h"
#include "source/SourceObjects.h"
#include "common/TransferReport.h"
#include "common/Units.h"

namespace t2v::source {

class NodeCoordIndex;

// A 1-based table of source objects at stable addresses.
//
// Objects live in blocks, each allocated once with room for all of its objects: the
// first holds 16, each next one twice as many up to about 8 MB, and from there every
// block is that size. A table of a million frames costs a few dozen allocations (large
// ones, which the platform may back with large pages), a table of three materials one
// small one, and no object ever moves.
template <class T>
class ObjTable {
    static constexpr std::size_t kFirst = 16;
    static constexpr std::size_t kFull = std::max<std::size_t>(2 * kFirst, (std::size_t{8} << 20) / sizeof(T));
    // Blocks 0..kGrowing-1 hold kFirst << k objects (each fewer than kFull), kGrown in all.
    static constexpr std::size_t kGrowing = [] {
        std::size_t k = 0;
        while ((kFirst << k) < kFull) ++k;
        return k;
    }();
    static constexpr std::size_t kGrown = kFirst * ((std::size_t{1} << kGrowing) - 1);

    static std::size_t blockSize(std::size_t k) { return k < kGrowing ? kFirst << k : kFull; }
    // Block and offset of the object at 0-based position i.
    static void locate(std::size_t i, std::size_t& block, std::size_t& offset) {
        if (i < kGrown) {
            block = static_cast<std::size_t>(std::bit_width(i / kFirst + 1)) - 1;
            offset = i - kFirst * ((std::size_t{1} << block) - 1);
        } else {
            block = kGrowing + (i - kGrown) / kFull;
            offset = (i - kGrown) % kFull;
        }
    }

public:
    template <class Table, class Value>
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;
        Iterator() = default;
        Iterator(Table* table, std::size_t at) : table_(table), at_(at) { settle(); }
        reference operator*() const { return *cur_; }
        pointer operator->() const { return cur_; }
        Iterator& operator++() {
            ++at_;
            if (++cur_ == blockEnd_) settle();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        void settle() {
            if (!table_ || at_ >= table_->size_) {
                cur_ = blockEnd_ = nullptr;
                return;
            }
            std::size_t block = 0, offset = 0;
            locate(at_, block, offset);
            auto& b = table_->blocks_[block];
            cur_ = b.data() + offset;
            blockEnd_ = b.data() + b.size();
        }
        Table* table_ = nullptr;
        std::size_t at_ = 0;
        Value* cur_ = nullptr;
        Value* blockEnd_ = nullptr;
    };
    using iterator = Iterator<ObjTable, T>;
    using const_iterator = Iterator<const ObjTable, const T>;

    int Num() const { return static_cast<int>(size_); }
    T& Obj(int i) { return at(checked(i)); }
    const T& Obj(int i) const { return at(checked(i)); }
    T& Add() {
        if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) {
            blocks_.emplace_back();
            blocks_.back().reserve(blockSize(blocks_.size() - 1));  // never grows past this
        }
        ++size_;
        return blocks_.back().emplace_back();
    }
    void clear() {
        blocks_.clear();
        size_ = 0;
    }
    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, size_); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size_); }

private:
    T& at(std::size_t i) {
        std::size_t block = 0, offset = 0;
        locate(i, block, offset);
        return blocks_[block][offset];
    }
    const T& at(std::size_t i) const {
        std::size_t block = 0, offset = 0;
        locate(i, block, offset);
        return blocks_[block][offset];
    }
    std::size_t checked(int i) const {
        if (i < 1 || static_cast<std::size_t>(i) > size_)
            throw std::out_of_range("object " + std::to_string(i) + " of a table of " + std::to_string(size_));
        return static_cast<std::size_t>(i - 1);
    }
    std::vector<platform::LargeVector<T>> blocks_;
    std::size_t size_ = 0;
};

// Where the records of the time-history functions go, from the transfer dialog.
struct RecordsLocation {
    std::string VantraHome;
    std::string EqkeGroupName = "EqkeGroup";
};

// Progress of a long read, for the command line's display: (step name, done, total).
using ReadProgress = std::function<void(std::string_view step, long done, long total)>;

class TarvoModelObj {
public:
    // `units` holds the unit values the driver set (gravity, length factors); the
    // source model reads them, never the tables.
    TarvoModelObj(host::TarvoHost& host, platform::Platform& platform, const t2v::Units& units,
                  RecordsLocation records);

    // Reads the whole host model in the fixed order of 27 steps.
    void ReadTarvoData();
    // Releases every object and sets every count to 0.
    void Dispose();

    // --- tables ---------------------------------------------------------------------------
    int NodeNum() const { return Nodes.Num(); }
    TarvoNodeObj& NodeObj(int i) { return Nodes.Obj(i); }
    int ConstraintNum() const { return static_cast<int>(Constraints.size()); }
    TarvoConstraintObj& ConstraintObj(int i) { return *Constraints.at(static_cast<std::size_t>(i - 1)); }
    int FrameReleaseNum() const { return FrameReleases.Num(); }
    TarvoFrameReleaseObj& FrameReleaseObj(int i) { return FrameReleases.Obj(i); }
    int FrameNum() const { return Frames.Num(); }
    TarvoFrameObj& FrameObj(int i) { return Frames.Obj(i); }
    int AreaNum() const { return Areas.Num(); }
    TarvoAreaObj& AreaObj(int i) { return Areas.Obj(i); }
    int PropMatNum() const { return PropMats.Num(); }
    TarvoPropMaterialObj& PropMatObj(int i) { return PropMats.Obj(i); }
    int PropFrameSectNum() const { return PropFrameSects.Num(); }
    TarvoPropFrameSectObj& PropFrameSectObj(int i) { return PropFrameSects.Obj(i); }
    int PropEmbedFrameSectNum() const { return PropEmbedFrameSects.Num(); }
    TarvoPropFrameSectObj& PropEmbedFrameSectObj(int i) { return PropEmbedFrameSects.Obj(i); }
    int PropAreaSectNum() const { return PropAreaSects.Num(); }
    TarvoPropAreaSectObj& PropAreaSectObj(int i) { return PropAreaSects.Obj(i); }
    int LoadPatternNum() const { return LoadPatterns.Num(); }
    TarvoLoadPatternObj& LoadPatternObj(int i) { return LoadPatterns.Obj(i); }
    int LoadNodeNum() const { return LoadNodes.Num(); }
    TarvoLoadNodeObj& LoadNodeObj(int i) { return LoadNodes.Obj(i); }
    int LoadAreaNum() const { return LoadAreas.Num(); }
    TarvoLoadAreaObj& LoadAreaObj(int i) { return LoadAreas.Obj(i); }
    int THFuncNum() const { return THFuncs.Num(); }
    TarvoTHFuncObj& THFuncObj(int i) { return THFuncs.Obj(i); }

    // --- appenders (count + 1, new object stored at the new index, label indexed) ---------
    TarvoNodeObj& AddNode(const std::string& label);
    TarvoFrameReleaseObj& AddFrameRelease();
    TarvoFrameObj& AddFrame(const std::string& label);
    TarvoAreaObj& AddArea(const std::string& label);
    TarvoPropMaterialObj& AddPropMat(const std::string& label);
    TarvoPropFrameSectObj& AddPropFrameSect(const std::string& label);
    TarvoPropFrameSectObj& AddPropEmbedFrameSect();
    TarvoPropAreaSectObj& AddPropAreaSect(const std::string& label);
    TarvoLoadPatternObj& AddLoadPatternObj(const std::string& label);
    TarvoLoadNodeObj& AddLoadNodeObj(const std::string& label);
    TarvoLoadAreaObj& AddLoadAreaObj();
    TarvoTHFuncObj& AddTHFuncObj(const std::string& label);

    // --- lookups: first object in table order with that exact label ---------------------
    std::int32_t NodeIdGet(std::string_view label) const;  // -1 when none
    TarvoNodeObj* NodeObjGet(std::string_view label) const { return nodeIndex_.find(label); }
    TarvoFrameObj* FrameObjGet(std::string_view label) const { return frameIndex_.first(label); }
    TarvoPropFrameSectObj* PropFrameSectObjGet(std::string_view label) const { return frameSectIndex_.find(label); }
    TarvoPropAreaSectObj* PropAreaSectObjGet(std::string_view label) const { return areaSectIndex_.find(label); }
    TarvoPropMaterialObj* PropMaterialObjGet(std::string_view label) const { return matIndex_.find(label); }
    TarvoTHFuncObj* THFuncObjGet(std::string_view label) const { return thFuncIndex_.find(label); }
    TarvoLoadNodeObj* LoadNodeObjGet(std::string_view label) const { return loadNodeIndex_.find(label); }
    TarvoLoadPatternObj* LoadPatternObjGet(std::string_view label) const { return patternIndex_.find(label); }
    // The node of a frame end: the first node with the end's label. The id recorded
    // when the frame was read names that node (nodes are only ever appended, so the
    // first stays first); a lookup by label is needed only when there was none then.
    TarvoNodeObj* FrameEndNode(std::int32_t id, std::string_view label) {
        if (id >= 2 && id - 1 <= NodeNum()) return &Nodes.Obj(id - 1);
        return NodeObjGet(label);
    }
    // Every frame / area with that label, in table order.
    using FrameChains = LabelChains<TarvoFrameObj, &TarvoFrameObj::NextSameLabel>;
    using AreaChains = LabelChains<TarvoAreaObj, &TarvoAreaObj::NextSameLabel>;
    FrameChains::Range FramesWithLabel(std::string_view label) const { return frameIndex_.find(label); }
    AreaChains::Range AreasWithLabel(std::string_view label) const { return areaIndex_.find(label); }

    // --- geometric queries ---------------------------------------------------------------------
    double AreaObjAreaGet(const TarvoAreaObj& area, bool IsProjected = false) const;
    double FrameObjLengthGet(const TarvoFrameObj& frame, bool IsProjected = false) const;
    std::int32_t FrameOrientationGet(const TarvoFrameObj& frame) const;

    // --- other fields ----------------------------------------------------------------------------
    TarvoNodeObj* NodeTopObj = nullptr;
    TarvoNodeObj* NodeBotObj = nullptr;
    std::int32_t MassSrcOption = 1;
    std::vector<std::string> MassSrcLoadPattern;  // MassSrcLoadNum entries
    std::vector<double> MassSrcSF;
    int MassSrcLoadNum() const { return static_cast<int>(MassSrcLoadPattern.size()); }

    static bool IsLoadPatternDeadOrLive(int) { return true; }

    void setProgress(ReadProgress p) { progress_ = std::move(p); }

    // The read steps, in the order ReadTarvoData calls them. Public so that tests can
    // run a step on a model they built by hand.
    void ReadMaterials();                 // 1
    void ReadFrameSections();             // 2
    void ReadAreaSections();              // 3
    void ReadNodes();                     // 4
    void ReadConstraints();               // 5
    void ReadFrames();                    // 6
    void ReadFrameReleases();             // 7
    void ReadAreas();                     // 8
    void ReadLoadPatterns();              // 9
    void ReadLoadNodes();                 // 10
    void ReadLoadFramesDistributed();     // 11
    void ReadLoadFramesPoint();           // 12
    void CheckLoadFramePoint();           // 13
    void ReadLoadAreas();                 // 14
    void ConvertLoadAreasToNodes();       // 15
    void SpreadAreaLoadsToNodes();        // 15 as the whole read runs it: then drops the area loads
    void LinkFrameSectionsToMaterials();  // 16
    void LinkAreaSectionsToMaterials();   // 17 (then GenerateLayerVantraType)
    void LinkFramesToSections();          // 18
    void LinkAreasToSections();           // 19
    void ClassifyFrames();                // 20
    void ClassifyAreas();                 // 21
    void ReadMasses();                    // 22
    void ReadTarvoTHFunc();               // 23
    void SetLoadPatternFlags();           // 24
    void FindTopBottomNodes();            // 25
    void ReadFrameHinges();               // 26
    void FindEmbeddedBeams();             // 27

    // Helpers of the read steps that tests reach directly.
    TarvoNodeObj& GetOrAddNewNode(long& k, double x, double y, double z);
    void OrderAreaNodes(TarvoAreaObj& area);
    void GenerateLayerVantraType(TarvoPropAreaSectObj& sect);
    void RemoveConstraint(int i);  // 1-based; later constraints shift down

    host::TarvoHost& Host() { return host_; }
    platform::Platform& Plat() { return platform_; }
    const t2v::Units& UnitValues() const { return units_; }
    const RecordsLocation& Records() const { return records_; }

    // What the read steps and the fill steps leave out or change; the driver hands it
    // to the caller after the transfer.
    TransferReport Report;
    std::size_t RecordsWritten = 0;  // earthquake record files written by output::WriteEarthquakeRecords

    ObjTable<TarvoNodeObj> Nodes;
    std::vector<std::unique_ptr<TarvoConstraintObj>> Constraints;
    // Constraints removed from the table by merging: nodes still refer to them, so
    // they live as long as the nodes do.
    std::vector<std::unique_ptr<TarvoConstraintObj>> RetiredConstraints;
    ObjTable<TarvoFrameReleaseObj> FrameReleases;
    ObjTable<TarvoFrameObj> Frames;
    ObjTable<TarvoAreaObj> Areas;
    ObjTable<TarvoPropMaterialObj> PropMats;
    ObjTable<TarvoPropFrameSectObj> PropFrameSects;
    ObjTable<TarvoPropFrameSectObj> PropEmbedFrameSects;
    ObjTable<TarvoPropAreaSectObj> PropAreaSects;
    ObjTable<TarvoLoadPatternObj> LoadPatterns;
    ObjTable<TarvoLoadNodeObj> LoadNodes;
    ObjTable<TarvoLoadAreaObj> LoadAreas;
    ObjTable<TarvoTHFuncObj> THFuncs;

private:
    void report(std::string_view step, long done, long total) const {
        if (progress_) progress_(step, done, total);
    }

    host::TarvoHost& host_;
    platform::Platform& platform_;
    t2v::Units units_;
    RecordsLocation records_;
    ReadProgress progress_;

    LabelIndex<TarvoNodeObj> nodeIndex_;
    FrameChains frameIndex_;
    AreaChains areaIndex_;
    LabelIndex<TarvoPropFrameSectObj> frameSectIndex_;
    LabelIndex<TarvoPropAreaSectObj> areaSectIndex_;
    LabelIndex<TarvoPropMaterialObj> matIndex_;
    LabelIndex<TarvoTHFuncObj> thFuncIndex_;
    LabelIndex<TarvoLoadNodeObj> loadNodeIndex_;
    LabelIndex<TarvoLoadPatternObj> patternIndex_;
    // Nodes by coordinate cell, for the node search of split areas; built on first
    // use and kept up to date as nodes are appended.
    std::shared_ptr<NodeCoordIndex> nodeCoordIndex_;
    NodeCoordIndex& coordIndex();
};

}  // namespace t2v::source
