#include "platform/x11/presenter.h"

#include "platform/x11/render_presenter.h"
#include "platform/x11/window_presenter.h"

namespace cindral::platform::x11 {

std::unique_ptr<X11Presenter> CreateX11Presenter(::Display* x, unsigned long window, void* visual,
                                                 int depth, int bpp, int width, int height,
                                                 bool vsync) {
    if (auto render =
            X11RenderPresenter::Create(x, window, visual, depth, bpp, width, height, vsync)) {
        return render;
    }
    return std::make_unique<X11WindowPresenter>(x, window, visual, depth, bpp, width, height);
}

}  // namespace cindral::platform::x11
