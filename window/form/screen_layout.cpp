#include "window/form/screen_layout.h"

#include <algorithm>

#include "window/form/form_rules.h"
#include "window/form/sort_stable.h"

namespace kestrova::form {
namespace {

constexpr int kTwipsPerPoint = 20;
constexpr int kPointsPerInch = 72;

bool Fits(const Form& form, Viewport viewport, int dpi) {
    return TwipsToPixels(form.clientWidth, dpi) <= viewport.width &&
           TwipsToPixels(form.clientHeight, dpi) <= viewport.height;
}

}  // namespace

ExactFit FitExact(const Form& form, Viewport viewport) {
    // Sizes grow with the density, so the largest fitting one is found by
    // halving.
    int low = 0, high = 1;
    while (Fits(form, viewport, high) && high < (1 << 20)) high *= 2;
    while (high - low > 1) {
        const int mid = low + (high - low) / 2;
        (Fits(form, viewport, mid) ? low : high) = mid;
    }
    ExactFit fit{low, 0, 0, TwipsToPixels(form.clientWidth, low), TwipsToPixels(form.clientHeight, low)};
    fit.left = std::max(0, (viewport.width - fit.width) / 2);
    fit.top = std::max(0, (viewport.height - fit.height) / 2);
    return fit;
}

int OptionRowPitch(const Form& form) {
    int pitch = 0;
    for (const Control& a : form.controls) {
        for (const Control& b : form.controls) {
            if (a.kind == Kind::OptionButton && b.kind == Kind::OptionButton && a.visible && b.visible &&
                a.container == b.container && b.top > a.top && (pitch == 0 || b.top - a.top < pitch)) {
                pitch = b.top - a.top;
            }
        }
    }
    return pitch;
}

Presentation ChoosePresentation(const Form& form, Viewport viewport, Pointer pointer) {
    const int dpi = FitExact(form, viewport).dpi;
    const bool rowsApart = pointer == Pointer::Fine || TwipsToPixels(OptionRowPitch(form), dpi) >= kLeastTouchTarget;
    return dpi >= kLeastExactDpi && rowsApart ? Presentation::Exact : Presentation::Touch;
}

Viewport LeastExactViewport(const Form& form, Pointer pointer) {
    // The exact form's size at the least density that allows it; a larger
    // viewport fits that density or a higher one.
    int dpi = kLeastExactDpi;
    while (pointer == Pointer::Coarse && TwipsToPixels(OptionRowPitch(form), dpi) < kLeastTouchTarget && dpi < (1 << 20)) ++dpi;
    return {TwipsToPixels(form.clientWidth, dpi), TwipsToPixels(form.clientHeight, dpi)};
}

double FontPixels(const Font& font, int dpi) { return static_cast<double>(font.points) * dpi / kPointsPerInch; }

std::vector<TouchPlace> TouchLayout(const Form& form) {
    std::vector<const Control*> shown;
    for (const Control& c : form.controls) {
        if (c.visible && c.container.name.empty()) shown.push_back(&c);
    }
    SortStable(shown, [](const Control* a, const Control* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    // A control that starts below everything of the band so far opens a new
    // band; one that starts beside it joins it.
    std::vector<TouchPlace> places;
    const double emTwips = static_cast<double>(form.font.points) * kTwipsPerPoint;
    int band = -1, bandBottom = 0;
    for (const Control* c : shown) {
        if (band < 0 || c->top >= bandBottom) {
            ++band;
            bandBottom = c->top + c->height;
        } else {
            bandBottom = std::max(bandBottom, c->top + c->height);
        }
        places.push_back({c, band, false, c->width / emTwips});
    }
    SortStable(places, [](const TouchPlace& a, const TouchPlace& b) {
        return a.band != b.band ? a.band < b.band : a.control->left < b.control->left;
    });
    for (TouchPlace& p : places) {
        p.wholeWidth = std::count_if(places.begin(), places.end(), [&](const TouchPlace& q) { return q.band == p.band; }) == 1;
    }
    return places;
}

}  // namespace kestrova::form
