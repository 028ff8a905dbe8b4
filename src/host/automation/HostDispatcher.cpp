#include "host/automation/HostDispatcher.h"

#include "host/automation/Marshal.h"
#include "host/automation/OperationList.h"

#include <exception>
#include <unordered_map>

namespace t2v::host::automation {

namespace {

using detail::Param;
using detail::Request;

template <class... P, std::size_t... I>
std::int32_t ServeIndexed(TarvoHost& host, int (TarvoHost::*member)(P...), Request& request,
                          std::index_sequence<I...>) {
    std::tuple<typename Param<P>::Value...> values;
    (
        [&] {
            if constexpr (Param<P>::input) std::get<I>(values) = Param<P>::get(request);
        }(),
        ...);
    const int result = std::apply([&](auto&... v) { return (host.*member)(v...); }, values);
    request.skipTo(detail::Signature<P...>::inputs);
    (
        [&] {
            if constexpr (!Param<P>::input) Param<P>::write(request, std::get<I>(values));
        }(),
        ...);
    return result;
}

template <class... P>
std::int32_t Serve(TarvoHost& host, int (TarvoHost::*member)(P...), const OperationShape& shape,
                   std::span<AutoArg> args) {
    Request request(shape, args);
    return ServeIndexed(host, member, request, std::index_sequence_for<P...>{});
}

using Server = std::int32_t (*)(TarvoHost&, const OperationShape&, std::span<AutoArg>);

struct Entry {
    const OperationShape* shape;
    Server serve;
};

const std::unordered_map<std::string_view, Entry>& Servers() {
    static const std::unordered_map<std::string_view, Entry> servers = [] {
        std::unordered_map<std::string_view, Entry> map;
#define T2V_SERVER(op, ...)                                                                                           \
    map.emplace(#op,                                                                                                  \
                Entry{FindOperation(#op), [](TarvoHost& host, const OperationShape& shape, std::span<AutoArg> args) { \
                          return Serve(host, &TarvoHost::op, shape, args);                                            \
                      }});
        T2V_HOST_OPERATIONS(T2V_SERVER)
#undef T2V_SERVER
        return map;
    }();
    return servers;
}

// Refuses a call whose arguments do not have the operation's declared shape.
void CheckShape(const OperationShape& shape, std::span<const AutoArg> args) {
    if (args.size() != shape.args.size()) {
        detail::Fail(shape.name, std::to_string(args.size()) + " arguments were passed, the operation takes " +
                                     std::to_string(shape.args.size()));
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const ArgShape& want = shape.args[i];
        const AutoArg& arg = args[i];
        const auto where = "argument " + std::to_string(i + 1) + " (" + std::string(want.name) + ")";
        if (arg.type != want.type || arg.out != want.out) {
            detail::Fail(shape.name, where + " was passed as " + (arg.out ? "an output " : "an input ") +
                                         std::string(TypeName(arg.type)) + ", the operation declares " +
                                         (want.out ? "an output " : "an input ") + std::string(TypeName(want.type)));
        }
        const AutoType held = typeOf(arg.value);
        if (want.out ? (held != AutoType::Empty && held != want.type) : held != want.type) {
            detail::Fail(shape.name, where + " holds " + std::string(TypeName(held)) + ", declared " +
                                         std::string(TypeName(want.type)));
        }
    }
}

}  // namespace

std::int32_t HostDispatcher::call(std::string_view op, std::span<AutoArg> args) {
    const auto& servers = Servers();
    const auto it = servers.find(op);
    if (it == servers.end()) throw HostError(std::string(op) + ": the host has no such operation");
    const Entry& entry = it->second;
    CheckShape(*entry.shape, args);
    try {
        return entry.serve(host_, *entry.shape, args);
    } catch (const HostError&) {
        throw;
    } catch (const std::exception& e) {
        throw HostError(std::string(op) + ": " + e.what());
    }
}

}  // namespace t2v::host::automation
