#include "platform/wayland/client.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/wayland/layer_shell_protocol.h"
#include "viewporter-client.h"
#include "xdg-output-client.h"
#include "xdg-shell-client.h"

namespace cindral::platform::wayland {

namespace {

WaylandClient& ClientOf(void* data) { return *static_cast<WaylandClient*>(data); }

void OnGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    ClientOf(data).Global(name, interface, version);
}
void OnGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    ClientOf(data).GlobalRemove(name);
}
const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

void OnPing(void*, xdg_wm_base* base, std::uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener{OnPing};

// wl_output: only the current mode, the scale and the name matter.
void OnGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                std::int32_t, const char*, const char*, std::int32_t) {}
void OnMode(void* data, wl_output*, std::uint32_t flags, std::int32_t w, std::int32_t h,
            std::int32_t) {
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    auto* out = static_cast<Output*>(data);
    out->width = w;
    out->height = h;
}
void OnDone(void* data, wl_output*);
void OnScale(void* data, wl_output*, std::int32_t factor) {
    static_cast<Output*>(data)->scale = factor > 0 ? factor : 1;
}
void OnName(void* data, wl_output*, const char* name) { static_cast<Output*>(data)->name = name; }
void OnDescription(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener{OnGeometry, OnMode, OnDone,
                                         OnScale,    OnName, OnDescription};

void OnXdgPosition(void*, zxdg_output_v1*, std::int32_t, std::int32_t) {}
void OnXdgSize(void*, zxdg_output_v1*, std::int32_t, std::int32_t) {}
void OnXdgDone(void*, zxdg_output_v1*) {}
void OnXdgName(void* data, zxdg_output_v1*, const char* name) {
    auto* out = static_cast<Output*>(data);
    if (out->name.empty()) out->name = name;
}
void OnXdgDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgOutputListener{OnXdgPosition, OnXdgSize, OnXdgDone, OnXdgName,
                                                 OnXdgDescription};

void OnDone(void* data, wl_output*) {
    auto* out = static_cast<Output*>(data);
    out->owner->OutputDone(*out);
}

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* iface, std::uint32_t offered,
        std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, iface, std::min(offered, wanted)));
}

}  // namespace

bool WaylandClient::Connect(std::string& error) {
    display_ = wl_display_connect(nullptr);
    if (!display_) {
        const char* socket = std::getenv("WAYLAND_SOCKET");
        const char* name = std::getenv("WAYLAND_DISPLAY");
        error = socket ? std::string("cannot use the compositor's socket WAYLAND_SOCKET=") + socket
                       : std::string("cannot connect to the Wayland compositor \"") +
                             (name ? name : "wayland-0") + "\"";
        return false;
    }
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    // Globals first, then the outputs' and xdg-outputs' descriptions.
    if (wl_display_roundtrip(display_) < 0 || wl_display_roundtrip(display_) < 0) {
        error = "the Wayland compositor closed the connection";
        return false;
    }
    if (!compositor_ || !shm_) {
        error = "the Wayland compositor offers no wl_compositor or wl_shm";
        return false;
    }
    return true;
}

WaylandClient::~WaylandClient() {
    // Destroying the proxies first would only send requests the compositor
    // forgets with the connection.
    if (display_) wl_display_disconnect(display_);
}

void WaylandClient::Global(std::uint32_t name, const char* interface, std::uint32_t version) {
    const std::string_view iface(interface);
    if (iface == wl_compositor_interface.name) {
        compositor_ = Bind<wl_compositor>(registry_, name, &wl_compositor_interface, version, 4);
    } else if (iface == wl_shm_interface.name) {
        shm_ = Bind<wl_shm>(registry_, name, &wl_shm_interface, version, 1);
    } else if (iface == zwlr_layer_shell_v1_interface.name) {
        layerShell_ =
            Bind<zwlr_layer_shell_v1>(registry_, name, &zwlr_layer_shell_v1_interface, version, 3);
    } else if (iface == xdg_wm_base_interface.name) {
        wmBase_ = Bind<xdg_wm_base>(registry_, name, &xdg_wm_base_interface, version, 2);
        xdg_wm_base_add_listener(wmBase_, &kWmBaseListener, this);
    } else if (iface == wp_viewporter_interface.name) {
        viewporter_ = Bind<wp_viewporter>(registry_, name, &wp_viewporter_interface, version, 1);
    } else if (iface == zxdg_output_manager_v1_interface.name) {
        xdgOutputs_ = Bind<zxdg_output_manager_v1>(registry_, name,
                                                   &zxdg_output_manager_v1_interface, version, 3);
        for (auto& out : outputs_) WatchOutput(*out);
    } else if (iface == wl_output_interface.name) {
        auto out = std::make_unique<Output>();
        out->global = name;
        out->owner = this;
        out->output = Bind<wl_output>(registry_, name, &wl_output_interface, version, 4);
        wl_output_add_listener(out->output, &kOutputListener, out.get());
        WatchOutput(*out);
        outputs_.push_back(std::move(out));
    } else if (iface == wl_seat_interface.name) {
        auto* seat = Bind<wl_seat>(registry_, name, &wl_seat_interface, version, 5);
        seats_.push_back(seat);
        seatGlobals_.push_back(name);
        if (observer_.seatAdded) observer_.seatAdded(seat);
    }
}

void WaylandClient::WatchOutput(Output& out) {
    if (!xdgOutputs_ || out.xdgOutput) return;
    out.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs_, out.output);
    zxdg_output_v1_add_listener(out.xdgOutput, &kXdgOutputListener, &out);
}

void WaylandClient::OutputDone(Output& out) {
    if (out.done) return;
    out.done = true;
    if (observer_.outputReady) observer_.outputReady(out);
}

void WaylandClient::GlobalRemove(std::uint32_t name) {
    for (auto it = outputs_.begin(); it != outputs_.end(); ++it) {
        if ((*it)->global != name) continue;
        if ((*it)->done && observer_.outputGone) observer_.outputGone(**it);
        if ((*it)->xdgOutput) zxdg_output_v1_destroy((*it)->xdgOutput);
        wl_output_destroy((*it)->output);
        outputs_.erase(it);
        return;
    }
    for (std::size_t i = 0; i < seatGlobals_.size(); ++i) {
        if (seatGlobals_[i] != name) continue;
        if (observer_.seatGone) observer_.seatGone(seats_[i]);
        wl_seat_destroy(seats_[i]);
        seats_.erase(seats_.begin() + static_cast<std::ptrdiff_t>(i));
        seatGlobals_.erase(seatGlobals_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

}  // namespace cindral::platform::wayland
