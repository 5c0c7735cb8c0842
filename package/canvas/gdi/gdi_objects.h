// GDI canvas: scoped selection of a pen, brush or font into a drawing context.
// The object is selected out again (the previous one restored) before it is
// deleted, so the context's defaults stay in place between commands.
#pragma once

#include <windows.h>

namespace tavro {

class SelectedObject {
public:
    // Selects object into dc; owned: delete it after selecting it out.
    SelectedObject(HDC dc, HGDIOBJ object, bool owned)
        : dc_(dc), object_(object), owned_(owned), previous_(SelectObject(dc, object))
    {
    }
    ~SelectedObject()
    {
        SelectObject(dc_, previous_);
        if (owned_) {
            DeleteObject(object_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    bool owned_;
    HGDIOBJ previous_;
};

}  // namespace tavro
