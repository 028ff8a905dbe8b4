// The reverse of AutomationHost: serves late-bound calls from any TarvoHost, by the
// same operation table. AutomationHost(HostDispatcher(host)) answers exactly what
// `host` answers, which is how the adapter is tested without the host program.
#pragma once

#include "host/TarvoHost.h"
#include "host/automation/Dispatcher.h"

namespace t2v::host::automation {

class HostDispatcher : public Dispatcher {
public:
    explicit HostDispatcher(TarvoHost& host) : host_(host) {}
    // An unknown operation, a wrong number of arguments or an argument of another type
    // or direction than the table declares throws HostError; so does an exception
    // inside the host (a HostError passes unchanged, any other is wrapped with `op`).
    std::int32_t call(std::string_view op, std::span<AutoArg> args) override;

private:
    TarvoHost& host_;
};

}  // namespace t2v::host::automation
