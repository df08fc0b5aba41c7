#pragma once

#include <windows.h>

#include <string_view>

namespace kestrova::win32 {

// Assistive technology names a box by the label just before it among the
// window's children. Makes that label, never shown, at the box's place;
// call it just before making the box.
void MakeNameLabel(HWND window, std::u16string_view name, int left, int top);

// The window's one live region: a polite one, through the system's
// annotation service. The annotation is set at the first message rather
// than at start-up, which the service would slow.
class LiveRegion {
public:
    // The box already holds the message; a live region is read out when it
    // reports a change, every time, the same words or not.
    void Announce(HWND box);

private:
    bool annotated_ = false;
};

}  // namespace kestrova::win32
