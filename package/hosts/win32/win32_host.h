// Win32 host: the package's platform layer on the Windows desktop (32- and
// 64-bit programs alike), made of USER32, GDI32 and KERNEL32 calls only.
//
// Implements Host: the two window classes registered from one class record,
// "TAVRO Graphics" and "TAVRO Text", the held window drawing context and the
// GDI off-screen image, the frame timer, the "&Run" menu, the message turn
// (PeekMessageA with PM_REMOVE, TranslateMessage, DispatchMessageA into the
// window procedures, which call the package's handlers and DefWindowProcA where
// they decline; a taken message is put in the package's terms once, and its
// procedure is handed that), idle blocking in WaitMessage, the text window
// drawn with the stock fixed-pitch font and ScrollDC, the "TAVRO_gets" dialog
// from an in-memory template, and texts kept in movable global memory.
//
// Dependencies: user32, gdi32, kernel32; the GDI canvas.
//
// Known limits: the timer is the platform's (about ten ticks a second, fewer
// under load); the windows, the image, the brush and the timer are released
// when the process ends (only the window's drawing context is released on close).
#pragma once

#include "canvas/gdi/gdi_canvas.h"
#include "seam/host.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace tavro {

// The graphics window's property that holds the periodic events the wait has returned, so that
// another program (a test) can wait for the program's frames instead of waiting a fixed time.
constexpr const char* PERIODIC_EVENTS_PROPERTY = "TAVRO_periodic_events";

class Win32Host final : public Host {
public:
    Win32Host() = default;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    // The native handles, for tests that look at the windows through the platform's own calls.
    HWND graphics_window() const { return graphics_; }
    HWND text_window() const { return text_; }
    HMENU run_menu() const { return run_menu_; }
    GdiCanvas* canvas() const { return canvas_.get(); }

    int screen_width() override;
    int screen_height() override;
    void create_graphics_window(int x, int y, int width, int height) override;
    void create_text_window(int x, int y, int width, int height) override;
    void show_window(WindowId window, int show_command) override;
    ClientRect client_rect() override;
    Canvas& image() override;
    void start_timer(int id, int period_ms) override;
    void acquire_window_dc() override;
    void release_window_dc() override;
    bool take_message(Message& message) override;
    void wait_for_message(bool periodic_waiting) override;
    void dispatch(const Message& message) override;
    void post(const Message& message) override;
    void post_quit(int exit_code) override;
    void build_menu(const char* popup_title, const MenuItem* items, int count) override;
    void check_menu_item(int id, bool checked) override;
    void begin_paint(WindowId window) override;
    void end_paint(WindowId window) override;
    void present() override;
    void text_put_line(const char* text) override;
    int run_prompt_dialog(const char* message, char* reply, std::size_t reply_size) override;
    long long current_time() override;
    void periodic_event_returned() override;
    std::unique_ptr<TextBlock> allocate_text(std::size_t size) override;

    // The window procedures of the two classes.
    static LRESULT CALLBACK graphics_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK text_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    void register_classes();
    HWND window_of(WindowId window) const { return window == WindowId::graphics ? graphics_ : text_; }
    LRESULT procedure(WindowId id, HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // The message dispatch() runs, in the package's terms, when the procedure is given it; once.
    const Message* take_dispatched(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HWND graphics_ = nullptr;
    HWND text_ = nullptr;
    HMENU run_menu_ = nullptr;
    HDC window_dc_ = nullptr;
    HBRUSH background_ = nullptr;  // white, shared by both classes
    std::unique_ptr<GdiCanvas> canvas_;
    MSG taken_{};                           // the message take_message removed last
    const Message* dispatching_ = nullptr;  // taken_ as take_message converted it, while dispatched
    PAINTSTRUCT paint_[2]{};                // one per window, between begin_paint and end_paint
    std::uintptr_t periodic_events_ = 0;
};

// The process's Win32 host (the same object platform_host() returns).
Win32Host& win32_host();

}  // namespace tavro
