#include "canvas/cairo/font_alias.h"

#include <fontconfig/fontconfig.h>

namespace tavro {

namespace {

constexpr const char* FONT_ALIAS_CONFIG = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>TAVRO-font</family>
    <prefer><family>Liberation Sans</family></prefer>
  </alias>
</fontconfig>
)";

bool add_alias()
{
    FcInit();
    return FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(FONT_ALIAS_CONFIG),
                                          FcTrue) == FcTrue;
}

}  // namespace

void load_font_alias()
{
    static const bool loaded = add_alias();
    (void)loaded;
}

}  // namespace tavro
