// The face of "TAVRO-font" on the Cairo hosts: Liberation Sans, the face that
// GDI's font mapper gives the name on the Windows build under Wine, so the
// same text takes the same room on every host.
//
// Dependencies: fontconfig (the configuration Cairo's toy font API reads),
// fonts-liberation2. Known limits: without Liberation Sans installed,
// fontconfig falls back to its default sans face.
#pragma once

namespace tavro {

// Adds the alias to the process's font configuration, once; call before any font is looked up.
void load_font_alias();

}  // namespace tavro
