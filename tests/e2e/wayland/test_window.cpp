// The end-to-end tests' window: an opaque 200 x 200 xdg toplevel of pure
// blue, a colour the fire never shows (its pixels have red >= green >= blue),
// shown until the program is ended.
//   cindral-test-window-wayland

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "xdg-shell-client.h"

namespace {

constexpr int kSize = 200;
constexpr std::uint32_t kBlue = 0xFF0000FF;  // XRGB8888

wl_compositor* g_compositor = nullptr;
wl_shm* g_shm = nullptr;
xdg_wm_base* g_wmBase = nullptr;
wl_buffer* g_buffer = nullptr;
wl_surface* g_surface = nullptr;

void OnGlobal(void*, wl_registry* r, std::uint32_t name, const char* iface, std::uint32_t) {
    const std::string_view i(iface);
    if (i == wl_compositor_interface.name) {
        g_compositor =
            static_cast<wl_compositor*>(wl_registry_bind(r, name, &wl_compositor_interface, 4));
    } else if (i == wl_shm_interface.name) {
        g_shm = static_cast<wl_shm*>(wl_registry_bind(r, name, &wl_shm_interface, 1));
    } else if (i == xdg_wm_base_interface.name) {
        g_wmBase = static_cast<xdg_wm_base*>(wl_registry_bind(r, name, &xdg_wm_base_interface, 1));
    }
}
void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistry{OnGlobal, OnGlobalRemove};

void OnPing(void*, xdg_wm_base* base, std::uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBase{OnPing};

// Each configure is answered with the one blue picture.
void OnConfigure(void*, xdg_surface* surface, std::uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    wl_surface_attach(g_surface, g_buffer, 0, 0);
    wl_surface_damage_buffer(g_surface, 0, 0, kSize, kSize);
    wl_surface_commit(g_surface);
}
const xdg_surface_listener kSurface{OnConfigure};

wl_buffer* BluePicture() {
    const int bytes = kSize * kSize * 4;
    const int fd = memfd_create("cindral-test-window", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, bytes) != 0) return nullptr;
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) return nullptr;
    auto* pixels = static_cast<std::uint32_t*>(memory);
    for (int i = 0; i < kSize * kSize; ++i) pixels[i] = kBlue;
    wl_shm_pool* pool = wl_shm_create_pool(g_shm, fd, bytes);
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, kSize, kSize, kSize * 4, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

}  // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "cindral-test-window-wayland: no compositor\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistry, nullptr);
    wl_display_roundtrip(display);
    if (!g_compositor || !g_shm || !g_wmBase || !(g_buffer = BluePicture())) {
        std::fprintf(stderr, "cindral-test-window-wayland: the compositor lacks what it needs\n");
        return 1;
    }
    xdg_wm_base_add_listener(g_wmBase, &kWmBase, nullptr);
    g_surface = wl_compositor_create_surface(g_compositor);
    xdg_surface* surface = xdg_wm_base_get_xdg_surface(g_wmBase, g_surface);
    xdg_surface_add_listener(surface, &kSurface, nullptr);
    xdg_toplevel* toplevel = xdg_surface_get_toplevel(surface);
    xdg_toplevel_set_title(toplevel, "cindral test window");
    xdg_toplevel_set_app_id(toplevel, "cindral-test-window");
    wl_surface_commit(g_surface);
    while (wl_display_dispatch(display) != -1) {
    }
    return 0;
}
