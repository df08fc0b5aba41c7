#pragma once

// The page's seam to the browser: plain C functions that dom.js provides.
// Controls are numbered by their place in the form; texts are UTF-16.
extern "C" {

void dom_page(const char16_t* title, int titleLength, int rgb, const char16_t* face, int faceLength);
// Takes over the page's element of that id, or where there is none creates
// it; 1: taken over, as the page was written with it.
// `tag`: the element that realises the control, by its HTML name, which
// dom.js knows the same way: "h1", "div", "fieldset", "label" (a radio with
// its caption), "button", "textarea" or "select". `group`: the radio
// group's name, for radios.
int dom_create(int control, const char16_t* tag, int tagLength, const char16_t* id, int idLength,
                const char16_t* group, int groupLength);
// `parent` -1: the page itself. Nothing where the element is already there.
void dom_append(int control, int parent);
void dom_colour(int control, int rgb);
// Higher in front of lower where controls overlap.
void dom_stack(int control, int depth);
void dom_set_text(int control, const char16_t* text, int length);
void dom_add_item(int control, const char16_t* text, int length);
void dom_name(int control, const char16_t* name, int length);
void dom_hide(int control);
// Calls kestrova_click(context, control) on each Click of the control.
void dom_listen(int control, void* context);
// Calls kestrova_resize(context, width, height, coarse) with the viewport's
// size in CSS pixels and whether the screen is mainly used by finger (1) or
// by mouse, touchpad or pen (0), now and whenever either changes.
void dom_watch_viewport(void* context);

// The exact form: the page at a place and size, its font `fontPixels100`
// hundredths of a pixel high, lines (frame, borders, focus ring) `line`
// pixels wide and radio circles `indicator` pixels across; then each
// control placed from its container's corner.
void dom_present_exact(int left, int top, int width, int height, int fontPixels100, int line, int indicator);
void dom_place(int control, int left, int top, int width, int height);
// The radio circles, in either presentation: `size` pixels across, `left`
// in from their row's edge and `gap` before the caption, ringed `ring`
// wide; a checked one's dot `dotInset` in from the circle's edge.
void dom_option_circle(int size, int ring, int left, int gap, int dotInset);
// The touch layout: text `fontPixels` high or the reader's size if larger,
// targets at least `target` pixels each way; then each control of the
// window in its band, side by side with the band's others at least
// `widthInEms1000` thousandths of an em wide, or across the whole width.
void dom_present_touch(int fontPixels, int target, int indicator, int line);
void dom_flow(int control, int band, int wholeWidth, int widthInEms1000);
// A text box as tall as its text.
void dom_fit(int control);
// Scrolls the page so that the control is in view, as much of it as fits.
void dom_reveal(int control);

int dom_is_checked(int control);
void dom_uncheck(int control);
int dom_text_length(int control);
void dom_copy_text(int control, char16_t* out);
int dom_item_length(int control, int item);
void dom_copy_item(int control, int item, char16_t* out);
// Whether a control of the page has the focus.
int dom_focus_taken();
// Checks again each option chosen before the program ran and passes it, and
// each command pressed then, to kestrova_click(context, control), in their
// order.
void dom_replay_early(void* context);
// Focuses the control without scrolling the page to it.
void dom_focus(int control);
void dom_announce(const char16_t* message, int length);
}
