// Win32 host: lays out the dialog template of "TAVRO_gets" in a zero-filled buffer.
#include "hosts/win32/prompt_template.h"

#include <cstddef>

namespace tavro {

namespace {

constexpr std::size_t MESSAGE_LENGTH = 79;
constexpr std::uint16_t CLASS_BUTTON = 0x0080;
constexpr std::uint16_t CLASS_EDIT = 0x0081;
constexpr std::uint16_t CLASS_STATIC = 0x0082;

// Writes little-endian fields one after the other.
class TemplateWriter {
public:
    explicit TemplateWriter(PromptTemplate& target) : bytes_(target.bytes) {}

    void word(std::uint16_t value)
    {
        put(static_cast<std::uint8_t>(value & 0xff));
        put(static_cast<std::uint8_t>(value >> 8));
    }
    void dword(std::uint32_t value)
    {
        word(static_cast<std::uint16_t>(value & 0xffff));
        word(static_cast<std::uint16_t>(value >> 16));
    }
    // Each 8-bit character becomes one 16-bit character; at most limit of them, then the terminator.
    void text(const char* value, std::size_t limit)
    {
        for (std::size_t i = 0; i < limit && value[i] != '\0'; ++i) {
            word(static_cast<unsigned char>(value[i]));
        }
        word(0);
    }
    void align4()
    {
        while (at_ % 4 != 0) {
            put(0);
        }
    }
    // Style, extended style, position, size and id of one item, then its class atom, text and no creation data.
    void item(std::uint32_t style, int x, int y, int cx, int cy, int id, std::uint16_t class_atom, const char* label,
              std::size_t limit)
    {
        align4();
        dword(style);
        dword(0);
        box(x, y, cx, cy);
        word(static_cast<std::uint16_t>(id));
        word(0xffff);
        word(class_atom);
        text(label, limit);
        word(0);
    }
    void box(int x, int y, int cx, int cy)
    {
        word(static_cast<std::uint16_t>(x));
        word(static_cast<std::uint16_t>(y));
        word(static_cast<std::uint16_t>(cx));
        word(static_cast<std::uint16_t>(cy));
    }

private:
    void put(std::uint8_t value)
    {
        if (at_ < bytes_.size()) {
            bytes_[at_] = value;
        }
        ++at_;
    }

    std::array<std::uint8_t, PROMPT_TEMPLATE_SIZE>& bytes_;
    std::size_t at_ = 0;
};

}  // namespace

PromptTemplate build_prompt_template(const char* message)
{
    PromptTemplate result;
    TemplateWriter out(result);
    // WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU, DS_MODALFRAME; no DS_SETFONT: the system font.
    out.dword(0x90C80080);
    out.dword(0);
    out.word(3);
    out.box(50, 50, 185, 92);
    out.word(0);  // no menu
    out.word(0);  // the default dialog class
    out.text("TAVRO_gets", MESSAGE_LENGTH);
    // WS_CHILD, WS_VISIBLE, WS_BORDER, WS_TABSTOP, ES_MULTILINE, ES_AUTOVSCROLL
    out.item(0x50810044, 8, 30, 167, 37, PROMPT_EDIT_ID, CLASS_EDIT, "", 0);
    // WS_CHILD, WS_VISIBLE, WS_TABSTOP, BS_DEFPUSHBUTTON
    out.item(0x50010001, 67, 74, 50, 14, PROMPT_OK_ID, CLASS_BUTTON, "Okay", MESSAGE_LENGTH);
    // WS_CHILD, WS_VISIBLE, WS_GROUP, SS_LEFT
    out.item(0x50020000, 8, 3, 167, 24, PROMPT_TEXT_ID, CLASS_STATIC, message != nullptr ? message : "",
             MESSAGE_LENGTH);
    return result;
}

}  // namespace tavro
