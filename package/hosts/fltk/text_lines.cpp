// FLTK desktop host: the lines the text window can show, newest last.
//
// Dependencies: none.
// Known limits: see text_lines.h.
#include "text_lines.h"

namespace tavro {

void TextLines::put(const std::string& line) {
    if (capacity_ == 0) {
        return;
    }
    if (lines_.size() == capacity_) {
        lines_.pop_front();
    }
    lines_.push_back(line);
}

}  // namespace tavro
