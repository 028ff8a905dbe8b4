// The target model store: the whole Vantra structure between the fill steps and the
// file writer.
//
// Every table holds its records as the exact bytes of the structure file (see
// common/Record.h) with a count and a capacity beside it; a record's 1-based position
// is its identifier. Capacities are part of the written data, so they follow the
// growth rule of each table's Add procedure, but nothing is allocated for capacity that
// is never written. Matrices that span two tables (pattern x node, pattern x element,
// frame x node, ...) are kept sparse and streamed by the writer, which fills the gaps
// with zeros.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/Record.h"
#include "platform/LargeMemory.h"
#include "target/CompoundLayout.h"
#include "target/CrossSectionLayout.h"
#include "target/DriftLayout.h"
#include "target/ElementLayout.h"
#include "target/FemaLayout.h"
#include "target/FrameLayout.h"
#include "target/LoadCaseLayout.h"
#include "target/LoadLayout.h"
#include "target/MaterialLayout.h"
#include "target/NodeLayout.h"
#include "target/ReleaseLayout.h"
#include "target/SectionCutLayout.h"

namespace t2v::target {

// A table that would pass its counter's range. Ends the transfer with a message that
// names the table instead of writing a wrapped value.
class CounterOverflow : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class CounterWidth { Int16, Int32 };

// How a table's capacity grows when a record is appended.
enum class Growth {
    CountPlus10,       // when the new count passes the capacity: capacity = count + 10
    CapacityPlus5,     // when the new count passes the capacity: capacity = capacity + 5
    AlwaysCountPlus10  // on every append: capacity = count + 10
};

// The capacity after an append that made the count `count`: the one place the growth
// rules are applied. Never past `limit`, the largest value the file's counter holds.
inline std::int32_t GrownCapacity(Growth rule, std::int32_t count, std::int32_t capacity, std::int32_t limit) {
    std::int64_t c = capacity;
    switch (rule) {
        case Growth::CountPlus10:
            if (count > capacity) c = std::int64_t{count} + 10;
            break;
        case Growth::CapacityPlus5:
            if (count > capacity) c = std::int64_t{capacity} + 5;
            break;
        case Growth::AlwaysCountPlus10:
            c = std::int64_t{count} + 10;
            break;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(c, limit));
}

// Which of a component table's sizes its add procedure reports to the store's
// largest-component-table figure (MaxComponentCapacity); None for other tables.
enum class ComponentFigure { None, Count, Capacity };

// What a table's declaration states once instead of every call site.
struct TableRules {
    CounterWidth width = CounterWidth::Int16;
    Growth growth = Growth::CountPlus10;
    ComponentFigure figure = ComponentFigure::None;
};

// A 1-based table of fixed-size records, each optionally followed by a companion
// record of its own size (the component tables write them interleaved).
template <std::size_t N, std::size_t C = 0>
class RecordTable {
public:
    static constexpr std::size_t kRecordSize = N;
    static constexpr std::size_t kCompanionSize = C;
    static constexpr std::size_t kRowSize = N + C;

    explicit RecordTable(std::string name, CounterWidth width = CounterWidth::Int16)
        : RecordTable(std::move(name), TableRules{.width = width}) {}
    RecordTable(std::string name, TableRules rules)
        : name_(std::move(name)), width_(rules.width), growth_(rules.growth), figure_(rules.figure) {}

    const std::string& name() const { return name_; }
    std::int32_t count() const { return count_; }
    std::int32_t capacity() const { return capacity_; }
    std::int32_t limit() const { return width_ == CounterWidth::Int16 ? 32767 : 2147483647 - 16; }

    // Empties the table and sets its counters; `count` zeroed records exist afterwards.
    void reset(std::int32_t count, std::int32_t capacity) {
        count_ = 0;
        bytes_.clear();
        bytes_.shrink_to_fit();
        resizeTo(count);
        capacity_ = capacity;
    }

    // Appends one zeroed record and returns its identifier; grows the capacity by the
    // table's rule. A 16-bit capacity never wraps: it stops at the largest value the
    // file holds.
    std::int32_t add() {
        if (count_ >= limit())
            throw CounterOverflow("too many records in the " + name_ + " table (the structure file holds at most " +
                                  std::to_string(limit()) + ")");
        resizeTo(count_ + 1);
        capacity_ = GrownCapacity(growth_, count_, capacity_, limit());
        return count_;
    }
    ComponentFigure componentFigure() const { return figure_; }

