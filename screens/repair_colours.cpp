// Picks the next flash colour of the repair flasher.
#include "screens/repair_colours.h"

Rgb NextRepairColour(RandomGenerator& generator) noexcept {
    return RepairColour(generator.Next());
}
