// Decoder of Vantra structure folders, written from the file layouts alone (it shares
// no code with the writer, so that a writer fault is not read back as right).
//
// A structure folder holds seven files named "VNTR" + suffix, without extension:
// S (main), L (load-case definitions), A (analysis cases), ULS, PO, POA, POF.
// Each file is read whole, decoded front to back, and must end exactly where its last
// block ends; a short file, bytes left over, a negative count or a count that would
// read past the end fail with DecodeError "<file>: offset <n>: <reason>".
//
// Tree shape (snake_case members, in file order; arrays are 0-based, while "record"
// inside each record object is its 1-based identifier, the number other records use):
//
//   S: header {file_version, structure_name, structure_title, ..., tail_section_flag,
//              reserved_list {count, capacity, records}, default_size_value, default_size_label}
//      nodes {count, last, capacity, records[{record, previous, next, x, y, z, first_word,
//             constraint_slots{ux..rz}, support_type, restraints{ux..rz}, dof_flags{ux..rz}, last_flag}]}
//      constraints {count, capacity, records[{record, name}]}
//      mass_patterns {count, capacity, records[{record, name}],
//                     masses[{pattern, items[{node, ux, uy, uz, rx, ry, rz}]}]}   (non-zero items only)
//      element_groups {count, last, capacity, records[{record, name, element_type, first_element, last_element, ...}]}
//      elements {count, last, capacity, records[{record, group, nodes[4], next, codes[4], compound, angle, ...}]}
//      frames {count, capacity, records[{record, name}], members[{frame, nodes[], elements[]}]}
//      nodal_load_patterns {count, capacity, records[{record, name, kind}],
//                           loads[{pattern, items[{node, f1, f2, f3, m1, m2, m3, presence, f32_28}]}]}
//      element_load_patterns {count, capacity, shape_count, item_count, item_capacity, records,
//                             group_matrix[{pattern, shape_counts[per group]}],
//                             shapes[{shape, pattern, group, element_count, item_count, first_item}],
//                             element_matrix[{pattern, items[{element, shape}]}],
//                             items[{record, type, next, values[4]}]}
//      self_weight_patterns {count, capacity, records, flags[{pattern, elements[]}]}
//      reserved_words[6]
//      section_cuts {count, last, capacity, records[{record, name, first_item, item_count, flag, numbers[3]}], parts}
//      section_cut_items {count, capacity, records[{record, end_flag, element, next}]}
//      section_groups {count, capacity, records[{record, name, kind, cut_count}], members[{group, cuts[]}]}
//      drifts {count, capacity, deflection_count, deflection_capacity, records[{record, name, kind,
//              direction, top_node, bottom_node}], deflections}
//      per_kind_tables {counts[10], capacities[10]}
//      components {C1 {max_component_capacity}, C2 .. C114}
//          a table item: {table (when something fills it), count, records[{record, name, ..., companion{...}}]}
//          a lone word (C17..C34, C42..C50, C57..C64, C74..C86, C91..C100, C106..C114): an integer
//      tail {count, capacity, word, records, item_count, item_capacity, items}   (when tail_section_flag != 0)
//   L: preamble, counts[20], capacities[20], gravity_cases, pushover_cases,
//      drift_selection[{case, flags[per drift]}], dynamic_cases, kind4_cases .. kind8_cases
//   A: preamble, case_count, case_capacity, step_count, cases[{record, name, title, ..., extension_flag,
//      extension{slots[18]}}], steps, group_count, groups, pattern_count, patterns, pattern_cases
//   ULS: {file_version, count, second_count, records}    PO: {file_version, options}
//   POA: {file_version, count{type, value}, records}  POF: {file_version, data}
//
// Conventions: texts are trimmed of trailing blanks, converted from Windows-1252 to
// UTF-8, and null when all their bytes are zero (never assigned). 32-bit floats keep
// their single precision when printed. Fields whose meaning the layouts do not give are
// named by type and offset ("f32_137", "u8_56"). Bytes that no field covers appear, when
// not zero, as "other_bytes" {"<offset>": "hex bytes"}; the member is absent otherwise.
// A tagged slot is {type, value}. Matrices of counts x counts are listed sparsely as
// described above. Details and examples: docs/vantra-dump.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decode/ByteCursor.h"
#include "decode/Emitter.h"
#include "decode/Value.h"

namespace t2v::decode {

// The seven suffixes in the order of the folder tree: "S", "L", "A", "ULS", "PO", "POA", "POF".
const std::vector<std::string_view>& StructureFileSuffixes();
// The file name of a suffix: "VNTR" + suffix.
std::string StructureFileName(std::string_view suffix);

struct DecodeOptions {
    // The drift count of the structure, which the "L" file needs for its drift-selection
    // matrix. When absent it is read from the "VNTRS" file beside the "L" file.
    std::optional<std::int64_t> driftCount;
};

// Whole trees.
Value DecodeStructureFolder(const std::string& dir);
Value DecodeStructureFile(const std::string& path, std::string_view suffix, const DecodeOptions& options = {});
Value DecodeEarthquakeRecord(const std::string& path);

// The same, reported event by event (for printing files of any size).
void StreamStructureFolder(const std::string& dir, Emitter& out);
void StreamStructureFile(const std::string& path, std::string_view suffix, Emitter& out,
                         const DecodeOptions& options = {});
void StreamEarthquakeRecord(const std::string& path, Emitter& out);

// Decoding of bytes already in memory; `name` is used in error messages.
void StreamStructureBytes(const std::string& name, const std::uint8_t* data, std::size_t size, std::string_view suffix,
                          Emitter& out, const DecodeOptions& options = {});

}  // namespace t2v::decode
