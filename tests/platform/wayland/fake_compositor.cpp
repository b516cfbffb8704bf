#include "fake_compositor.h"

#include <wayland-server.h>

#include <future>

#include "xdg-shell-server.h"

namespace cindral::platform::wayland {

namespace {

// Requests the saver's surfaces send; the rest it never sends are left null.
void Destroy(wl_client*, wl_resource* r) { wl_resource_destroy(r); }
void Ignore1(wl_client*, wl_resource*, std::int32_t) {}
void IgnoreRegion(wl_client*, wl_resource*, wl_resource*) {}
void IgnoreRect(wl_client*, wl_resource*, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void IgnoreString(wl_client*, wl_resource*, const char*) {}
void IgnoreUint(wl_client*, wl_resource*, std::uint32_t) {}

void Attach(wl_client*, wl_resource*, wl_resource*, std::int32_t, std::int32_t) {}
void Frame(wl_client* c, wl_resource* r, std::uint32_t id) {
    // Never answered: the test needs no frames.
    wl_resource_create(c, &wl_callback_interface, 1, id);
    (void)r;
}
void Commit(wl_client*, wl_resource*) {}
const struct wl_surface_interface kSurface {
    Destroy, Attach, IgnoreRect, Frame, IgnoreRegion, IgnoreRegion, Commit, Ignore1, Ignore1,
        IgnoreRect, nullptr
};

const struct wl_region_interface kRegion { Destroy, IgnoreRect, IgnoreRect };

void SurfaceGone(wl_resource* r) {
    static_cast<FakeCompositor*>(wl_resource_get_user_data(r))->SurfaceGone();
}
void CreateSurface(wl_client* c, wl_resource* r, std::uint32_t id) {
    auto* fake = static_cast<FakeCompositor*>(wl_resource_get_user_data(r));
    wl_resource* s = wl_resource_create(c, &wl_surface_interface, wl_resource_get_version(r), id);
    wl_resource_set_implementation(s, &kSurface, fake, SurfaceGone);
    fake->SurfaceMade();
}
void CreateRegion(wl_client* c, wl_resource*, std::uint32_t id) {
    wl_resource* g = wl_resource_create(c, &wl_region_interface, 1, id);
    wl_resource_set_implementation(g, &kRegion, nullptr, nullptr);
}
const struct wl_compositor_interface kCompositor { CreateSurface, CreateRegion };

void BindCompositor(wl_client* c, void* data, std::uint32_t version, std::uint32_t id) {
    wl_resource* r = wl_resource_create(c, &wl_compositor_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(r, &kCompositor, data, nullptr);
}

void SetFullscreen(wl_client*, wl_resource* toplevel, wl_resource* output) {
    // Full screen at once, at the output's size.
    const auto* out =
        output ? static_cast<FakeCompositor::Output*>(wl_resource_get_user_data(output)) : nullptr;
    wl_array states;
    wl_array_init(&states);
    *static_cast<std::uint32_t*>(wl_array_add(&states, sizeof(std::uint32_t))) =
        XDG_TOPLEVEL_STATE_FULLSCREEN;
    xdg_toplevel_send_configure(toplevel, out ? out->width : 0, out ? out->height : 0, &states);
    wl_array_release(&states);
    auto* xdgSurface = static_cast<wl_resource*>(wl_resource_get_user_data(toplevel));
    xdg_surface_send_configure(xdgSurface, 1);
}
const struct xdg_toplevel_interface kToplevel {
    Destroy, IgnoreRegion, IgnoreString, IgnoreString, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, SetFullscreen, nullptr, nullptr
};

void GetToplevel(wl_client* c, wl_resource* r, std::uint32_t id) {
    wl_resource* t = wl_resource_create(c, &xdg_toplevel_interface, wl_resource_get_version(r), id);
    wl_resource_set_implementation(t, &kToplevel, r, nullptr);
}
const struct xdg_surface_interface kXdgSurface {
    Destroy, GetToplevel, nullptr, nullptr, IgnoreUint
};

void GetXdgSurface(wl_client* c, wl_resource* r, std::uint32_t id, wl_resource*) {
    wl_resource* s = wl_resource_create(c, &xdg_surface_interface, wl_resource_get_version(r), id);
    wl_resource_set_implementation(s, &kXdgSurface, nullptr, nullptr);
}
const struct xdg_wm_base_interface kWmBase { Destroy, nullptr, GetXdgSurface, IgnoreUint };

void BindWmBase(wl_client* c, void*, std::uint32_t version, std::uint32_t id) {
    wl_resource* r = wl_resource_create(c, &xdg_wm_base_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(r, &kWmBase, nullptr, nullptr);
}

const struct wl_output_interface kOutput { Destroy };

void BindOutput(wl_client* c, void* data, std::uint32_t version, std::uint32_t id) {
    const auto* out = static_cast<FakeCompositor::Output*>(data);
    wl_resource* r = wl_resource_create(c, &wl_output_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(r, &kOutput, data, nullptr);
    wl_output_send_geometry(r, 0, 0, 0, 0, WL_OUTPUT_SUBPIXEL_UNKNOWN, "fake", "fake",
                            WL_OUTPUT_TRANSFORM_NORMAL);
    wl_output_send_mode(r, WL_OUTPUT_MODE_CURRENT, out->width, out->height, 60000);
    if (version >= 2) {
        wl_output_send_scale(r, 1);
        wl_output_send_done(r);
    }
}

}  // namespace

FakeCompositor::FakeCompositor(const std::string& runtimeDir, const std::string& socket) {
    display_ = wl_display_create();
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    listening_ = wl_display_add_socket(display_, socket.c_str()) == 0;
    wl_display_init_shm(display_);
    wl_global_create(display_, &wl_compositor_interface, 4, this, BindCompositor);
    wl_global_create(display_, &xdg_wm_base_interface, 2, this, BindWmBase);
    thread_ = std::thread([this] { Run(); });
}

FakeCompositor::~FakeCompositor() {
    stop_ = true;
    thread_.join();
    wl_display_destroy_clients(display_);
    wl_display_destroy(display_);
}

void FakeCompositor::Run() {
    wl_event_loop* loop = wl_display_get_event_loop(display_);
    while (!stop_) {
        std::vector<std::function<void()>> jobs;
        {
            std::lock_guard lock(mutex_);
            jobs.swap(jobs_);
        }
        for (auto& job : jobs) job();
        wl_event_loop_dispatch(loop, 5);
        wl_display_flush_clients(display_);
    }
}

void FakeCompositor::OnThread(const std::function<void()>& job) {
    std::promise<void> done;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back([&] {
            job();
            done.set_value();
        });
    }
    done.get_future().wait();
}

int FakeCompositor::AddOutput(int width, int height) {
    int index = 0;
    OnThread([&] {
        Output& out = outputs_.emplace_back(Output{this, nullptr, width, height});
        out.global = wl_global_create(display_, &wl_output_interface, 3, &out, BindOutput);
        index = static_cast<int>(byIndex_.size());
        byIndex_.push_back(&out);
    });
    return index;
}

void FakeCompositor::RemoveOutput(int index) {
    OnThread([&] {
        // Withdrawn now, destroyed with the display: a client may still hold it.
        wl_global_remove(byIndex_[static_cast<std::size_t>(index)]->global);
    });
}

}  // namespace cindral::platform::wayland
