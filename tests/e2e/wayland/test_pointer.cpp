// The end-to-end tests' pointer: a virtual pointer on the compositor's seat
// that moves to a point and, when asked, clicks there.
//   cindral-test-pointer X Y WIDTH HEIGHT move|click
// X and Y are in the layout's WIDTH x HEIGHT extent.

#include <linux/input-event-codes.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "wlr-virtual-pointer-client.h"

namespace {

wl_seat* g_seat = nullptr;
zwlr_virtual_pointer_manager_v1* g_manager = nullptr;

void OnGlobal(void*, wl_registry* r, std::uint32_t name, const char* iface, std::uint32_t) {
    if (std::string_view(iface) == wl_seat_interface.name) {
        g_seat = static_cast<wl_seat*>(wl_registry_bind(r, name, &wl_seat_interface, 1));
    } else if (std::string_view(iface) == zwlr_virtual_pointer_manager_v1_interface.name) {
        g_manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(r, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
}
void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kListener{OnGlobal, OnGlobalRemove};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s X Y WIDTH HEIGHT move|click\n", argv[0]);
        return 2;
    }
    const auto x = static_cast<std::uint32_t>(std::atoi(argv[1]));
    const auto y = static_cast<std::uint32_t>(std::atoi(argv[2]));
    const auto w = static_cast<std::uint32_t>(std::atoi(argv[3]));
    const auto h = static_cast<std::uint32_t>(std::atoi(argv[4]));
    const bool click = std::string_view(argv[5]) == "click";
    wl_display* d = wl_display_connect(nullptr);
    if (!d) {
        std::fprintf(stderr, "cindral-test-pointer: no compositor\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(d), &kListener, nullptr);
    wl_display_roundtrip(d);
    if (!g_manager) {
        std::fprintf(stderr, "cindral-test-pointer: no zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* p =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_manager, g_seat);
    wl_display_roundtrip(d);
    // The seat gains a pointer now; its clients take theirs before any event.
    usleep(300 * 1000);
    zwlr_virtual_pointer_v1_motion_absolute(p, 1, x, y, w, h);
    zwlr_virtual_pointer_v1_frame(p);
    wl_display_roundtrip(d);
    usleep(100 * 1000);
    if (click) {
        zwlr_virtual_pointer_v1_button(p, 2, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(p);
        zwlr_virtual_pointer_v1_button(p, 3, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(p);
        wl_display_roundtrip(d);
    }
    std::printf("%s\n", click ? "clicked" : "moved");
    std::fflush(stdout);
    usleep(300 * 1000);
    zwlr_virtual_pointer_v1_destroy(p);
    wl_display_roundtrip(d);
    wl_display_disconnect(d);
    return 0;
}
