// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <windows.h>

#include <objbase.h>
#include <shobjidl.h>

#include "form_runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // The manifest asks for per-monitor scaling; this holds where it is not read.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    // The taskbar groups the window with the Start menu shortcut by this id.
    SetCurrentProcessExplicitAppUserModelID(L"" TACOLINA_APP_ID);
    // The accessible object of the area is handed out through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    int status = 0;
    {
        FormRuntime runtime(instance);
        runtime.show(showCommand);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        status = static_cast<int>(message.wParam);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return status;
}
