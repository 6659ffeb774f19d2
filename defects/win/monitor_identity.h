// Who the monitors are, from their EDIDs, read once per display configuration: the
// covered monitor's log is kept under its identity, and the menu names the monitors.
// Main thread only.
#pragma once

#include <optional>

#include "defects/edid.h"
#include "text/text.h"

// The identity read already for display `device`; none when it was not read yet.
[[nodiscard]] std::optional<MonitorIdentity> KnownMonitorIdentity(TextView device);

// The identity of the monitor on display `device`, read now unless it was already.
[[nodiscard]] MonitorIdentity MonitorIdentityOf(TextView device);

// A display change may have brought other monitors: read them again when asked.
void ForgetMonitorIdentities() noexcept;
