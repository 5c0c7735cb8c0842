// FLTK desktop host: FLTK key codes as the package's virtual keys and characters.
//
// Virtual keys: Ctrl 17, Shift 16, Alt 18, letters 65..90 whatever the case,
// digits 48..57, Enter 13, Backspace 8, Tab 9, Escape 27, space 32, arrows
// 37..40, Page Up/Down 33/34, End 35, Home 36, Insert 45, Delete 46, keypad
// digits 96..105, F1..F12 112..123; any other key below 128 gives its own
// code, and the rest 0.
//
// Dependencies: FLTK's key names (Enumerations.H) and its UTF-8 decoder.
// Known limits: a typed character above 255 translates to nothing (0).
#pragma once

namespace tavro {

int virtual_key_of(int fltk_key);

// The character that pressing fltk_key types: Ctrl with a letter gives 1..26,
// otherwise the first character of the key's text (UTF-8, length bytes), 0 for none.
int translated_character(int fltk_key, const char* text, int length, bool ctrl_held);

}  // namespace tavro
