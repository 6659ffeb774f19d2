// The second baseline of the start-up timing: the empty window that also draws one
// line of text in the overlay's font, so that what the system's font start-up costs
// is measured apart from what the program does. The driver looks for the fill
// colour with white text near the top middle. Started by bench/e2e's driver.
#include "bench/windows/support/baseline_window.h"

int main() {
    return baseline::Run(L"TextWindow", baseline::DrawTitleLine);
}
