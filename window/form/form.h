#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::form {

// A toolkit-free description of a window: every control as data, in twips.
// A front end realises it control by control and adds no layout of its own.

enum class Kind { Label, Frame, OptionButton, CommandButton, TextBox, ListBox };
enum class Align { Left, Centre };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// A control array's name and the element's index. Arrays are zero-based;
// a control that is not in an array has index kSingle.
struct ControlId {
    static constexpr std::int16_t kSingle = -1;
    std::string_view name;
    std::int16_t index = kSingle;
    bool operator==(const ControlId&) const = default;
};

// "Option1(3)" for an array element, "List1" for a single control.
std::string DisplayName(ControlId id);

struct Control {
    ControlId id;
    Kind kind = Kind::Label;
    // Empty name: the control sits on the window itself.
    ControlId container;
    // Measured from the container's top-left corner; for a frame that
    // corner includes the band of its caption.
    int left = 0, top = 0, width = 0, height = 0;
    // No value: the system's default colour.
    std::optional<Rgb> background;
    Align align = Align::Left;
    // Caption, or a text box's initial text.
    std::u16string_view text;
    // What assistive technology calls a control that has no caption.
    std::u16string_view accessibleName;
    // A label that titles the window; assistive technology offers it as a
    // heading.
    bool heading = false;
    // A text box whose every new content is news for assistive technology:
    // the window's live region.
    bool live = false;
    // A list box's entries.
    std::vector<std::u16string_view> items;
    int tabIndex = 0;
    bool visible = true;
};

struct Font {
    std::u16string_view face;
    int points = 0;
    int weight = 400;
    int charset = 0;
};

struct Form {
    std::string_view name;
    std::u16string_view caption;
    int clientWidth = 0, clientHeight = 0;
    Rgb background;
    Font font;
    // Containers come before the controls they hold.
    std::vector<Control> controls;

    // Nullptr when the form has no such control.
    const Control* Find(ControlId id) const;
    // The control's place in `controls`; throws std::out_of_range when the
    // form has no such control.
    std::size_t IndexOf(ControlId id) const;
};

}  // namespace kestrova::form
