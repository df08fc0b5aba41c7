#include "window/win32/accessibility.h"

#include <oleacc.h>

#include <string>

#include "window/win32/win32_text.h"

namespace kestrova::win32 {
namespace {

// UI Automation's LiveSetting property, which oleacc.h leaves out.
constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int kPolite = 1;

void MakePolite(HWND box) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(&services)))) {
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        services->SetHwndProp(box, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty, polite);
        services->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

void MakeNameLabel(HWND window, std::u16string_view name, int left, int top) {
    const std::wstring text = WideString(name);
    CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | SS_NOPREFIX, left, top, 0, 0, window, nullptr,
                    reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), nullptr);
}

void LiveRegion::Announce(HWND box) {
    if (!annotated_) {
        MakePolite(box);
        annotated_ = true;
    }
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, box, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace kestrova::win32
