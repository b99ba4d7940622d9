#pragma once
// What the dialog layer asks of the page's script (dialog/web/lamino.js):
// windows and controls are elements the script makes and names by small
// integer handles; texts cross as UTF-16 code units in the module's memory.

#include <cstdint>

#define LAMINO_DOM(name) __attribute__((import_module("lamino"), import_name(#name)))

extern "C" {

// A window: a page inside control `parentControl` of another window (0 for
// a window of its own), laid out in pixels, in the template's font.
LAMINO_DOM(window_create)
int dom_window_create(int parentControl, int modal, int width, int height, int whiteFace, const char16_t* face,
                      int faceLength, int fontPixels);
LAMINO_DOM(window_destroy) void dom_window_destroy(int window);
LAMINO_DOM(window_set_title) void dom_window_set_title(int window, const char16_t* text, int length);
LAMINO_DOM(window_show) void dom_window_show(int window, int visible);
LAMINO_DOM(window_is_visible) int dom_window_is_visible(int window);
LAMINO_DOM(window_move) void dom_window_move(int window, int x, int y, int width, int height);
LAMINO_DOM(window_add_menu_item)
void dom_window_add_menu_item(int window, int commandId, const char16_t* text, int length);
LAMINO_DOM(window_set_icon) void dom_window_set_icon(int window, int iconId);
// Shows a modal window over its owner; the focus goes back where it was when it ends.
LAMINO_DOM(window_show_modal) void dom_window_show_modal(int window);
// Waits, with the module's stack set aside, until window_end_modal; gives its result.
LAMINO_DOM(window_run_modal) int dom_window_run_modal(int window);
LAMINO_DOM(window_end_modal) void dom_window_end_modal(int window, int result);

// A control of a window, at its place in the window's client area.
LAMINO_DOM(control_create)
int dom_control_create(int window, int id, int kind, uint32_t style, int x, int y, int width, int height,
                       const char16_t* text, int length, int imageId);
// Moves the control into the group box that frames it, where it stays in place.
LAMINO_DOM(control_set_group) void dom_control_set_group(int control, int group);
LAMINO_DOM(control_set_text) void dom_control_set_text(int control, const char16_t* text, int length);
LAMINO_DOM(control_text_length) int dom_control_text_length(int control);
LAMINO_DOM(control_get_text) void dom_control_get_text(int control, char16_t* buffer);
// What assistive technology calls the control: the text of control `label`,
// or `name` where there is no label control.
LAMINO_DOM(control_set_label) void dom_control_set_label(int control, int label);
LAMINO_DOM(control_set_name) void dom_control_set_name(int control, const char16_t* name, int length);
// What assistive technology adds after the control's name and value.
LAMINO_DOM(control_describe) void dom_control_describe(int control, const char16_t* text, int length);

// Keyboard focus: the control that holds it (0 for none), and moving it;
// false when the control cannot take it yet (its window is not shown).
LAMINO_DOM(focused_control) int dom_focused_control();
LAMINO_DOM(control_focus) int dom_control_focus(int control);
LAMINO_DOM(control_window_shown) int dom_control_window_shown(int control);

LAMINO_DOM(edit_get_selection) void dom_edit_get_selection(int control, int* start, int* end);
LAMINO_DOM(edit_set_selection) void dom_edit_set_selection(int control, int start, int end);
LAMINO_DOM(edit_scroll_caret) void dom_edit_scroll_caret(int control);

LAMINO_DOM(list_insert) void dom_list_insert(int control, int index, const char16_t* text, int length);
LAMINO_DOM(list_count) int dom_list_count(int control);
LAMINO_DOM(list_item_length) int dom_list_item_length(int control, int index);
LAMINO_DOM(list_get_item) void dom_list_get_item(int control, int index, char16_t* buffer);
LAMINO_DOM(list_set_current) void dom_list_set_current(int control, int index);
LAMINO_DOM(list_current) int dom_list_current(int control);

LAMINO_DOM(button_set_check) void dom_button_set_check(int control, int checked);
LAMINO_DOM(button_check) int dom_button_check(int control);

LAMINO_DOM(tab_insert) void dom_tab_insert(int control, int index, const char16_t* label, int length);
LAMINO_DOM(tab_current) int dom_tab_current(int control);

// The width of "A".."Z" "a".."z" and the line height of a face at a pixel size.
LAMINO_DOM(font_metrics)
void dom_font_metrics(const char16_t* face, int faceLength, int pixels, int* alphabetWidth, int* height);

// A program write of a field, for whoever watches (the scenario driver).
LAMINO_DOM(trace_write) void dom_trace_write(int id, const char16_t* text, int length);
}
