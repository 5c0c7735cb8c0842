// Win32 host: one new bottom line of the text window, drawn in the stock
// fixed-pitch font after the client area has scrolled up by one line.
#include "hosts/win32/win32_host.h"

#include "canvas/gdi/gdi_objects.h"

#include <cstring>

namespace tavro {

void Win32Host::text_put_line(const char* text)
{
    if (text_ == nullptr) {
        return;
    }
    HDC dc = GetDC(text_);
    {
        SelectedObject font(dc, GetStockObject(ANSI_FIXED_FONT), false);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        const int line_height = metrics.tmHeight + metrics.tmExternalLeading;
        ScrollDC(dc, 0, -line_height, nullptr, nullptr, nullptr, nullptr);
        RECT client{};
        GetClientRect(text_, &client);
        {
            // Null pen: Rectangle fills one pixel short of right and bottom, hence the + 1.
            SelectedObject pen(dc, GetStockObject(NULL_PEN), false);
            SelectedObject brush(dc, CreateSolidBrush(GetBkColor(dc)), true);
            Rectangle(dc, client.left, client.bottom - line_height, client.right + 1, client.bottom + 1);
        }
        TextOutA(dc, client.left + 5, client.bottom - line_height, text, static_cast<int>(std::strlen(text)));
    }
    ReleaseDC(text_, dc);
}

}  // namespace tavro
