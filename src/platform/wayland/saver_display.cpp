#include "platform/wayland/saver_display.h"

#include <wayland-client.h>

#include <algorithm>

namespace cindral::platform::wayland {

WaylandSaverDisplay::WaylandSaverDisplay(SurfaceOptions options) : options_(std::move(options)) {}

WaylandSaverDisplay::~WaylandSaverDisplay() { Unload(); }

bool WaylandSaverDisplay::Connect() {
    if (connected_) return true;
    if (!client_.Connect(failure_)) return false;
    connected_ = true;
    WaylandClient::Observer observer;
    observer.outputReady = [this](Output& out) { AddOutput(out); };
    observer.outputGone = [this](Output& out) { RemoveOutput(out); };
    if (!options_.layerMode) {
        observer.seatAdded = [this](wl_seat* seat) { AddSeat(seat); };
        observer.seatGone = [this](wl_seat* seat) { RemoveSeat(seat); };
    }
    client_.SetObserver(std::move(observer));
    return true;
}

bool WaylandSaverDisplay::InitDisplay() {
    if (initialised_) return failure_.empty();  // made already (layer mode does it early)
    if (!Connect()) return false;
    if (options_.layerMode && !client_.LayerShell()) {
        failure_ = "the Wayland compositor offers no zwlr_layer_shell_v1 for layer mode";
        return false;
    }
    const bool layer = client_.LayerShell() && (options_.layerMode || options_.useLayerShell);
    if (!layer && !client_.XdgWmBase()) {
        failure_ = "the Wayland compositor offers neither zwlr_layer_shell_v1 nor xdg_wm_base";
        return false;
    }
    role_ = options_.layerMode ? SurfaceRole::Background
                               : (layer ? SurfaceRole::Overlay : SurfaceRole::Toplevel);
    bpp_ = 32;
    initialised_ = true;
    for (auto& out : client_.Outputs()) {
        if (out->done) AddOutput(*out);
    }
    if (!options_.layerMode) {
        for (wl_seat* seat : client_.Seats()) AddSeat(seat);
    }
    if (surfaces_.empty()) {
        failure_ = options_.outputName.empty() ? "the Wayland compositor has no output"
                                               : "the Wayland compositor has no output named \"" +
                                                     options_.outputName + "\"";
        return false;
    }
    wl_display_flush(client_.Display());
    failure_.clear();
    return true;
}

void WaylandSaverDisplay::AddOutput(Output& out) {
    if (!initialised_) return;
    if (!options_.outputName.empty() && out.name != options_.outputName) return;
    for (const auto& s : surfaces_) {
        if (&s->OnOutput() == &out) return;
    }
    surfaces_.push_back(
        std::make_unique<OutputSurface>(client_, out, role_, options_.useViewporter));
}

void WaylandSaverDisplay::RemoveOutput(Output& out) {
    std::erase_if(surfaces_, [&out](const auto& s) { return &s->OnOutput() == &out; });
}

void WaylandSaverDisplay::AddSeat(wl_seat* seat) {
    if (!initialised_) return;
    for (const auto& s : seats_) {
        if (s->Seat() == seat) return;
    }
    seats_.push_back(std::make_unique<SeatInput>(seat, events_, cursorHidden_));
}

void WaylandSaverDisplay::RemoveSeat(wl_seat* seat) {
    std::erase_if(seats_, [seat](const auto& s) { return s->Seat() == seat; });
}

void WaylandSaverDisplay::PresentFrame() {
    if (surfaces_.empty()) return;
    display::LockedPixels px;
    if (!back_.Lock(px)) return;
    bool sent = false;
    for (auto& s : surfaces_) sent = s->Present(px) || sent;
    back_.Unlock();
    if (sent) wl_display_flush(client_.Display());
}

void WaylandSaverDisplay::ShowTopmost() {
    // Surfaces map with their first buffer; the overlay layer (or full
    // screen) already puts them above everything.
    if (connected_) wl_display_flush(client_.Display());
}

void WaylandSaverDisplay::Unload() {
    if (!connected_) return;
    surfaces_.clear();
    seats_.clear();
    wl_display_flush(client_.Display());
}

std::uintptr_t WaylandSaverDisplay::Handle() const {
    return surfaces_.empty() ? 0 : reinterpret_cast<std::uintptr_t>(surfaces_.front()->Surface());
}

std::string WaylandSaverDisplay::RendererName() const {
    std::string name = role_ == SurfaceRole::Toplevel ? "xdg-shell" : "layer-shell";
    const bool scaled = !surfaces_.empty() ? surfaces_.front()->Scaled()
                                           : options_.useViewporter && client_.Viewporter();
    return name + (scaled ? "+viewporter" : "+stretch");
}

bool WaylandSaverDisplay::WantsFrame() const {
    return std::any_of(surfaces_.begin(), surfaces_.end(),
                       [](const auto& s) { return s->WantsFrame(); });
}

// A surface the compositor closed goes. Its output going too is the normal
// end of an output; a surface closed on an output that stays means the
// desktop dismissed the saver (or, in layer mode, the locker is done with
// it), which ends it.
bool WaylandSaverDisplay::DropClosedSurfaces() {
    if (std::none_of(surfaces_.begin(), surfaces_.end(),
                     [](const auto& s) { return s->Closed(); })) {
        return false;
    }
    // The output's removal is sent with the close: a round trip has it here.
    wl_display_roundtrip(client_.Display());
    bool dismissed = false;
    for (const auto& s : surfaces_) {
        if (!s->Closed()) continue;
        const bool outputStays =
            std::any_of(client_.Outputs().begin(), client_.Outputs().end(),
                        [&s](const auto& out) { return out.get() == &s->OnOutput(); });
        dismissed = dismissed || outputStays;
    }
    std::erase_if(surfaces_, [](const auto& s) { return s->Closed(); });
    return dismissed || (options_.layerMode && surfaces_.empty());
}

bool WaylandSaverDisplay::ServeEvents(saver::SaverInput& input) {
    if (!connected_ || lost_) return false;
    if (wl_display_dispatch_pending(client_.Display()) < 0 ||
        wl_display_get_error(client_.Display()) != 0) {
        // Without the compositor nothing can be shown or heard.
        lost_ = true;
        failure_ = "the Wayland compositor closed the connection";
        input.EndSaver();
        return true;
    }
    bool handed = false;
    while (!events_.empty()) {
        const SeatEvent e = events_.front();
        events_.pop_front();
        if (e.kind == SeatEvent::Key) {
            input.KeyDown(e.key);
        } else {
            input.MouseDown();
        }
        handed = true;
    }
    if (DropClosedSurfaces()) {
        input.EndSaver();
        handed = true;
    }
    wl_display_flush(client_.Display());
    return handed;
}

}  // namespace cindral::platform::wayland
