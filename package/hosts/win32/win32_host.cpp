// Win32 host: windows, message turn, timer, menu and the image's copies to the screen.
#include "hosts/win32/win32_host.h"

#include "hosts/win32/global_text_block.h"
#include "hosts/win32/native_messages.h"

#include "support/fatal_failure.h"

#include <ctime>
#include <string>

namespace tavro {

namespace {

constexpr const char* GRAPHICS_CLASS = "DrawWndClass";
constexpr const char* TEXT_CLASS = "TextWndClass";

int paint_slot(WindowId window) { return window == WindowId::graphics ? 0 : 1; }

// Without its windows the program can show nothing: it ends, naming what failed.
void require(bool done, const char* what)
{
    if (!done) {
        end_on_failure(std::string("cannot ") + what + " (Windows error " + std::to_string(GetLastError()) + ")");
    }
}

}  // namespace

void Win32Host::register_classes()
{
    if (background_ != nullptr) {
        return;
    }
    background_ = CreateSolidBrush(RGB(255, 255, 255));
    // One class record; the second registration changes only the procedure and the name.
    WNDCLASSA record{};
    record.style = CS_HREDRAW | CS_VREDRAW;
    record.lpfnWndProc = graphics_procedure;
    record.cbClsExtra = 0;
    record.cbWndExtra = 0;
    record.hInstance = GetModuleHandleA(nullptr);
    record.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    record.hbrBackground = background_;
    record.lpszMenuName = "generic";
    record.lpszClassName = GRAPHICS_CLASS;
    require(RegisterClassA(&record) != 0, "register the graphics window's class");
    record.lpfnWndProc = text_procedure;
    record.lpszClassName = TEXT_CLASS;
    require(RegisterClassA(&record) != 0, "register the text window's class");
}

int Win32Host::screen_width() { return GetSystemMetrics(SM_CXSCREEN); }

int Win32Host::screen_height() { return GetSystemMetrics(SM_CYSCREEN); }

void Win32Host::create_graphics_window(int x, int y, int width, int height)
{
    register_classes();
    // WS_CAPTION | WS_SYSMENU: no sizing border, no minimise or maximise box.
    require(CreateWindowExA(0, GRAPHICS_CLASS, "TAVRO Graphics", WS_CAPTION | WS_SYSMENU, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr) != nullptr,
            "create the graphics window");
}

void Win32Host::create_text_window(int x, int y, int width, int height)
{
    register_classes();
    require(CreateWindowExA(0, TEXT_CLASS, "TAVRO Text", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr) != nullptr,
            "create the text window");
}

void Win32Host::show_window(WindowId window, int show_command)
{
    if (HWND handle = window_of(window)) {
        ShowWindow(handle, show_command);
    }
}

ClientRect Win32Host::client_rect()
{
    RECT rect{};
    GetClientRect(graphics_, &rect);
    return ClientRect{rect.left, rect.top, rect.right, rect.bottom};
}

Canvas& Win32Host::image()
{
    if (!canvas_) {
        canvas_ = std::make_unique<GdiCanvas>(window_dc_);
    }
    return *canvas_;
}

void Win32Host::start_timer(int id, int period_ms)
{
    SetTimer(graphics_, static_cast<UINT_PTR>(id), static_cast<UINT>(period_ms), nullptr);
}

void Win32Host::acquire_window_dc()
{
    if (window_dc_ == nullptr && graphics_ != nullptr) {
        window_dc_ = GetDC(graphics_);
    }
}

void Win32Host::release_window_dc()
{
    if (window_dc_ != nullptr) {
        ReleaseDC(graphics_, window_dc_);
        window_dc_ = nullptr;
    }
}

bool Win32Host::take_message(Message& message)
{
    if (!PeekMessageA(&taken_, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    const WindowId window = taken_.hwnd == text_ && text_ != nullptr ? WindowId::text : WindowId::graphics;
    message = neutral_message(window, taken_.message, taken_.wParam, taken_.lParam);
    return true;
}

void Win32Host::wait_for_message(bool)
{
    // Sleeps until a message arrives; the timer's ticks wake it while animating.
    WaitMessage();
}

void Win32Host::dispatch(const Message& message)
{
    TranslateMessage(&taken_);
    dispatching_ = &message;
    DispatchMessageA(&taken_);
    dispatching_ = nullptr;
}

const Message* Win32Host::take_dispatched(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    const Message* dispatched = dispatching_;
    if (dispatched == nullptr || window != taken_.hwnd || message != taken_.message || wparam != taken_.wParam ||
        lparam != taken_.lParam) {
        return nullptr;
    }
    dispatching_ = nullptr;  // a message the procedure sends itself meanwhile is converted on its own
    return dispatched;
}

void Win32Host::post(const Message& message)
{
    const NativeMessage native = native_message(message);
    PostMessageA(window_of(message.window), native.message, native.wparam, native.lparam);
}

void Win32Host::post_quit(int exit_code) { PostQuitMessage(exit_code); }

void Win32Host::build_menu(const char* popup_title, const MenuItem* items, int count)
{
    HMENU bar = CreateMenu();
    run_menu_ = CreatePopupMenu();
    for (int i = 0; i < count; ++i) {
        AppendMenuA(run_menu_, items[i].flags, static_cast<UINT_PTR>(items[i].id), items[i].text);
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run_menu_), popup_title);
    SetMenu(graphics_, bar);
    DrawMenuBar(graphics_);
}

void Win32Host::check_menu_item(int id, bool checked)
{
    CheckMenuItem(run_menu_, static_cast<UINT>(id), checked ? MF_CHECKED : MF_UNCHECKED);
}

void Win32Host::begin_paint(WindowId window) { BeginPaint(window_of(window), &paint_[paint_slot(window)]); }

void Win32Host::end_paint(WindowId window) { EndPaint(window_of(window), &paint_[paint_slot(window)]); }

void Win32Host::present()
{
    if (window_dc_ != nullptr && canvas_) {
        BitBlt(window_dc_, 0, 0, Canvas::WIDTH, Canvas::HEIGHT, canvas_->dc(), 0, 0, SRCCOPY);
    }
}

long long Win32Host::current_time() { return std::time(nullptr); }

void Win32Host::periodic_event_returned()
{
    ++periodic_events_;
    if (graphics_ != nullptr) {
        SetPropA(graphics_, PERIODIC_EVENTS_PROPERTY, reinterpret_cast<HANDLE>(periodic_events_));
    }
}

std::unique_ptr<TextBlock> Win32Host::allocate_text(std::size_t size) { return GlobalTextBlock::allocate(size); }

LRESULT Win32Host::procedure(WindowId id, HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    // Handles are known from the first message on, so the create handling can build the menu.
    HWND& own = id == WindowId::graphics ? graphics_ : text_;
    if (own == nullptr && message == WM_NCCREATE) {
        own = window;
    }
    if (own != window) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    // The message being dispatched was converted when it was taken.
    const Message* taken = take_dispatched(window, message, wparam, lparam);
    const bool handled = dispatch_message(taken != nullptr ? *taken : neutral_message(id, message, wparam, lparam));
    if (message == WM_NCDESTROY) {
        if (id == WindowId::graphics) {
            RemovePropA(window, PERIODIC_EVENTS_PROPERTY);
            release_window_dc();
        }
        own = nullptr;
    }
    return handled ? 0 : DefWindowProcA(window, message, wparam, lparam);
}

LRESULT CALLBACK Win32Host::graphics_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return without_exceptions(
        [&] { return win32_host().procedure(WindowId::graphics, window, message, wparam, lparam); });
}

LRESULT CALLBACK Win32Host::text_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return without_exceptions([&] { return win32_host().procedure(WindowId::text, window, message, wparam, lparam); });
}

Win32Host& win32_host()
{
    // Never destroyed: its windows, image, brush and timer end with the process, and the window
    // procedures reach it until then. Destroying the windows first would cost seconds under Wine,
    // which waits for a window manager to withdraw each one, and gain nothing.
    static Win32Host* const host = new Win32Host;
    return *host;
}

Host& platform_host() { return win32_host(); }

}  // namespace tavro
