#include "window/form/form_rules.h"

#include <algorithm>
#include <tuple>

#include "window/form/sort_stable.h"

namespace kestrova::form {
namespace {

bool IsOption(const Control& c) { return c.kind == Kind::OptionButton; }

}  // namespace

int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    // Floor division, so that halves round up for negative values too.
    const long long half = kTwipsPerInch / 2;
    const long long n = scaled + half;
    return static_cast<int>(n >= 0 ? n / kTwipsPerInch : -((-n + kTwipsPerInch - 1) / kTwipsPerInch));
}

int FocusRingWidth(int dpi) { return TwipsToPixels(kFocusRingTwips, dpi); }

int IndicatorSize(int dpi) { return TwipsToPixels(kIndicatorTwips, dpi); }

OptionIndicator OptionIndicatorIn(const Control& option, int dpi) {
    const int size = IndicatorSize(dpi), height = TwipsToPixels(option.height, dpi);
    const PixelRect circle{TwipsToPixels(kCircleInsetTwips, dpi), (height - size) / 2, size, size};
    // A quarter of the circle in from each side, rounded so that the dot
    // keeps the circle's middle: 6 of 12, 8 of 18, 12 of 24.
    const int inset = (size + 2) / 4;
    const PixelRect dot{circle.left + inset, circle.top + inset, size - 2 * inset, size - 2 * inset};
    return {circle, dot, TwipsToPixels(kCircleInsetTwips, dpi), circle.left + size + TwipsToPixels(kCaptionGapTwips, dpi)};
}

Rgb HeldFace(Rgb face, Rgb ink) {
    const auto mix = [](int f, int i) {
        return static_cast<std::uint8_t>(((100 - kHeldShadePercent) * f + kHeldShadePercent * i + 50) / 100);
    };
    return {mix(face.r, ink.r), mix(face.g, ink.g), mix(face.b, ink.b)};
}

PixelRect PlaceInContainer(const Control& c, int dpi) {
    return {TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi),
            TwipsToPixels(c.height, dpi)};
}

PixelRect PlaceInWindow(const Form& form, const Control& c, int dpi) {
    PixelRect r = PlaceInContainer(c, dpi);
    if (const Control* container = form.Find(c.container)) {
        const PixelRect outer = PlaceInWindow(form, *container, dpi);
        r.left += outer.left;
        r.top += outer.top;
    }
    return r;
}

bool TakesFocus(const Control& c) {
    return c.visible &&
           (c.kind == Kind::OptionButton || c.kind == Kind::CommandButton || c.kind == Kind::TextBox);
}

std::vector<const Control*> FocusChain(const Form& form) {
    std::vector<const Control*> chain;
    for (const Control& c : form.controls) {
        if (TakesFocus(c)) chain.push_back(&c);
    }
    SortStable(chain, [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return chain;
}

std::vector<TabStop> TabSequence(const Form& form) {
    std::vector<TabStop> stops;
    for (const Control* c : FocusChain(form)) {
        if (!IsOption(*c)) {
            stops.push_back({{c}, c, nullptr});
            continue;
        }
        // The chain is in tab order, so a group's first button met is its entry.
        const Control* frame = form.Find(c->container);
        const auto same = std::find_if(stops.begin(), stops.end(), [&](const TabStop& s) {
            return s.frame != nullptr && s.frame->id == c->container;
        });
        if (same == stops.end()) {
            stops.push_back({{c}, c, frame});
        } else {
            same->controls.push_back(c);
        }
    }
    for (TabStop& s : stops) {
        SortStable(s.controls, [](const Control* a, const Control* b) { return a->top < b->top; });
    }
    return stops;
}

const Control* LiveRegion(const Form& form) {
    for (const Control& c : form.controls) {
        if (c.live && c.visible && c.kind == Kind::TextBox) return &c;
    }
    return nullptr;
}

const Control* FirstFocus(const Form& form) {
    const std::vector<const Control*> chain = FocusChain(form);
    return chain.empty() ? nullptr : chain.front();
}

const Control* NextTabTarget(const Form& form, ControlId current, bool forward,
                             const std::function<bool(const Control&)>& isChecked) {
    const std::vector<TabStop> stops = TabSequence(form);
    const auto at = std::find_if(stops.begin(), stops.end(), [&](const TabStop& s) {
        return std::any_of(s.controls.begin(), s.controls.end(), [&](const Control* c) { return c->id == current; });
    });
    if (at == stops.end()) return nullptr;
    const std::size_t n = stops.size();
    const auto i = static_cast<std::size_t>(at - stops.begin());
    const TabStop& next = stops[(i + (forward ? 1 : n - 1)) % n];
    const auto checked = std::find_if(next.controls.begin(), next.controls.end(),
                                      [&](const Control* c) { return IsOption(*c) && isChecked(*c); });
    return checked != next.controls.end() ? *checked : next.entry;
}

std::vector<const Control*> StackingOrder(const Form& form) {
    std::vector<const Control*> order;
    for (const Control& c : form.controls) order.push_back(&c);
    SortStable(order, [](const Control* a, const Control* b) { return a->top < b->top; });
    return order;
}

std::vector<const Control*> SiblingOrder(const Form& form) {
    // Each control keyed by where it stands: an option button at its group's
    // entry, then by row; a frame after everything.
    struct Keyed {
        int band, tab, top;
        const Control* control;
    };
    std::vector<TabStop> stops = TabSequence(form);
    std::vector<Keyed> keyed;
    for (const Control& c : form.controls) {
        Keyed k{0, c.tabIndex, 0, &c};
        if (c.kind == Kind::Frame) k.band = 1;
        for (const TabStop& s : stops) {
            if (s.frame != nullptr && IsOption(c) && s.frame->id == c.container) {
                k.tab = s.entry->tabIndex;
                k.top = c.top;
            }
        }
        keyed.push_back(k);
    }
    SortStable(keyed, [](const Keyed& a, const Keyed& b) {
        return std::tie(a.band, a.tab, a.top) < std::tie(b.band, b.tab, b.top);
    });
    std::vector<const Control*> order;
    for (const Keyed& k : keyed) order.push_back(k.control);
    return order;
}

}  // namespace kestrova::form
