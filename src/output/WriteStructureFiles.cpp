#include "output/WriteStructureFiles.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>
#include <stdexcept>

#include "common/Text.h"
#include "output/FileLayout.h"
#include "output/LeWriter.h"

namespace t2v::output {
namespace {

using target::VantraModel;

// A file that could not be written; `opened` tells which of the two messages applies.
struct FileFailure {
    bool opened;
};

template <class Table>
void writeCountedRows(LeWriter& w, const Table& t) {
    w.bytes(t.bytes().data(), t.bytes().size());
}

// Every file starts with the version; "S", "L" and "A" go on with name and title.
void writePreamble(LeWriter& w, const VantraModel& m, bool withNames) {
    namespace preamble = file_layout::preamble;
    w.text(m.FileVersion, preamble::kVersionLength);
    if (withNames) {
        w.text(StructureFolderName(m.StructureName), preamble::kNameLength);
        w.text(m.StructureTitle, preamble::kTitleLength);
    }
    w.checkRecord(0, withNames ? preamble::kFullSize : preamble::kShortSize, "preamble");
}

// --- the "S" file ------------------------------------------------------------------------

// 134-byte header of the main file.
//   0 version text 8 | 8 name text 12 | 20 title text 60 | 80 HeaderWord0 | 82 LengthUnit
//  84 ForceUnit | 86 Gravity f32 | 90 ErrorBeep | 92 SizePresetIndex | 94 UnitFlag4
//  96 TailSectionFlag | 98 extra value | 100 HeaderWord1 | 102 three int32 | 114 reserved
//  list count, capacity | 118 DefaultSizeValue f64 | 126 DefaultSizeLabel text 8
void writeMainHeader(LeWriter& w, const VantraModel& m, int extraValue) {
    writePreamble(w, m, true);
    w.i16(m.HeaderWord0);
    w.i16(m.LengthUnit);
    w.i16(m.ForceUnit);
    w.f32(m.Gravity);
    w.i16(m.ErrorBeep);
    w.i16(m.SizePresetIndex);
    w.i16(m.UnitFlag4);
    w.i16(1);  // TailSectionFlag: the main file always ends with its tail section
    w.i16(extraValue);
    w.i16(m.HeaderWord1);
    w.i32(m.HeaderLong0);
    w.i32(m.HeaderLong1);
    w.i32(m.HeaderLong2);
    w.i16(m.ReservedListCount);
    w.i16(m.ReservedListCapacity);
    w.f64(m.DefaultSizeValue);
    w.text(m.DefaultSizeLabel, file_layout::main_file::kDefaultSizeLabelLength);
    w.checkRecord(0, file_layout::main_file::kHeaderSize, "main file header");
}

// A byte matrix over (row 1..rows) x (frame 1..frames), frame index fastest, from
// (row, frame) pairs; rows start at `firstRow`.
void writeMembershipMatrix(LeWriter& w, std::vector<std::pair<std::int32_t, std::int32_t>> members,
                           std::int32_t firstRow, std::int32_t lastRow, std::int32_t frames) {
    std::sort(members.begin(), members.end());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(frames));
    auto it = members.begin();
    for (std::int32_t r = firstRow; r <= lastRow; ++r) {
        std::fill(row.begin(), row.end(), 0);
        while (it != members.end() && it->first < r) ++it;
        for (; it != members.end() && it->first == r; ++it)
            if (it->second >= 1 && it->second <= frames) row[static_cast<std::size_t>(it->second - 1)] = 1;
        w.bytes(row.data(), row.size());
    }
}

// Items of a sparse pattern x column matrix, columns 1..columns, each `itemSize` bytes.
template <class T, class Emit>
void writeSparseRows(LeWriter& w, const target::SparseRows<T>& rows, std::size_t patterns, std::int32_t columns,
                     std::size_t itemSize, Emit emit) {
    for (std::size_t p = 0; p < patterns; ++p) {
        std::int32_t next = 1;
        if (p < rows.rows()) {
            for (const auto& [col, value] : rows.sortedRow(p)) {
                if (col < 1 || col > columns) continue;
                w.zeros(static_cast<std::size_t>(col - next) * itemSize);
                const std::uint64_t start = w.offset();
                emit(value);
                w.checkRecord(start, itemSize, "matrix item");
                next = col + 1;
            }
        }
        w.zeros(static_cast<std::size_t>(columns - next + 1) * itemSize);
    }
}

void writeNodes(LeWriter& w, const VantraModel& m) {
    w.i32(m.NodeTable.count());
    w.i32(m.NodeLast);
    w.i32(m.NodeTable.capacity());
    writeCountedRows(w, m.NodeTable);
}

void writeConstraints(LeWriter& w, const VantraModel& m) {
    w.i16(m.ConstraintTable.count());
    w.i16(m.ConstraintTable.capacity());
    writeCountedRows(w, m.ConstraintTable);
}

void writeMasses(LeWriter& w, const VantraModel& m) {
    w.taggedI16(m.MassPatternTable.count());
    w.taggedI16(m.MassPatternTable.capacity());
    writeCountedRows(w, m.MassPatternTable);
    const auto nodes = static_cast<std::size_t>(m.NodeTable.count());
    for (std::int32_t p = 1; p <= m.MassPatternTable.count(); ++p) {
        const auto idx = static_cast<std::size_t>(p - 1);
        const std::vector<target::NodalMassItem>* row =
            idx < m.NodalMassMatrix.size() ? &m.NodalMassMatrix[idx] : nullptr;
        for (std::size_t n = 0; n < nodes; ++n) {
            const std::uint64_t start = w.offset();
            if (row && n < row->size()) {
                for (float v : (*row)[n]) w.f32(v);
            } else {
                w.zeros(target::layout::nodal_mass_item::kSize);
            }
            w.checkRecord(start, target::layout::nodal_mass_item::kSize, "nodal mass item");
        }
    }
}

void writeElements(LeWriter& w, const VantraModel& m) {
    w.i16(m.ElementGroupTable.count());
    w.i16(m.ElementGroupLast);
    w.i16(m.ElementGroupTable.capacity());
    writeCountedRows(w, m.ElementGroupTable);
    w.i32(m.ElementTable.count());
    w.i32(m.ElementLast);
    w.i32(m.ElementTable.capacity());
    writeCountedRows(w, m.ElementTable);
}

void writeFrames(LeWriter& w, const VantraModel& m) {
    w.i16(m.FrameTable.count());
    w.i16(m.FrameTable.capacity());
    writeCountedRows(w, m.FrameTable);
    if (m.FrameTable.count() > 0) {
        writeMembershipMatrix(w, m.FrameNodeMembers, 1, m.NodeTable.capacity(), m.FrameTable.capacity());
        writeMembershipMatrix(w, m.FrameElementMembers, 0, m.ElementTable.capacity(), m.FrameTable.capacity());
    }
}

void writeNodalLoads(LeWriter& w, const VantraModel& m) {
    w.i16(m.NodalLoadPatternTable.count());
    w.i16(m.NodalLoadPatternTable.capacity());
    writeCountedRows(w, m.NodalLoadPatternTable);
    writeSparseRows(w, m.NodalLoadMatrix, static_cast<std::size_t>(m.NodalLoadPatternTable.count()),
                    m.NodeTable.count(), target::layout::nodal_load_item::kSize,
                    [&](const target::NodalLoadItem& item) {
                        for (float v : item) w.f32(v);
                    });
}

void writeElementLoads(LeWriter& w, const VantraModel& m) {
    const std::int32_t patterns = m.ElementLoadPatternTable.count();
    const std::int32_t groups = m.ElementGroupTable.count();
    w.i16(patterns);
    w.i16(m.ElementLoadPatternTable.capacity());
    w.i16(m.ElementLoadShapeCount);
    w.i16(m.ElementLoadItemTable.count());
    w.i16(m.ElementLoadItemTable.capacity());
    writeCountedRows(w, m.ElementLoadPatternTable);
    for (std::int32_t p = 1; p <= patterns; ++p)
        for (std::int32_t g = 1; g <= groups; ++g) {
            const auto pi = static_cast<std::size_t>(p - 1), gi = static_cast<std::size_t>(g - 1);
            bool has = pi < m.ElementLoadGroupMatrix.size() && gi < m.ElementLoadGroupMatrix[pi].size();
            w.i16(has ? m.ElementLoadGroupMatrix[pi][gi] : 0);
        }
    if (patterns > 0 && groups > 0) {
        auto it = m.ElementLoadShapeTable.begin();
        for (std::int32_t k = 1; k <= m.ElementLoadShapeCount; ++k)
            for (std::int32_t p = 1; p <= patterns; ++p)
                for (std::int32_t g = 1; g <= groups; ++g) {
                    auto key = std::make_tuple(k, p, g);
                    while (it != m.ElementLoadShapeTable.end() && it->first < key) ++it;
                    const std::uint64_t start = w.offset();
                    if (it != m.ElementLoadShapeTable.end() && it->first == key) {
                        w.i32(it->second.elementCount);
                        w.i32(0);
                        w.i16(it->second.itemCount);
                        w.i16(it->second.firstItem);
                        w.zeros(target::layout::element_load_shape_item::kSize -
                                target::layout::element_load_shape_item::kUnsetFrom);
                    } else {
                        w.zeros(target::layout::element_load_shape_item::kSize);
                    }
                    w.checkRecord(start, target::layout::element_load_shape_item::kSize, "element load shape item");
                }
    }
    writeSparseRows(w, m.ElementLoadElementMatrix, static_cast<std::size_t>(patterns), m.ElementTable.count(),
                    target::layout::element_load_element_item::kSize, [&](std::int16_t v) { w.i16(v); });
    writeCountedRows(w, m.ElementLoadItemTable);
}

void writeSelfWeight(LeWriter& w, const VantraModel& m) {
    w.i16(m.SelfWeightPatternTable.count());
    w.i16(m.SelfWeightPatternTable.capacity());
    writeCountedRows(w, m.SelfWeightPatternTable);
    const auto elements = static_cast<std::size_t>(m.ElementTable.count());
    for (std::int32_t p = 1; p <= m.SelfWeightPatternTable.count(); ++p) {
        const auto pi = static_cast<std::size_t>(p - 1);
        std::size_t have = 0;
        if (pi < m.SelfWeightElementMatrix.size()) {
            const auto& row = m.SelfWeightElementMatrix[pi];
            have = std::min(row.size(), elements);
            w.bytes(row.data(), have);
        }
        w.zeros(elements - have);
    }
}

void writeSectionCuts(LeWriter& w, const VantraModel& m) {
    w.i16(m.SectionCutTable.count());
    w.i16(m.SectionCutLast);
    w.i16(m.SectionCutTable.capacity());
    writeCountedRows(w, m.SectionCutTable);
    // One part record per cut, even where the part table was never filled.
    for (std::int32_t c = 1; c <= m.SectionCutTable.count(); ++c) {
        if (c <= m.SectionCutPartTable.count())
            w.bytes(m.SectionCutPartTable.rowBytes(c), target::layout::section_cut_part::kSize);
        else
            w.zeros(target::layout::section_cut_part::kSize);
    }
    w.i32(m.SectionCutItemTable.count());
    w.i32(m.SectionCutItemTable.capacity());
    writeCountedRows(w, m.SectionCutItemTable);
    w.i16(m.SectionGroupTable.count());
    w.i16(m.SectionGroupTable.capacity());
    writeCountedRows(w, m.SectionGroupTable);
    for (std::int32_t g = 1; g <= m.SectionGroupTable.count(); ++g)
        for (std::int32_t c = 1; c <= m.SectionCutTable.count(); ++c) {
            const auto gi = static_cast<std::size_t>(g - 1), ci = static_cast<std::size_t>(c - 1);
            bool has = gi < m.SectionGroupMatrix.size() && ci < m.SectionGroupMatrix[gi].size();
            w.u8(has ? m.SectionGroupMatrix[gi][ci] : 0);
        }
}

void writeDrifts(LeWriter& w, const VantraModel& m) {
    w.i16(m.DriftTable.count());
    w.i16(m.DriftTable.capacity());
    w.i16(m.DeflectionTable.count());
    w.i16(m.DeflectionTable.capacity());
    writeCountedRows(w, m.DriftTable);
    writeCountedRows(w, m.DeflectionTable);
}

// The component section, items C1 to C114. Tables this system never fills contribute
// their count of 0 only.
void writeComponents(LeWriter& w, const VantraModel& m) {
    auto never = [&](int items) {
        for (int i = 0; i < items; ++i) w.i16(0);
    };
    auto table = [&](const auto& t) {
        w.i16(t.count());
        writeCountedRows(w, t);
    };
    w.i16(std::max<int>(m.MaxComponentCapacity, 1));  // C1
    never(6);                                         // C2..C7
    table(m.FemaBeamTable);                           // C8
    never(4);                                         // C9..C12
    table(m.FemaColumnTable);                         // C13
    never(3);                                         // C14..C16
    never(18);                                        // C17..C34
    never(2);                                         // C35, C36
    table(m.EndZoneTable);                            // C37
    table(m.ReleaseComponentTable);                   // C38
    never(3);                                         // C39..C41
    never(9);                                         // C42..C50
    table(m.InelasticMaterialTable);                  // C51
    never(1);                                         // C52
    table(m.ElasticFiberMaterialTable);               // C53
    table(m.ElasticShearMaterialTable);               // C54
    table(m.ElasticSlabMaterialTable);                // C55
    never(1);                                         // C56
    never(8);                                         // C57..C64
    never(1);                                         // C65
    table(m.BeamSectionTable);                        // C66
    table(m.ColumnSectionTable);                      // C67
    table(m.SlabSectionTable);                        // C68
    never(1);                                         // C69
    table(m.InelasticWallSectionTable);               // C70
    table(m.ElasticWallSectionTable);                 // C71
    never(2);                                         // C72, C73
    never(13);                                        // C74..C86
    never(4);                                         // C87..C90
    never(10);                                        // C91..C100
    table(m.FrameCompoundTable);                      // C101
    table(m.WallCompoundTable);                       // C102
    table(m.GeneralWallCompoundTable);                // C103
    never(2);                                         // C104, C105
    never(9);                                         // C106..C114
}

void writeMainFile(LeWriter& w, const VantraModel& m, int extraValue) {
    writeMainHeader(w, m, extraValue);
    writeNodes(w, m);
    writeConstraints(w, m);
    writeMasses(w, m);
    writeElements(w, m);
    writeFrames(w, m);
    writeNodalLoads(w, m);
    writeElementLoads(w, m);
    writeSelfWeight(w, m);
    for (int i = 0; i < file_layout::main_file::kWordsAfterSelfWeight; ++i) w.i16(0);
    writeSectionCuts(w, m);
    writeDrifts(w, m);
    for (int i = 0; i < file_layout::main_file::kUnfilledKindTables; ++i) w.i16(0);  // counts
    for (int i = 0; i < file_layout::main_file::kUnfilledKindTables; ++i) w.i16(1);  // capacities
    writeComponents(w, m);
    // Tail section: a count, a capacity and a word, then a count and a capacity.
    for (int i = 0; i < file_layout::main_file::kTailWords; ++i) w.i16(0);
    w.i32(0);
    w.i32(0);
}

// --- the "L" file ------------------------------------------------------------------------
void writeLoadCaseFile(LeWriter& w, const VantraModel& m) {
    writePreamble(w, m, true);
    const std::int32_t counts[3] = {m.GravityLoadCaseTable.count(), m.PushoverLoadCaseTable.count(),
                                    m.DynamicLoadCaseTable.count()};
    const std::int32_t capacities[3] = {m.GravityLoadCaseTable.capacity(), m.PushoverLoadCaseTable.capacity(),
                                        m.DynamicLoadCaseTable.capacity()};
    // Only the first kinds have tables here; the counts and capacities of the others are 0.
    const int kFilled = static_cast<int>(std::size(counts));
    for (int k = 0; k < file_layout::load_case_file::kKinds; ++k) w.i16(k < kFilled ? counts[k] : 0);
    for (int k = 0; k < file_layout::load_case_file::kKinds; ++k) w.i16(k < kFilled ? capacities[k] : 0);
    writeCountedRows(w, m.GravityLoadCaseTable);
    writeCountedRows(w, m.PushoverLoadCaseTable);
    // Drift selection of each pushover case: nothing selected.
    w.zeros(static_cast<std::size_t>(m.PushoverLoadCaseTable.count()) * static_cast<std::size_t>(m.DriftTable.count()));
    writeCountedRows(w, m.DynamicLoadCaseTable);
}

// --- the "A" file ------------------------------------------------------------------------
void writeAnalysisFile(LeWriter& w, const VantraModel& m) {
    writePreamble(w, m, true);
    w.i16(m.AnalysisCaseTable.count());
    w.i16(m.AnalysisCaseTable.capacity());
    w.i16(m.AnalysisStepCount);
    for (std::int32_t c = 1; c <= m.AnalysisCaseTable.count(); ++c) {
        const std::uint8_t* rec = m.AnalysisCaseTable.rowBytes(c);
        namespace series = target::layout::analysis_series;
        w.bytes(rec, series::kSize);
        if (rec[series::kExtensionFlag] == 1) w.zeros(series::kExtensionSize);  // never set
    }
    w.zeros(static_cast<std::size_t>(m.AnalysisCaseTable.capacity()) * static_cast<std::size_t>(m.AnalysisStepCount) *
            target::layout::analysis_series::kStepSize);
    w.i16(m.AnalysisGroupCount);
    w.i16(m.AnalysisPatternCount);
}

// --- small files -------------------------------------------------------------------------
// Each writes its content after the version and checks its length, so that a change
// to one of them cannot quietly move what the analysis program reads.
void writeUlsFile(LeWriter& w, const VantraModel& m) {
    writePreamble(w, m, false);
    const std::uint64_t start = w.offset();
    w.i16(0);  // two counts, no records
    w.i16(0);
    w.checkRecord(start, file_layout::uls_file::kBodySize, "ULS file body");
}
void writePoFile(LeWriter& w, const VantraModel& m) {
    writePreamble(w, m, false);
    const std::uint64_t start = w.offset();
    w.zeros(file_layout::po_file::kOptionsSize);  // the options record, never set
    w.checkRecord(start, file_layout::po_file::kOptionsSize, "PO options");
}
void writePoaFile(LeWriter& w, const VantraModel& m) {
    writePreamble(w, m, false);
    const std::uint64_t start = w.offset();
    w.zeros(file_layout::poa_file::kCountSlotSize);  // an unset tagged slot as the record count
    w.checkRecord(start, file_layout::poa_file::kCountSlotSize, "POA record count");
}
void writePofFile(LeWriter& w, const VantraModel& m) {
    writePreamble(w, m, false);
    const std::uint64_t start = w.offset();
    w.zeros(file_layout::pof_file::kBodySize);
    w.checkRecord(start, file_layout::pof_file::kBodySize, "POF file body");
}

// One structure file: its bare name and the procedure that writes its content.
struct FileJob {
    std::string fileName;
    std::function<void(LeWriter&)> body;
};

// Writes one file into its temporary and closes it, or reports why not. The file is
// returned closed (still under its temporary name) when every byte reached it.
std::unique_ptr<platform::OutputFile> writeTemporary(const VantraModel& m, platform::Platform& platform,
                                                     const std::string& folder, const FileJob& job,
                                                     const WriteProgress& progress) {
    const std::string path = platform.join(folder, job.fileName);
    std::string error;
    std::unique_ptr<platform::OutputFile> file = platform.createFile(path, error);
    if (!file) {
        ReportFileError(m, platform, false, job.fileName, error);
        return nullptr;
    }
    LeWriter w(*file);
    if (progress) progress(job.fileName, 0);
    job.body(w);
    const bool ok = w.flush() && file->close();
    if (progress) progress(job.fileName, w.offset());
    if (!ok) {
        ReportFileError(m, platform, true, job.fileName, file->error());
        return nullptr;
    }
    return file;
}

}  // namespace

