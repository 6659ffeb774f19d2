// The monitors' identities, read once.
#include "defects/win/monitor_identity.h"

#include <utility>
#include <vector>

#include "defects/win/defect_report_file.h"

namespace {

std::vector<std::pair<Text, MonitorIdentity>>& Identities() {
    static std::vector<std::pair<Text, MonitorIdentity>> identities;
    return identities;
}

} // namespace

std::optional<MonitorIdentity> KnownMonitorIdentity(TextView device) {
    for (const auto& [name, identity] : Identities()) {
        if (name == device) {
            return identity;
        }
    }
    return std::nullopt;
}

MonitorIdentity MonitorIdentityOf(TextView device) {
    if (std::optional<MonitorIdentity> known = KnownMonitorIdentity(device)) {
        return *known;
    }
    MonitorIdentity identity = ParseEdid(ReadMonitorEdid(device));
    Identities().emplace_back(Text(device), identity);
    return identity;
}

void ForgetMonitorIdentities() noexcept {
    Identities().clear();
}
