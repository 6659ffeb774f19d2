// The one-line summary of a monitor's log: counts by kind, clusters, and the class.
#pragma once

#include "defects/mark_log.h"
#include "text/text.h"

// "Pixel defects: 2 lit, 1 dark, 0 sub-pixel - class II"; clusters, when there are
// any, before the class: "..., 0 sub-pixel, 1 cluster - class IV". The class is the one
// the log's screen size allows.
[[nodiscard]] Text DefectSummary(const MarkLog& log);
