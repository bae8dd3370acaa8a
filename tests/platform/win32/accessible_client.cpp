// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A screen reader's look at the running program, through Windows's
// accessibility (MSAA): the drawing area's name, description, role and
// default action, printed, then the action done once. Fails (status 1)
// when any of them is not what the area should answer.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

std::string narrow(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring text(HRESULT (IAccessible::*get)(VARIANT, BSTR*), IAccessible* object, VARIANT self)
{
    BSTR value = nullptr;
    std::wstring result = SUCCEEDED((object->*get)(self, &value)) && value != nullptr ? value : L"(none)";
    SysFreeString(value);
    return result;
}

}  // namespace

int wmain()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND form = nullptr;
    for (int i = 0; i < 200 && form == nullptr; ++i) {
        form = FindWindowW(L"TacolinaForm", L"Tacolina 2.0");
        Sleep(form == nullptr ? 100 : 0);
    }
    HWND area = form != nullptr ? FindWindowExW(form, nullptr, L"TacolinaPicture", nullptr) : nullptr;
    if (area == nullptr) {
        std::fprintf(stderr, "accessible_client: no window Tacolina 2.0 with a drawing area\n");
        return 1;
    }
    IAccessible* object = nullptr;
    const HRESULT found =
        AccessibleObjectFromWindow(area, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (FAILED(found) || object == nullptr) {
        std::fprintf(stderr, "accessible_client: the area has no accessible object (0x%08lx)\n",
                     static_cast<unsigned long>(found));
        return 1;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const std::wstring name = text(&IAccessible::get_accName, object, self);
    const std::wstring description = text(&IAccessible::get_accDescription, object, self);
    const std::wstring action = text(&IAccessible::get_accDefaultAction, object, self);
    VARIANT role;
    VariantInit(&role);
    object->get_accRole(self, &role);
    std::printf("name: %s\ndescription: %s\nrole: %ld\ndefault action: %s\n", narrow(name.c_str()).c_str(),
                narrow(description.c_str()).c_str(), role.vt == VT_I4 ? role.lVal : -1L,
                narrow(action.c_str()).c_str());
    const bool right = name == L"\u00c0rea de dibuix" && description.find(L"clic") != std::wstring::npos &&
                       role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_GRAPHIC && action == L"Fes clic";
    const HRESULT pressed = object->accDoDefaultAction(self);
    std::printf("default action done: %s\n", SUCCEEDED(pressed) ? "yes" : "no");
    object->Release();
    CoUninitialize();
    return right && SUCCEEDED(pressed) ? 0 : 1;
}