    // Sets the count directly (tables sized in one step, such as the load-case rows);
    // new records are zeroed, the capacity is left to the caller.
    void resizeTo(std::int32_t count) {
        if (count < 0 || count > limit())
            throw CounterOverflow("too many records in the " + name_ + " table (the structure file holds at most " +
                                  std::to_string(limit()) + ")");
        count_ = count;
        bytes_.resize(static_cast<std::size_t>(count) * kRowSize, 0);
    }
    void setCapacity(std::int32_t capacity) { capacity_ = std::min(capacity, limit()); }

    RecordView rec(std::int32_t id) { return RecordView(row(id), N); }
    RecordView companion(std::int32_t id) { return RecordView(row(id) + N, C); }
    const std::uint8_t* rowBytes(std::int32_t id) const { return bytes_.data() + offsetOf(id); }
    // All rows, records and companions interleaved, in identifier order.
    const platform::LargeVector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::size_t offsetOf(std::int32_t id) const {
        if (id < 1 || id > count_)
            throw std::out_of_range("record " + std::to_string(id) + " of the " + name_ + " table does not exist");
        return static_cast<std::size_t>(id - 1) * kRowSize;
    }
    std::uint8_t* row(std::int32_t id) { return bytes_.data() + offsetOf(id); }

    std::string name_;
    CounterWidth width_;
    Growth growth_;
    ComponentFigure figure_;
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
    platform::LargeVector<std::uint8_t> bytes_;
};

// A matrix of mostly-empty rows: per row, the columns that carry a value. Rows keep
// the order in which values were set; sortedRow() gives them by column with the
// last value set for a column winning.
template <class T>
class SparseRows {
public:
    void reset(std::size_t rows) {
        rows_.clear();
        rows_.resize(rows);
    }
    std::size_t rows() const { return rows_.size(); }
    void set(std::size_t row, std::int32_t col, const T& value) { rows_.at(row).emplace_back(col, value); }
    // Row `row` by ascending column, one entry per column.
    std::vector<std::pair<std::int32_t, T>> sortedRow(std::size_t row) const {
        auto r = rows_.at(row);
        std::stable_sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::pair<std::int32_t, T>> out;
        out.reserve(r.size());
        for (auto& e : r) {
            if (!out.empty() && out.back().first == e.first)
                out.back().second = e.second;
            else
                out.push_back(e);
        }
        return out;
    }

private:
    std::vector<std::vector<std::pair<std::int32_t, T>>> rows_;
};

// Nodal load matrix item: F1, F2, F3, M1, M2, M3, presence, spare.
using NodalLoadItem = std::array<float, 8>;
// Nodal mass matrix item: one mass per degree of freedom.
using NodalMassItem = std::array<float, 6>;

// Element load shape item (16 bytes in the file).
struct ElementLoadShapeItem {
    std::int32_t elementCount = 0;
    std::int16_t itemCount = 0;
    std::int16_t firstItem = 0;
};

struct VantraModel {
    // --- header -------------------------------------------------------------------
    std::string FileKind = "VNTR";
    std::string FileVersion = "4.0";
    std::int16_t FormatMajor = 4;
    std::uint8_t FormatMinor = 5;
    std::string ProductName = "VANTRA V4";
    std::string ProductFamily = "VANTRA";
    std::string Comment;
    std::string StructureName;  // held as given; the writer uses its first 12 characters
    std::string StructureTitle = "Model Transferred";
    std::string StructuresRoot;
    std::string StructureDir;
    // The analysis series whose earlier results folder the driver clears once the new
    // structure is in place (empty: none was made).
    std::string SeriesToReset;

    // --- units (SetUnitDefaults) --------------------------------------------------------
    std::int16_t LengthUnit = 4;
    std::int16_t ForceUnit = 3;
    float Gravity = 9.81f;
    std::int16_t ErrorBeep = 0;
    std::int16_t SizePresetIndex = 1;
    std::int16_t UnitFlag4 = 4;
    double DefaultSizeValue = 0.15;
    std::string DefaultSizeLabel = "0.15 m.";
    std::array<float, 5> LengthToInches{};
    std::array<float, 6> ForceToKips{};
    std::array<std::array<float, 4>, 5> SizePresetValues{};
    std::array<std::array<std::string, 4>, 5> SizePresetLabels{};
    std::int32_t UnitCounter0 = 0, UnitCounter1 = 0;