void ReportFileError(const VantraModel& m, platform::Platform& platform, bool opened, const std::string& fileName,
                     const std::string& reason) {
    if (m.ErrorBeep != 0) platform.beep();
    const std::string CR = "\r";
    // The path and the system's reason, when known, on a line of their own.
    auto detail = [&](const std::string& text) { return text.empty() ? std::string() : text + CR; };
    const std::string folderName = StructureFolderName(m.StructureName);
    const std::string name =
        folderName + std::string(file_layout::preamble::kNameLength -
                                     std::min(file_layout::preamble::kNameLength, utf8Length(folderName)),
                                 ' ');
    if (!opened) {
        platform.messageBox("Failure to open the following essential data file :" + CR + CR +
                                "Structure name = " + name + CR + "File name = " + fileName + CR + detail(reason) + CR +
                                "There should be a file of this name in the folder for this structure." + CR + CR +
                                "The file may have been erased. If so you will have to export this structure again." +
                                CR + "Alternatively, check that the file is not read-only" + CR + CR +
                                "If you can not find the problem, please report this error to Quorvane.",
                            "Can Not Open An Essential File", platform::MsgIcon::Critical, platform::MsgButtons::Ok);
    } else {
        platform.messageBox(
            "Failure to write to the following essential data file :" + CR + CR + "Structure name = " + name + CR +
                "File name = " + fileName + CR + detail(reason) + CR + "Please try again." + CR +
                "If you can not find the problem, please report this error to Quorvane.",
            "Can Not Write To An Essential File", platform::MsgIcon::Critical, platform::MsgButtons::Ok);
    }
}

