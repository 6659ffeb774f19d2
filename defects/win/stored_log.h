// The defect log in the settings file: read when the window comes to cover a monitor
// at a screen size, written the moment a mark changes.
#pragma once

#include "defects/mark_log.h"
#include "text/text.h"

// Publishes the stored log of `device` at width x height, unless that log is the one
// published already (a repeated placement keeps the marks as they are).
void ShowStoredLog(TextView device, int width, int height);

// Writes `log` under the published log's key (an empty log takes the key out) and
// publishes it.
void KeepLog(MarkLog log);
