// The first baseline of the start-up timing: a full-screen window filled with one
// colour and nothing else. Started by bench/e2e's driver.
#include "bench/windows/support/baseline_window.h"

int main() {
    return baseline::Run(L"EmptyWindow", nullptr);
}
