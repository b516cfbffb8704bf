#pragma once
// A small compositor of libwayland-server on its own thread, for what no
// headless compositor here can do: outputs that go away while a client runs
// (sway 1.7's headless outputs can be created but never removed). It offers
// wl_compositor, wl_shm, xdg_wm_base (a toplevel made full screen is
// configured at its output's size at once) and wl_output globals that the
// test adds and removes; it counts the client's live surfaces.

#include <atomic>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct wl_display;
struct wl_global;

namespace cindral::platform::wayland {

class FakeCompositor {
  public:
    struct Output {
        FakeCompositor* owner = nullptr;
        wl_global* global = nullptr;
        int width = 0, height = 0;
    };

    // Listens on `socket` in `runtimeDir` (which must exist).
    FakeCompositor(const std::string& runtimeDir, const std::string& socket);
    ~FakeCompositor();
    FakeCompositor(const FakeCompositor&) = delete;
    FakeCompositor& operator=(const FakeCompositor&) = delete;

    bool Listening() const { return listening_; }
    // An output of this size appears; its index for RemoveOutput.
    int AddOutput(int width, int height);
    // Its global is withdrawn (clients hear global_remove).
    void RemoveOutput(int index);
    // Surfaces the clients hold (created and not yet destroyed).
    int LiveSurfaces() const { return liveSurfaces_; }

    // Called on the compositor's thread.
    void SurfaceMade() { ++liveSurfaces_; }
    void SurfaceGone() { --liveSurfaces_; }

  private:
    // Runs `job` on the compositor's thread and waits for it.
    void OnThread(const std::function<void()>& job);
    void Run();

    wl_display* display_ = nullptr;
    std::list<Output> outputs_;  // never erased: resources point into it
    std::vector<Output*> byIndex_;
    std::mutex mutex_;
    std::vector<std::function<void()>> jobs_;
    std::atomic<int> liveSurfaces_{0};
    std::atomic<bool> stop_{false};
    bool listening_ = false;
    std::thread thread_;
};

}  // namespace cindral::platform::wayland
