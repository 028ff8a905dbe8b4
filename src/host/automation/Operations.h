// The operation table: for every host operation, its automation arguments in order.
//
// The rule that turns a TarvoHost member into one late-bound call:
// - inputs first, in the member's order, then outputs in the member's order;
// - int, double, bool and text map to Long, Double, Bool and String;
// - the first list output is preceded by one Long count output, which every further
//   list of the same call shares (parallel lists answer one count);
// - a fixed-size array (six restraint flags, three moduli) is one typed array, no count;
// - a struct is its fields in declaration order; a list of structs is one count and
//   then one parallel array per field;
// - the call's 32-bit result is the operation's status (0 success); the two operations
//   without arguments (GetPresentUnits, GetPointCount) answer through it instead.
#pragma once

#include "host/automation/Dispatcher.h"

#include <span>
#include <string_view>
#include <vector>

namespace t2v::host::automation {

struct ArgShape {
    std::string_view name;  // the member's parameter or the struct's field; "count" for counts
    AutoType type = AutoType::Empty;
    bool out = false;
};

struct OperationShape {
    std::string_view name;  // exactly the TarvoHost member's name
    std::vector<ArgShape> args;
    // The operations without arguments answer through the call's result.
    bool resultIsAnswer() const { return args.empty(); }
    std::size_t inputCount() const;
};

// Every host operation, in the order TarvoHost declares them.
std::span<const OperationShape> Operations();
// The operation named `name`, or nullptr.
const OperationShape* FindOperation(std::string_view name);

// "Long", "DoubleArray", ...; "nothing" for Empty.
std::string_view TypeName(AutoType type);

}  // namespace t2v::host::automation
