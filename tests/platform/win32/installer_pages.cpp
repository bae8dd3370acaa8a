// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Goes through an installer's pages as a user would, reading them through
// the dialog's controls: starts the installer and, page after page, prints
// the text of each visible control (a line each; "[x]" or "[ ]" before a
// check box or radio button), then presses Next. After the given number of
// pages (0: up to the finish page) it presses Cancel, or Finish on the
// finish page, and waits for the installer to end. Fails (status 1) when a
// page does not come within 20 s or the installer does not end within 60 s.
// Usage: installer_pages PAGES INSTALLER [ARGUMENTS...]
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT timeout_ms = 2000;

std::string narrow(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

LRESULT send(HWND window, UINT message, WPARAM w, LPARAM l)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, timeout_ms, &result);
    return static_cast<LRESULT>(result);
}

struct Search {
    DWORD process;
    HWND found;
};

// The installer's own dialog: visible, top-level, of its process.
HWND dialog_of(DWORD process)
{
    Search search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (owner == s->process && IsWindowVisible(window) && std::wcscmp(name, L"#32770") == 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the page shows: each visible control's text, a line each.
std::wstring page_text(HWND dialog)
{
    std::wstring page;
    EnumChildWindows(
        dialog,
        [](HWND control, LPARAM data) -> BOOL {
            if (!IsWindowVisible(control))
                return TRUE;
            std::wstring text(static_cast<std::size_t>(send(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(
                send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
            for (std::size_t at = text.find(L'\r'); at != std::wstring::npos; at = text.find(L'\r', at))
                text.erase(at, 1);
            while (!text.empty() && text.back() == L'\n')
                text.pop_back();
            if (text.empty() || text[0] == L'\xffff')  // empty, or an icon's resource number
                return TRUE;
            wchar_t name[16] = {};
            GetClassNameW(control, name, 16);
            const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
            if (_wcsicmp(name, L"Button") == 0 && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX ||
                                                   type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON))
                text = (send(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"[x] " : L"[ ] ") + text;
            auto* p = reinterpret_cast<std::wstring*>(data);
            *p += text + L"\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&page));
    return page;
}

void press(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: installer_pages PAGES INSTALLER [ARGUMENTS...]\n");
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone, as the texts' do here
    const int pages = _wtoi(argv[1]);
    std::wstring command = L"\"" + std::wstring(argv[2]) + L"\"";
    for (int i = 3; i < argc; ++i)
        command += L" " + std::wstring(argv[i]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION installer{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &installer)) {
        std::fprintf(stderr, "installer_pages: could not start the installer (error %lu)\n", GetLastError());
        return 1;
    }
    std::wstring last;
    for (int page = 1;; ++page) {
        // A page is there when Next can be pressed and its texts have
        // stayed the same for a moment, and differ from the page before.
        HWND dialog = nullptr;
        std::wstring text;
        for (int i = 0; i < 80; ++i) {
            Sleep(250);
            dialog = dialog_of(installer.dwProcessId);
            if (dialog == nullptr || !IsWindowEnabled(GetDlgItem(dialog, IDOK)))
                continue;
            const std::wstring now = page_text(dialog);
            if (now == text && now != last)
                break;
            text = now;
            dialog = nullptr;
        }
        if (dialog == nullptr) {
            std::fprintf(stderr, "installer_pages: page %d did not come within 20 s\n", page);
            TerminateProcess(installer.hProcess, 1);
            return 1;
        }
        std::printf("page %d\n%s", page, narrow(text).c_str());
        std::fflush(stdout);
        last = text;
        const bool finish = !IsWindowEnabled(GetDlgItem(dialog, IDCANCEL));
        if (page == pages || finish) {
            press(dialog, finish ? IDOK : IDCANCEL);
            break;
        }
        press(dialog, IDOK);
    }
    if (WaitForSingleObject(installer.hProcess, 60000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "installer_pages: the installer did not end within 60 s\n");
        TerminateProcess(installer.hProcess, 1);
        return 1;
    }
    DWORD status = 0;
    GetExitCodeProcess(installer.hProcess, &status);
    std::printf("installer ended with status %lu\n", status);
    return 0;
}
