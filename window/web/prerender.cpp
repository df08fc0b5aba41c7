// Writes the quiz into its page's shell as the page is before its program
// runs: every shown control of the form as the program makes it, with its text,
// colour and stacking, its band in the touch layout and its place in twips
// for the exact form, which the page's style scales to the screen. So the
// first paint is the quiz, and the program takes these elements over.
//
//   kestrova_prerender SHELL.html PAGE.html
//
// fills @QUIZ_TITLE@, @QUIZ_STYLE@, @QUIZ_ROOT@ and @QUIZ_PAGE@ in the shell.
// Built for and run on the build machine.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "window/form/quiz_form.h"
#include "window/form/screen_layout.h"
#include "window/web/page_elements.h"

namespace kestrova::web {
namespace {

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Text or an attribute's value, read back exactly: a carriage return
// written as such, as the parser turns a written one into a line feed.
std::string Html(std::u16string_view text) {
    std::string out;
    for (char c : Utf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '"': out += "&quot;"; break;
        case '\r': out += "&#13;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Html(std::string_view ascii) { return Html(std::u16string(ascii.begin(), ascii.end())); }

std::string Colour(form::Rgb c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.r, c.g, c.b);
    return hex;
}

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

// The least viewport for the exact form, as the page's media query.
std::string AtLeast(form::Viewport v) {
    return "(min-width: " + Px(v.width) + ") and (min-height: " + Px(v.height) + ")";
}

// A browser would fill a reloaded page's options and box as they were left;
// the quiz opens as it always does.
constexpr const char* kFresh = " autocomplete=\"off\"";

class PageWriter {
public:
    explicit PageWriter(const form::Form& form) : form_(form), styles_(form.controls.size()) {
        const auto stacking = form::StackingOrder(form);
        for (std::size_t depth = 0; depth < stacking.size(); ++depth) {
            Add(form.IndexOf(stacking[depth]->id), "z-index:" + std::to_string(stacking.size() - depth));
        }
        for (const form::TouchPlace& p : form::TouchLayout(form)) {
            std::ostringstream flex;
            flex << "order:" << 2 * p.band << ";flex:1 1 ";
            if (p.wholeWidth) flex << "100%"; else flex << p.widthInEms << "em";
            Add(form.IndexOf(p.control->id), flex.str());
            bands_ = std::max(bands_, p.band + 1);
        }
        for (std::size_t i = 0; i < form.controls.size(); ++i) {
            const form::Control& c = form.controls[i];
            if (c.background) Add(i, "background:" + Colour(*c.background));
            if (c.visible) {
                Add(i, "--l:" + std::to_string(c.left) + ";--t:" + std::to_string(c.top) + ";--w:" +
                           std::to_string(c.width) + ";--h:" + std::to_string(c.height));
            }
        }
        // Hidden controls are not painted: the program makes them.
        for (const PagePlace& p : PageOrder(form)) {
            if (!form.controls[p.control].visible) continue;
            (p.parent < 0 ? top_ : children_[static_cast<std::size_t>(p.parent)]).push_back(p.control);
        }
    }

    std::string Title() const { return Html(form_.caption); }

    // The root's colour and font as the program sets them, and the least
    // viewports for the exact form by mouse and by finger.
    std::string Root() const {
        return "style=\"background:" + Colour(form_.background) + ";font-family:'" + Utf8(form_.font.face) +
               "','Liberation Serif',Tinos,serif\" data-mouse=\"" +
               AtLeast(form::LeastExactViewport(form_, form::Pointer::Fine)) + "\" data-finger=\"" +
               AtLeast(form::LeastExactViewport(form_, form::Pointer::Coarse)) + "\"";
    }

    // The touch layout's sizes, and the exact form's places at the largest
    // whole density that fits the viewport, rounded as TwipsToPixels
    // rounds: --d is that density, in pixels. Only where the style can
    // round; elsewhere the page starts in the touch layout.
    std::string Style() const {
        const int fontPixels = static_cast<int>(form::FontPixels(form_.font, form::kReferenceDpi) + 0.5);
        const std::string inch = std::to_string(form::kTwipsPerInch);
        const auto pixels = [&](const std::string& twips, const std::string& how = "") {
            return "round(" + how + "var(--d)*" + twips + "/" + inch + ",1px)";
        };
        const auto fit = [&](const std::string& side, int twips) {
            return "round(down,(100v" + side + " + .499px)*" + inch + "/" + std::to_string(twips) + ",1px)";
        };
        const std::string w = std::to_string(form_.clientWidth), h = std::to_string(form_.clientHeight);
        // The option's circle as the program sets it (QuizPage's
        // PresentOptionCircles): in the touch layout the form's grown to its
        // size; in the exact form from twips at --d, the dot's inset a
        // quarter of the circle as OptionIndicatorIn rounds it.
        const form::Control* option = nullptr;
        for (const form::Control& c : form_.controls) {
            if (c.kind == form::Kind::OptionButton && !option) option = &c;
        }
        if (!option) throw std::logic_error("the form has no option button");
        const form::OptionIndicator touch = form::OptionIndicatorIn(
            *option, form::kReferenceDpi * form::kTouchIndicator / form::IndicatorSize(form::kReferenceDpi));
        const std::string circleInset = pixels(std::to_string(form::kCircleInsetTwips));
        std::ostringstream css;
        // Registered as a length, the density is worked out once on the root
        // and inherited as pixels; unregistered, each control would work out
        // its whole expression again, which made WebKit's first paint take
        // half as long again. Engines without @property still draw it.
        css << "@property --d{syntax:'<length>';inherits:true;initial-value:0px}\n"
            << "main#kestrova.touch{font-size:" << fontPixels / 16.0 << "rem;font-size:max(" << Px(fontPixels) << ","
            << fontPixels / 16.0 << "rem);--target:" << Px(form::kLeastTouchTarget)
            << ";--indicator:" << Px(form::kTouchIndicator) << ";--ring:" << Px(touch.ringWidth)
            << ";--circle-left:" << Px(touch.circle.left)
            << ";--caption-gap:" << Px(touch.captionLeft - touch.circle.left - touch.circle.width)
            << ";--dot-inset:" << Px(touch.dot.left - touch.circle.left)
            << ";--line:" << Px(form::FocusRingWidth(form::kReferenceDpi)) << "}\n"
            << "@supports (width: round(1.5px, 1px)) {\n"
            << "main#kestrova.exact{--d:min(" << fit("w", form_.clientWidth) << "," << fit("h", form_.clientHeight)
            << ");width:" << pixels(w) << ";height:" << pixels(h)
            << ";left:max(0px,round(down,(100vw - " << pixels(w) << ")/2,1px))"
            << ";top:max(0px,round(down,(100vh - " << pixels(h) << ")/2,1px))"
            << ";font-size:round(var(--d)*" << form::FontPixels(form_.font, form::kTwipsPerInch) << "/" << inch
            << ",.01px);--line:" << pixels(std::to_string(form::kFocusRingTwips))
            << ";--indicator:" << pixels(std::to_string(form::kIndicatorTwips)) << ";--ring:" << circleInset
            << ";--circle-left:" << circleInset << ";--caption-gap:" << pixels(std::to_string(form::kCaptionGapTwips))
            << ";--dot-inset:round(down,(var(--indicator) + 2px)/4,1px)}\n"
            << ".exact>[id],.exact label{left:" << pixels("var(--l)") << ";top:" << pixels("var(--t)")
            << ";width:" << pixels("var(--w)") << ";height:" << pixels("var(--h)") << "}\n}";
        return css.str();
    }

    std::string Page() const {
        std::string out;
        for (std::size_t i : top_) out += Element(i);
        // What ends each band's line in the touch layout.
        for (int band = 0; band < bands_; ++band) {
            out += "<div class=\"break\" style=\"order:" + std::to_string(2 * band + 1) + "\"></div>\n";
        }
        return out;
    }

private:
    void Add(std::size_t control, const std::string& style) {
        std::string& s = styles_[control];
        s += (s.empty() ? "" : ";") + style;
    }

    std::string Element(std::size_t index) const {
        const form::Control& c = form_.controls[index];
        const std::string tag = Utf8(Tag(c)), id = Html(form::DisplayName(c.id));
        const std::string style = " style=\"" + styles_[index] + "\"";
        const std::string name = c.accessibleName.empty() ? "" : " aria-label=\"" + Html(c.accessibleName) + "\"";
        std::string out;
        switch (c.kind) {
        case form::Kind::OptionButton:
            out = "<label" + style + "><input type=\"radio\" name=\"" + Html(form::DisplayName(c.container)) +
                  "\" id=\"" + id + "\"" + name + kFresh + "><span>" + Html(c.text) + "</span></label>";
            break;
        case form::Kind::Frame:
            out = "<fieldset id=\"" + id + "\"" + style + name + "><legend>" + Html(c.text) + "</legend>\n";
            for (std::size_t child : children_[index]) out += Element(child);
            out += "</fieldset>";
            break;
        case form::Kind::TextBox:
            // The parser drops a line feed that opens the text.
            out = "<textarea id=\"" + id + "\"" + style + name + kFresh + " readonly>" +
                  (!c.text.empty() && (c.text[0] == u'\r' || c.text[0] == u'\n') ? "\n" : "") + Html(c.text) +
                  "</textarea>";
            break;
        case form::Kind::ListBox:
            out = "<select id=\"" + id + "\"" + style + name + ">";
            for (std::u16string_view item : c.items) out += "<option value=\"" + Html(item) + "\">" + Html(item) + "</option>";
            out += "</select>";
            break;
        case form::Kind::CommandButton:
            out = "<button type=\"button\" id=\"" + id + "\"" + style + name + ">" + Html(c.text) + "</button>";
            break;
        case form::Kind::Label:
            out = "<" + tag + " id=\"" + id + "\"" + style + name + ">" + Html(c.text) + "</" + tag + ">";
            break;
        }
        return out + "\n";
    }

    const form::Form& form_;
    std::vector<std::string> styles_;
    std::vector<std::size_t> top_;
    std::vector<std::vector<std::size_t>> children_{form_.controls.size()};
    int bands_ = 0;
};

bool ReplaceOnce(std::string& text, const std::string& mark, const std::string& with) {
    const std::size_t at = text.find(mark);
    if (at == std::string::npos || text.find(mark, at + 1) != std::string::npos) return false;
    text.replace(at, mark.size(), with);
    return true;
}

}  // namespace
}  // namespace kestrova::web

int main(int argc, char** argv) {
    using namespace kestrova;
    if (argc != 3) {
        std::cerr << "usage: kestrova_prerender SHELL.html PAGE.html\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream shell;
    shell << in.rdbuf();
    std::string page = shell.str();
    const form::Form form = form::QuizForm();
    const web::PageWriter writer(form);
    const std::pair<const char*, std::string> fills[] = {
        {"@QUIZ_TITLE@", writer.Title()}, {"@QUIZ_STYLE@", writer.Style()},
        {"@QUIZ_ROOT@", writer.Root()}, {"@QUIZ_PAGE@", writer.Page()}};
    for (const auto& [mark, with] : fills) {
        if (!web::ReplaceOnce(page, mark, with)) {
            std::cerr << argv[1] << ": " << mark << " is not there exactly once\n";
            return 1;
        }
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << page;
    return out.good() ? 0 : 1;
}