    std::int16_t HeaderWord0 = 0, HeaderWord1 = 0;
    std::int32_t HeaderLong0 = 0, HeaderLong1 = 0, HeaderLong2 = 0;
    std::int16_t TailSectionFlag = 1;
    std::int16_t ReservedListCount = 0, ReservedListCapacity = 0;

    // --- nodes and constraints ----------------------------------------------------------
    RecordTable<layout::node::kSize> NodeTable{"node", CounterWidth::Int32};
    std::int32_t NodeLast = 0;
    RecordTable<layout::constraint::kSize> ConstraintTable{"constraint"};

    // --- masses ---------------------------------------------------------------------------
    RecordTable<layout::mass_pattern::kSize> MassPatternTable{"mass pattern"};
    // [pattern - 1][node - 1], sized pattern count x node count when the mass step runs.
    std::vector<std::vector<NodalMassItem>> NodalMassMatrix;

    // --- elements -------------------------------------------------------------------------
    RecordTable<layout::element_group::kSize> ElementGroupTable{"element group"};
    std::int32_t ElementGroupLast = 0;
    RecordTable<layout::element::kSize> ElementTable{"element", CounterWidth::Int32};
    std::int32_t ElementLast = 0;

    // --- frames (named sets of nodes and elements) ----------------------------------------
    RecordTable<layout::frame::kSize> FrameTable{"frame"};
    std::vector<std::pair<std::int32_t, std::int32_t>> FrameNodeMembers;     // (node, frame)
    std::vector<std::pair<std::int32_t, std::int32_t>> FrameElementMembers;  // (element, frame)

    // --- nodal load patterns -----------------------------------------------------------------
    RecordTable<layout::load_pattern::kSize> NodalLoadPatternTable{"nodal load pattern"};
    SparseRows<NodalLoadItem> NodalLoadMatrix;  // row = pattern - 1, column = node

    // --- element load patterns ------------------------------------------------------------------
    RecordTable<layout::load_pattern::kSize> ElementLoadPatternTable{"element load pattern"};
    std::int32_t ElementLoadShapeCount = 1;
    std::vector<std::vector<std::int16_t>> ElementLoadGroupMatrix;  // [pattern - 1][group - 1]
    std::map<std::tuple<std::int32_t, std::int32_t, std::int32_t>, ElementLoadShapeItem>
        ElementLoadShapeTable;                          // (shape, pattern, group)
    SparseRows<std::int16_t> ElementLoadElementMatrix;  // row = pattern - 1, column = element
    RecordTable<layout::element_load_item::kSize> ElementLoadItemTable{"element load item"};

    // --- self weight ----------------------------------------------------------------------------
    RecordTable<layout::load_pattern::kSize> SelfWeightPatternTable{"self-weight pattern"};
    std::vector<std::vector<std::uint8_t>> SelfWeightElementMatrix;  // [pattern - 1][element - 1]

    // --- section cuts -----------------------------------------------------------------------------
    RecordTable<layout::section_cut::kSize> SectionCutTable{"section cut"};
    std::int32_t SectionCutLast = 0;
    RecordTable<layout::section_cut_part::kSize> SectionCutPartTable{"section cut part"};
    RecordTable<layout::section_cut_item::kSize> SectionCutItemTable{"section cut item", CounterWidth::Int32};
    RecordTable<layout::section_group::kSize> SectionGroupTable{"section group", {.growth = Growth::AlwaysCountPlus10}};
    std::vector<std::vector<std::uint8_t>> SectionGroupMatrix;  // [group - 1][cut - 1]

    // --- drifts -----------------------------------------------------------------------------------
    RecordTable<layout::drift::kSize> DriftTable{"drift"};
    RecordTable<layout::deflection::kSize> DeflectionTable{"deflection"};

