#pragma once
// The saver's windows and display on SDL2: one window captioned
// "Cindral_Main" per monitor, each with a 320 x 240 streaming texture in the
// desktop's pixel format (5-6-5 on a 16-bit desktop), and one scaled copy of
// the back surface to every window per frame. The display mode is never
// changed: the windows are borderless and cover their monitors.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/memory_surface.h"
#include "display/ports.h"
#include "platform/linux/saver/frame_scaler.h"
#include "saver/ports.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;
typedef struct _XDisplay Display;

namespace cindral::platform::linux {

class SdlSaverDisplay final : public display::Display, public saver::SaverHost {
  public:
    // `x` is the program's X connection for queries SDL does not answer
    // (Xinerama heads, GL in hardware); null off X11.
    explicit SdlSaverDisplay(::Display* x = nullptr);
    ~SdlSaverDisplay() override;

    bool InitDisplay() override;
    int DisplayBitsPerPixel() const override { return bpp_; }
    display::Surface& BackSurface() override { return *back_; }
    void PresentFrame() override;

    void ShowTopmost() override;
    void Unload() override;
    std::uintptr_t Handle() const override;

    std::size_t WindowCount() const { return outputs_.size(); }
    const std::string& RendererName() const { return rendererName_; }
    // Why InitDisplay opened no window; empty after a successful one.
    const std::string& Failure() const { return failure_; }
    bool VsyncActive() const { return vsync_; }

  private:
    struct Output {
        SDL_Window* window = nullptr;
        // Either a renderer with its streaming texture (GL where the server
        // has it in hardware, or the renderer the user named) ...
        SDL_Renderer* renderer = nullptr;
        SDL_Texture* texture = nullptr;
        // ... or the window's own frame buffer, filled by a whole-pixel
        // stretch that skips unchanged rows.
        std::shared_ptr<FrameScaler> scaler;
    };
    bool OpenOutput(int x, int y, int w, int h);
    bool AttachRenderer(Output& out);
    bool AttachFramebuffer(Output& out);
    void PresentToFramebuffer(Output& out, const display::LockedPixels& px);
    void CloseOutputs();
    static int WatchEvents(void* self, ::SDL_Event* event);

    ::Display* x_;
    std::vector<Output> outputs_;
    std::unique_ptr<display::MemorySurface> back_;
    std::uint32_t textureFormat_ = 0;
    int bpp_ = 0;
    bool vsync_ = false;
    bool softwareOnly_ = false;
    bool watching_ = false;
    std::string rendererName_;
    std::string failure_;
};

}  // namespace cindral::platform::linux
