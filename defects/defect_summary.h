// The one-line summary of a monitor's log: counts by kind, clusters by kind, and the
// class.
#pragma once

#include "defects/mark_log.h"
#include "text/text.h"

// "Pixel defects: 2 lit, 1 dark, 0 sub-pixel - class II"; clusters, when there are
// any, before the class: "..., 1 cluster of lit or dark pixels - class IV", and
// "beyond class IV" where no class holds. The class is the one the log's screen size
// allows. A full log says so, and a log the settings file did not take ends in
// "(not saved)".
[[nodiscard]] Text DefectSummary(const MarkLog& log, bool saved = true);