    // --- components -------------------------------------------------------------------------------
    std::int16_t MaxComponentCapacity = 1;
    RecordTable<layout::fema_beam::kSize, layout::fema_beam::kCompanionSize> FemaBeamTable{
        "FEMA beam component", {.figure = ComponentFigure::Count}};  // C8
    RecordTable<layout::fema_column::kSize, layout::fema_column::kCompanionSize> FemaColumnTable{
        "FEMA column component", {.figure = ComponentFigure::Count}};  // C13
    RecordTable<layout::end_zone::kSize> EndZoneTable{"end zone"};     // C37
    RecordTable<layout::release_component::kSize> ReleaseComponentTable{
        "release component", {.growth = Growth::CapacityPlus5, .figure = ComponentFigure::Capacity}};  // C38
    RecordTable<layout::inelastic_material::kSize, layout::inelastic_material::kCompanionSize> InelasticMaterialTable{
        "inelastic material", {.figure = ComponentFigure::Count}};  // C51
    RecordTable<layout::elastic_fiber_material::kSize> ElasticFiberMaterialTable{
        "elastic fiber material", {.figure = ComponentFigure::Count}};  // C53
    RecordTable<layout::elastic_shear_material::kSize, layout::elastic_shear_material::kCompanionSize>
        ElasticShearMaterialTable{"elastic shear material", {.figure = ComponentFigure::Capacity}};  // C54
    RecordTable<layout::elastic_slab_material::kSize> ElasticSlabMaterialTable{
        "elastic slab material", {.figure = ComponentFigure::Capacity}};  // C55
    RecordTable<layout::beam_section::kSize> BeamSectionTable{"beam section",
                                                              {.figure = ComponentFigure::Capacity}};  // C66
    RecordTable<layout::column_section::kSize> ColumnSectionTable{"column section",
                                                                  {.figure = ComponentFigure::Capacity}};  // C67
    RecordTable<layout::slab_section::kSize> SlabSectionTable{"slab section",
                                                              {.figure = ComponentFigure::Count}};  // C68
    std::int32_t SlabSectionCount2 = 0;
    RecordTable<layout::inelastic_wall_section::kSize, layout::inelastic_wall_section::kCompanionSize>
        InelasticWallSectionTable{"inelastic wall section", {.figure = ComponentFigure::Count}};  // C70
    RecordTable<layout::elastic_wall_section::kSize> ElasticWallSectionTable{
        "elastic wall section", {.figure = ComponentFigure::Count}};  // C71
    RecordTable<layout::frame_compound::kSize, layout::frame_compound::kCompanionSize> FrameCompoundTable{
        "frame compound", {.figure = ComponentFigure::Count}};  // C101
    RecordTable<layout::wall_compound::kSize> WallCompoundTable{"wall compound",
                                                                {.figure = ComponentFigure::Capacity}};  // C102
    RecordTable<layout::general_wall_compound::kSize> GeneralWallCompoundTable{
        "general wall compound", {.figure = ComponentFigure::Capacity}};  // C103

    // Raises MaxComponentCapacity to at least `size`.
    void raiseMaxComponentCapacity(std::int32_t size) {
        if (size > MaxComponentCapacity) MaxComponentCapacity = static_cast<std::int16_t>(std::min(size, 32767));
    }

    // Appends a record to component table `t` and raises MaxComponentCapacity to the
    // size the table's rules name: the one place the component-capacity rule is applied.
    template <std::size_t N, std::size_t C>
    std::int32_t addComponent(RecordTable<N, C>& t) {
        const std::int32_t id = t.add();
        switch (t.componentFigure()) {
            case ComponentFigure::Count:
                raiseMaxComponentCapacity(t.count());
                break;
            case ComponentFigure::Capacity:
                raiseMaxComponentCapacity(t.capacity());
                break;
            case ComponentFigure::None:
                break;
        }
        return id;
    }

    // --- load cases ("L" file) --------------------------------------------------------------------
    RecordTable<layout::gravity_case::kSize> GravityLoadCaseTable{"gravity load case"};     // kind 1
    RecordTable<layout::pushover_case::kSize> PushoverLoadCaseTable{"pushover load case"};  // kind 2
    RecordTable<layout::dynamic_case::kSize> DynamicLoadCaseTable{"dynamic load case"};     // kind 3

    // --- analysis cases ("A" file) ----------------------------------------------------------------
    RecordTable<layout::analysis_series::kSize> AnalysisCaseTable{"analysis case"};
    std::int16_t AnalysisStepCount = 0;
    std::int16_t AnalysisGroupCount = 0;
    std::int16_t AnalysisPatternCount = 0;
};

// Resets every table, counter and scalar of the store to its initial value and adds
// the default end zone.
void InitVantraModel(VantraModel& m);

}  // namespace t2v::target
