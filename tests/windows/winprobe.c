/* Reads back through Win32 what Windows knows of a top-level window, for the tests under Wine.
 *   winprobe show TITLE    prints the window's frame, client area, styles and its screen's
 *                          work area, once a visible window with exactly that title exists
 *   winprobe close TITLE   asks the window to close, as its close box does
 *   winprobe text TITLE    prints the texts of the window's controls, a line each, in UTF-8 */
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

static HWND find(const wchar_t *title)
{
    for (int tries = 0; tries < 300; ++tries) {
        HWND window = FindWindowW(NULL, title);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return NULL;
}

static int show(HWND window)
{
    RECT frame, client;
    POINT origin = {0, 0};
    MONITORINFO monitor = {.cbSize = sizeof monitor};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    ClientToScreen(window, &origin);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    printf("frame %ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom);
    printf("client %ld %ld %ld %ld\n", origin.x, origin.y, origin.x + client.right,
           origin.y + client.bottom);
    printf("work %ld %ld %ld %ld\n", monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right,
           monitor.rcWork.bottom);
    printf("style %#lx\n", (unsigned long)GetWindowLongPtrW(window, GWL_STYLE));
    return 0;
}

static BOOL CALLBACK print_text(HWND control, LPARAM unused)
{
    (void)unused;
    wchar_t text[1024];
    char utf8[4096];
    if (GetWindowTextW(control, text, 1024) > 0 &&
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL) > 0)
        printf("%s\n", utf8);
    return TRUE;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3)
        return 2;
    // In screen pixels, as the screenshots are: Wine 10 scales what a program unaware of the
    // resolution reads.
    SetProcessDPIAware();
    HWND window = find(argv[2]);
    if (!window) {
        fprintf(stderr, "winprobe: no window \"%ls\"\n", argv[2]);
        return 1;
    }
    if (wcscmp(argv[1], L"show") == 0)
        return show(window);
    if (wcscmp(argv[1], L"close") == 0)
        return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    if (wcscmp(argv[1], L"text") == 0)
        return EnumChildWindows(window, print_text, 0), 0;
    return 2;
}