std::size_t RemoveLeftTemporaries(platform::Platform& platform, const std::string& folder) {
    std::size_t removed = 0;
    for (const std::string& name : platform.listFolder(folder)) {
        // Our own temporaries, and those of earlier versions ("VNTRS.part1234").
        const std::size_t part = name.find(".part");
        const bool older = name.rfind("VNTR", 0) == 0 && part != std::string::npos && part + 5 < name.size() &&
                           name.find_first_not_of("0123456789", part + 5) == std::string::npos;
        if (!platform::Platform::IsTemporaryName(name) && !older) continue;
        const std::string path = platform.join(folder, name);
        if (platform.entryInfo(path).kind != platform::EntryInfo::Kind::File) continue;
        std::string error;
        if (platform.removeFile(path, error)) ++removed;
    }
    return removed;
}

bool WriteStructureFiles(const VantraModel& m, platform::Platform& platform, const std::string& fileKind, bool writeAll,
                         int extraValue, const WriteProgress& progress, std::string* syncProblem) {
    // The name is held as a 12-character text: cut to 12, then right-trimmed.
    const std::string dir = platform.join(m.StructuresRoot, StructureFolderName(m.StructureName));
    RemoveLeftTemporaries(platform, dir);

    const bool vntr = fileKind == "VNTR";
    std::vector<FileJob> jobs;
    auto add = [&](const char* suffix, std::function<void(LeWriter&)> body) {
        jobs.push_back({fileKind + suffix, std::move(body)});
    };
    if (writeAll) {
        if (vntr) add("A", [&](LeWriter& w) { writeAnalysisFile(w, m); });
        add("ULS", [&](LeWriter& w) { writeUlsFile(w, m); });
        if (vntr) {
            add("PO", [&](LeWriter& w) { writePoFile(w, m); });
            add("POA", [&](LeWriter& w) { writePoaFile(w, m); });
            add("POF", [&](LeWriter& w) { writePofFile(w, m); });
        }
    }
    add("L", [&](LeWriter& w) { writeLoadCaseFile(w, m); });
    add("S", [&](LeWriter& w) { writeMainFile(w, m, extraValue); });

    // The structure is replaced as one: every file is written and flushed under its
    // temporary name first, and only then are they renamed into place, one right after
    // another. A failure before that point leaves the earlier structure as it was (the
    // temporaries go with the dropped files), and there is nothing to gain from writing
    // the remaining files, so the first failure ends the writer.
    std::vector<std::unique_ptr<platform::OutputFile>> done;
    for (const FileJob& job : jobs) {
        std::unique_ptr<platform::OutputFile> file = writeTemporary(m, platform, dir, job, progress);
        if (!file) return false;
        done.push_back(std::move(file));
    }

    // A rename can still fail (a file made read-only or a device lost meanwhile). So that
    // the files already renamed can be put back, each earlier file keeps a second name
    // until all are in place; where the file system has no second names, the renames go
    // ahead without that safety.
    // From here to the last rename a termination request waits (see holdInterrupts).
    struct InterruptHold {
        platform::Platform& platform;
        explicit InterruptHold(platform::Platform& p) : platform(p) { platform.holdInterrupts(true); }
        ~InterruptHold() { platform.holdInterrupts(false); }
        InterruptHold(const InterruptHold&) = delete;
        InterruptHold& operator=(const InterruptHold&) = delete;
    } hold(platform);
    std::vector<std::string> targets, backups;
    for (const FileJob& job : jobs) {
        targets.push_back(platform.join(dir, job.fileName));
        std::string backup = targets.back() + std::string(platform::Platform::TemporarySuffix()) + "old";
        std::string ignored;
        if (platform.entryInfo(targets.back()).kind != platform::EntryInfo::Kind::File ||
            !platform.linkFile(targets.back(), backup, ignored))
            backup.clear();
        backups.push_back(std::move(backup));
    }
    auto dropBackups = [&] {
        std::string ignored;
        for (const std::string& b : backups)
            if (!b.empty()) platform.removeFile(b, ignored);
    };
    for (std::size_t i = 0; i < done.size(); ++i) {
        if (done[i]->commit()) continue;
        std::string error = done[i]->error();
        for (std::size_t j = 0; j < i; ++j) {
            std::string why;
            const bool back = backups[j].empty() ? platform.removeFile(targets[j], why)
                                                 : platform.renameFile(backups[j], targets[j], why);
            if (back)
                backups[j].clear();
            else
                error += "; " + jobs[j].fileName + " could not be put back: " + why;
        }
        dropBackups();
        ReportFileError(m, platform, true, jobs[i].fileName, error);
        return false;
    }
    dropBackups();
    std::string error;
    if (!platform.syncFolder(dir, error) && syncProblem) *syncProblem = error;
    return true;
}

}  // namespace t2v::output
