// The program's one random generator, alive from process start to process end.
#include "screens/random.h"

RandomGenerator& TheRandomGenerator() noexcept {
    static RandomGenerator generator;
    return generator;
}
