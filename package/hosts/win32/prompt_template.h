// Win32 host: the in-memory dialog template of "TAVRO_gets".
//
// The program carries no resources, so the dialog's template is laid out byte
// by byte: the header (style 0x90C80080, three items, title "TAVRO_gets") and
// three items on 4-byte boundaries (edit 102, button "Okay" 101, static text
// 103), texts as 16-bit characters, no font, positions in dialog units.
//
// Dependencies: none (plain bytes, read by DialogBoxIndirectParamA).
// Known limits: the message must be exactly 79 characters (the core pads or cuts it).
#pragma once

#include <array>
#include <cstdint>

namespace tavro {

constexpr int PROMPT_TEMPLATE_SIZE = 292;
constexpr int PROMPT_OK_ID = 101;
constexpr int PROMPT_EDIT_ID = 102;
constexpr int PROMPT_TEXT_ID = 103;

// DialogBoxIndirectParamA reads the template in 32-bit and 16-bit fields.
struct alignas(4) PromptTemplate {
    std::array<std::uint8_t, PROMPT_TEMPLATE_SIZE> bytes{};
};

// The template showing message (79 characters; a shorter one leaves zeros, a longer one is cut).
PromptTemplate build_prompt_template(const char* message);

}  // namespace tavro
