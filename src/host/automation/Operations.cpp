#include "host/automation/Operations.h"

#include "host/automation/Marshal.h"
#include "host/automation/OperationList.h"

#include <unordered_map>

namespace t2v::host::automation {

namespace detail {

void Fail(std::string_view op, const std::string& what) { throw HostError(std::string(op) + ": " + what); }

}  // namespace detail

namespace {

std::vector<OperationShape> BuildTable() {
    std::vector<OperationShape> table;
#define T2V_DESCRIBE(op, ...) \
    table.push_back(          \
        detail::Describe(#op, decltype(detail::SignatureOf(&TarvoHost::op)){}, detail::ParamNames(__VA_ARGS__)));
    T2V_HOST_OPERATIONS(T2V_DESCRIBE)
#undef T2V_DESCRIBE
    return table;
}

const std::vector<OperationShape>& Table() {
    static const std::vector<OperationShape> table = BuildTable();
    return table;
}

}  // namespace

std::size_t OperationShape::inputCount() const {
    std::size_t n = 0;
    while (n < args.size() && !args[n].out) ++n;
    return n;
}

std::span<const OperationShape> Operations() { return Table(); }

const OperationShape* FindOperation(std::string_view name) {
    static const std::unordered_map<std::string_view, const OperationShape*> index = [] {
        std::unordered_map<std::string_view, const OperationShape*> map;
        for (const OperationShape& op : Table()) map.emplace(op.name, &op);
        return map;
    }();
    const auto it = index.find(name);
    return it == index.end() ? nullptr : it->second;
}

std::string_view TypeName(AutoType type) {
    switch (type) {
        case AutoType::Empty:
            return "nothing";
        case AutoType::Long:
            return "Long";
        case AutoType::Double:
            return "Double";
        case AutoType::Bool:
            return "Bool";
        case AutoType::String:
            return "String";
        case AutoType::LongArray:
            return "LongArray";
        case AutoType::DoubleArray:
            return "DoubleArray";
        case AutoType::BoolArray:
            return "BoolArray";
        case AutoType::StringArray:
            return "StringArray";
    }
    return "unknown";
}

}  // namespace t2v::host::automation
