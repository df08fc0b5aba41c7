#pragma once

// The page's seam to the browser: plain C functions that dom.js provides.
// Controls are numbered by their place in the form; texts are UTF-16.
extern "C" {

enum DomKind { kDomHeading, kDomLabel, kDomFrame, kDomRadio, kDomButton, kDomTextArea, kDomList };

void dom_page(const char16_t* title, int titleLength, int width, int height, int rgb, const char16_t* face,
              int faceLength, int points);
// `group`: the radio group's name, for radios.
void dom_create(int control, int kind, const char16_t* id, int idLength, const char16_t* group, int groupLength);
// `parent` -1: the page itself.
void dom_append(int control, int parent);
void dom_place(int control, int left, int top, int width, int height);
void dom_colour(int control, int rgb);
// Higher in front of lower where controls overlap.
void dom_stack(int control, int depth);
void dom_set_text(int control, const char16_t* text, int length);
void dom_add_item(int control, const char16_t* text, int length);
void dom_name(int control, const char16_t* name, int length);
void dom_hide(int control);
// Calls kestrova_click(context, control) on each Click of the control.
void dom_listen(int control, void* context);
int dom_is_checked(int control);
void dom_uncheck(int control);
int dom_text_length(int control);
void dom_copy_text(int control, char16_t* out);
int dom_item_length(int control, int item);
void dom_copy_item(int control, int item, char16_t* out);
void dom_focus(int control);
void dom_announce(const char16_t* message, int length);
}
