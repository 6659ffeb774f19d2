// Test aid: the 37 ids that the catalogue's English section has, against which
// completeness is counted: 0, 3 to 17, 40 to 56 and 60 to 63.
#pragma once

#include <vector>

inline std::vector<int> EnglishIds() {
    std::vector<int> ids{0};
    for (int id = 3; id <= 63; ++id) {
        if (id <= 17 || (id >= 40 && id <= 56) || id >= 60) {
            ids.push_back(id);
        }
    }
    return ids;
}
