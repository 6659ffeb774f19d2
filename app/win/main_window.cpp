// Main window: a borderless, full-screen, non-topmost window whose procedure only
// dispatches; each message has its own handler.
#include "app/win/main_window.h"

#include "app/defect_menu.h"
#include "app/key_commands.h"
#include "app/more_tests.h"
#include "app/win/context_menu.h"
#include "app/win/defect_actions.h"
#include "app/win/monitors.h"
#include "app/win/more_test_actions.h"
#include "app/win/resource_ids.h"
#include "app/win/win_command_host.h"
#include "defects/shared_log.h"
#include "defects/win/monitor_identity.h"
#include "screens/win/info_overlay.h"
#include "screens/win/painter.h"
#include "state/app_state.h"

namespace {

constexpr wchar_t kClassName[] = L"Glimmerix";
constexpr wchar_t kWindowTitle[] = L"Glimmerix";
// Clears WS_CAPTION and WS_THICKFRAME; the system-menu and minimise/maximise bits
// stay and have no visible effect without a caption.
constexpr LONG_PTR kStyleMask = static_cast<LONG_PTR>(0xFF3BFFFFu);

LRESULT OnCreate(HWND window) {
    TheAppState().mainWindow = window;
    SetMenu(window, nullptr);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & kStyleMask);

    CoverStartMonitor(window);
    // A dark screen or a sleeping machine in the middle of a test tests nothing.
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
    return 0;
}

LRESULT OnPaint(HWND window) {
    AppState& state = TheAppState();
    if (state.throughputRunning != 0 || state.spotRepairRunning != 0 || state.motionRunning != 0) {
        // The throughput worker, the marked-pixel flasher or the motion test owns the window.
        // Validating without painting keeps the system from sending WM_PAINT again and again
        // for the whole run.
        ValidateRect(window, nullptr);
        IdentifyAfterPaint(window);
        return 1;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintTestScreen(dc, window, state, DrawInformationOverlay);
    EndPaint(window, &paint);
    IdentifyAfterPaint(window);
    return 0;
}

LRESULT OnClose() {
    // Clears the cycle and selection flags, gives a running cycle worker 100 ms to see
    // its flag, then posts the quit message; the window is not destroyed here.
    HandleClose(TheAppState(), TheCommandHost());
    return 0;
}

LRESULT OnContextMenu(HWND window) {
    // Opens at the mouse position whatever the message's coordinates: the L key posts
    // it with none.
    ShowContextMenu(
        window, ContextMenuHooks{RepaintMainWindow, [] { TheCommandHost().RefreshInfoText(); }});
    return 0;
}

LRESULT OnLeftButtonDown(HWND window, LPARAM lParam) {
    // Client coordinates, signed: GET_X_LPARAM's reading without windowsx.h.
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    // One snapshot of the covered monitor: its place and its log belong together.
    const std::shared_ptr<const PublishedLog> shown = TheDefectLog().Get();
    const PixelPoint pixel = shown->ClientToMonitor(origin.x, origin.y, x, y);
    WindowsDefectActions actions(window, shown);
    CarryOutMarkClick(shown->log, pixel.x, pixel.y, static_cast<std::uint32_t>(GetMessageTime()),
                      TheAppState(), actions);
    return 0;
}

// A wheel's turn steps through "More tests", a notch (WHEEL_DELTA) at a time; a finer
// wheel's parts add up until they make one.
LRESULT OnMouseWheel(HWND window, WPARAM wParam) {
    static int pending = 0;
    pending += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = pending / WHEEL_DELTA;
    pending -= notches * WHEEL_DELTA;
    WindowsMoreTestActions actions(window);
    StepMoreTests(notches, TheAppState(), actions);
    return 0;
}

// F10 and Alt come as system keys. While the marked pixels flash they only stop it, as
// every key does; otherwise the system handles them (Alt+F4 closes).
LRESULT OnSystemKey(HWND window, UINT message, WPARAM keyCode, LPARAM lParam) {
    AppState& state = TheAppState();
    const int key = static_cast<int>(keyCode);
    if (message == WM_SYSKEYDOWN ? StopSpotRepairByKey(state, key)
                                 : SwallowStoppingKeyUp(state, key)) {
        return 0;
    }
    return DefWindowProcW(window, message, keyCode, lParam);
}

LRESULT OnSysCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    // No screen saver and no monitor power-off over a test picture.
    const WPARAM command = wParam & 0xFFF0; // the low four bits are the system's own
    if (command == SC_SCREENSAVE || command == SC_MONITORPOWER) {
        return 0;
    }
    return DefWindowProcW(window, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT OnKeyDown(WPARAM keyCode, LPARAM lParam) {
    HandleKeyDown(TheAppState(), TheCommandHost(), static_cast<int>(keyCode), lParam);
    return 0;
}

LRESULT OnKeyUp(WPARAM keyCode) {
    HandleKeyUp(TheAppState(), TheCommandHost(), static_cast<int>(keyCode));
    return 0;
}

} // namespace

HWND MainWindow() {
    return static_cast<HWND>(TheAppState().mainWindow.load());
}

void RepaintMainWindow() {
    HWND window = MainWindow();
    RECT client;
    GetClientRect(window, &client);
    RedrawWindow(window, &client, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = 0;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = nullptr;
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GLIMMERIX_SMALL));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

int CreateMainWindow(HINSTANCE instance, int showCommand) {
    HWND window = CreateWindowExW(0, kClassName, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 0;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return 1;
}

namespace {

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_PAINT:
        return OnPaint(window);
    case WM_ERASEBKGND:
        return -1; // the painter covers the whole client area
    case WM_CLOSE:
        return OnClose();
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CONTEXTMENU:
        return OnContextMenu(window);
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_KEYUP:
        return OnKeyUp(wParam);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(window, lParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(window, wParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return OnSystemKey(window, message, wParam, lParam);
    case kIdentifyMonitorMessage:
        IdentifyCoveredMonitor();
        return 0;
    case WM_COMMAND:
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(window, wParam, lParam);
    case WM_DISPLAYCHANGE: // a mode changed or a monitor came or went
        ForgetMonitorIdentities();
        CoverMonitorAgain(window);
        return 0;
    case WM_DPICHANGED: // the window covers its monitor, not the suggested rectangle
        CoverMonitorAgain(window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // No exception may cross the system's frames: a command that ran out of memory is
    // dropped, and the program goes on.
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        return message == WM_PAINT ? (ValidateRect(window, nullptr), 0) : 0;
    }
}
