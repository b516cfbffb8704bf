#pragma once
// The program's connection to the compositor and the globals the saver uses:
// compositor, shm, the shells (layer shell, xdg), viewporter, outputs with
// their names and sizes, and seats. Outputs and seats may come and go while
// the saver runs; the observer hears of each.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct wl_compositor;
struct wl_display;
struct wl_output;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wp_viewporter;
struct xdg_wm_base;
struct zwlr_layer_shell_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace cindral::platform::wayland {

class WaylandClient;

struct Output {
    WaylandClient* owner = nullptr;
    std::uint32_t global = 0;  // the registry name
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    std::string name;           // "HEADLESS-1", "DP-2" ... (wl_output v4 or xdg-output)
    int width = 0, height = 0;  // current mode, in pixels
    int scale = 1;
    bool done = false;  // the first wl_output.done arrived
};

class WaylandClient {
  public:
    struct Observer {
        std::function<void(Output&)> outputReady;  // first done of an output
        std::function<void(Output&)> outputGone;   // before it is destroyed
        std::function<void(wl_seat*)> seatAdded;
        std::function<void(wl_seat*)> seatGone;
    };

    // Connects (WAYLAND_SOCKET, else WAYLAND_DISPLAY, else "wayland-0"), binds
    // the globals and waits until the outputs have described themselves.
    // False with the reason in `error`.
    bool Connect(std::string& error);
    ~WaylandClient();

    void SetObserver(Observer observer) { observer_ = std::move(observer); }

    wl_display* Display() const { return display_; }
    wl_compositor* Compositor() const { return compositor_; }
    wl_shm* Shm() const { return shm_; }
    zwlr_layer_shell_v1* LayerShell() const { return layerShell_; }
    xdg_wm_base* XdgWmBase() const { return wmBase_; }
    wp_viewporter* Viewporter() const { return viewporter_; }
    const std::vector<std::unique_ptr<Output>>& Outputs() const { return outputs_; }
    const std::vector<wl_seat*>& Seats() const { return seats_; }

    // Registry callbacks.
    void Global(std::uint32_t name, const char* interface, std::uint32_t version);
    void GlobalRemove(std::uint32_t name);
    void OutputDone(Output& out);

  private:
    void WatchOutput(Output& out);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    xdg_wm_base* wmBase_ = nullptr;
    wp_viewporter* viewporter_ = nullptr;
    zxdg_output_manager_v1* xdgOutputs_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::vector<wl_seat*> seats_;
    std::vector<std::uint32_t> seatGlobals_;
    Observer observer_;
};

}  // namespace cindral::platform::wayland
