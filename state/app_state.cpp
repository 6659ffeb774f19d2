// The program's one AppState, alive from process start to process end.
#include "state/app_state.h"

AppState& TheAppState() {
    static AppState state;
    return state;
}
