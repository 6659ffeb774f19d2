// The defect log in the settings file: read when the window comes to cover a monitor
// at a screen size, written the moment a mark changes.
#pragma once

#include "defects/edid.h"
#include "defects/mark_log.h"
#include "defects/shared_log.h"
#include "text/text.h"

// Publishes the stored log of the monitor at `place`, width x height, under its
// identity when `identity` names it (the marks stored under its output before are read
// when there are none under it yet), else under its output. A log published already
// for that key keeps its marks; only the place follows.
void ShowStoredLog(const MonitorPlace& place, int width, int height,
                   const MonitorIdentity& identity);

// Writes `log` under the published log's key (an empty log takes the key out, and the
// section with its last key) and publishes it; false when the settings file did not
// take it (it is published all the same, as not saved).
bool KeepLog(MarkLog log);
