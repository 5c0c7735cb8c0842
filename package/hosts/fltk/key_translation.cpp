// FLTK desktop host: FLTK key codes as the package's virtual keys and characters.
//
// Dependencies: FLTK (key names, fl_utf8decode).
// Known limits: see key_translation.h.
#include "hosts/fltk/key_translation.h"

#include "seam/host.h"

#include <FL/Enumerations.H>
#include <FL/fl_utf8.h>

namespace tavro {

namespace {

struct KeyPair {
    int fltk_key;
    int virtual_key;
};

constexpr KeyPair named_keys[] = {
    {FL_Control_L, VIRTUAL_KEY_CONTROL},
    {FL_Control_R, VIRTUAL_KEY_CONTROL},
    {FL_Shift_L, 16},
    {FL_Shift_R, 16},
    {FL_Alt_L, 18},
    {FL_Alt_R, 18},
    {FL_Enter, 13},
    {FL_KP_Enter, 13},
    {FL_BackSpace, 8},
    {FL_Tab, 9},
    {FL_Escape, 27},
    {FL_Page_Up, 33},
    {FL_Page_Down, 34},
    {FL_End, 35},
    {FL_Home, 36},
    {FL_Left, 37},
    {FL_Up, 38},
    {FL_Right, 39},
    {FL_Down, 40},
    {FL_Insert, 45},
    {FL_Delete, 46},
};

constexpr int FUNCTION_KEYS = 12;
constexpr int VIRTUAL_KEY_F1 = 112;
constexpr int VIRTUAL_KEY_NUMPAD0 = 96;
constexpr int CHARACTER_LIMIT = 255;

}  // namespace

int virtual_key_of(int fltk_key)
{
    if (fltk_key >= 'a' && fltk_key <= 'z') {
        return fltk_key - 'a' + 'A';
    }
    if (fltk_key >= FL_F + 1 && fltk_key <= FL_F + FUNCTION_KEYS) {
        return VIRTUAL_KEY_F1 + fltk_key - (FL_F + 1);
    }
    if (fltk_key >= FL_KP + '0' && fltk_key <= FL_KP + '9') {
        return VIRTUAL_KEY_NUMPAD0 + fltk_key - (FL_KP + '0');
    }
    for (const KeyPair& pair : named_keys) {
        if (pair.fltk_key == fltk_key) {
            return pair.virtual_key;
        }
    }
    return fltk_key > 0 && fltk_key < 128 ? fltk_key : 0;
}

int translated_character(int fltk_key, const char* text, int length, bool ctrl_held)
{
    if (ctrl_held && fltk_key >= 'a' && fltk_key <= 'z') {
        return fltk_key - 'a' + 1;
    }
    if (text == nullptr || length <= 0) {
        return 0;
    }
    int used = 0;
    const unsigned code = fl_utf8decode(text, text + length, &used);
    return code <= CHARACTER_LIMIT ? static_cast<int>(code) : 0;
}

}  // namespace tavro
