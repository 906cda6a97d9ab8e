// SPDX-License-Identifier: GPL-3.0-or-later

// Lists the visible top-level windows of the Windows session it runs in, one a line, for the test scripts that
// drive the trainer under Wine: "HANDLE LEFT TOP WIDTH HEIGHT FOREGROUND TITLE" (FOREGROUND is 1 for the window
// that has the keyboard); or brings one window to the front. Under a Wine virtual desktop these windows are not X windows of their own, so the X
// tools cannot see them; the window system itself is asked instead.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static BOOL CALLBACK printWindow(HWND window, LPARAM foreground) {
    if (!IsWindowVisible(window))
        return TRUE;
    RECT r;
    GetWindowRect(window, &r);
    wchar_t title[512];
    const int length = GetWindowTextW(window, title, 512);
    char utf8[2048];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, title, length, utf8, sizeof utf8 - 1, NULL, NULL);
    utf8[bytes > 0 ? bytes : 0] = '\0';
    printf("%p %ld %ld %ld %ld %d %s\n", (void *)window, r.left, r.top, r.right - r.left, r.bottom - r.top,
           window == (HWND)foreground, utf8);
    return TRUE;
}

int main(int argc, char **argv) {
    // "winlist activate HANDLE": brings that window to the front with the keyboard, as a click on it would, for a
    // window that others may cover.
    if (argc == 3 && strcmp(argv[1], "activate") == 0) {
        const HWND window = (HWND)(UINT_PTR)strtoull(argv[2], NULL, 16);
        return SetForegroundWindow(window) ? 0 : 1;
    }
    EnumWindows(printWindow, (LPARAM)GetForegroundWindow());
    return 0;
}
