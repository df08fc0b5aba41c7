// The X floor: plain Xlib and Xft open a window the quiz's size, draw 816
// characters of Cyrillic text in Liberation Serif, and quit once that is on
// the screen: the practical limit for showing this much on this machine.
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <string>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 461, 382, 0, 0,
                                              0xC0C0FF);
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);

    XftFont* font = XftFontOpenName(display, screen, "Liberation Serif:pixelsize=16");
    XftDraw* draw = XftDrawCreate(display, window, DefaultVisual(display, screen), DefaultColormap(display, screen));
    XftColor black;
    XftColorAllocName(display, DefaultVisual(display, screen), DefaultColormap(display, screen), "black", &black);
    std::string text;
    while (text.size() < 2 * 816) text += "Да се реализира проект, представящ връзки. ";  // two bytes a letter

    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type != Expose) continue;
        // Lines of 56 letters, as the result box's width holds about that many.
        for (std::size_t at = 0, line = 0; at < text.size(); at += 112, ++line) {
            const std::string part = text.substr(at, 112);
            XftDrawStringUtf8(draw, &black, font, 8, 20 + 18 * int(line),
                              reinterpret_cast<const FcChar8*>(part.data()), int(part.size()));
        }
        XSync(display, False);
        break;
    }
    XftDrawDestroy(draw);
    XftFontClose(display, font);
    XCloseDisplay(display);
    return 0;
}
