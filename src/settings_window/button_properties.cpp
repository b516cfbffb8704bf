#include "settings_window/button_properties.h"

#include <cstdint>
#include <string>

namespace cindral::settings_window {
namespace {

constexpr int kShiftJisCharset = 128;
constexpr int kAnsiCharset = 0;
constexpr std::int64_t kCaptionCenter = 2;
constexpr std::int64_t kButtonStyle = 2;

}  // namespace

button::MemoryPropertyBag ButtonPropertySet(ControlId id) {
    button::MemoryPropertyBag bag;
    const ControlEntry* entry = FindControl(id);
    if (!entry || (id != ControlId::SaveButton && id != ControlId::CancelButton &&
                   id != ControlId::FileButton)) {
        return bag;
    }
    const bool file = id == ControlId::FileButton;
    bag.Set("caption", std::string(entry->text));
    bag.Set("capalign", kCaptionCenter);
    bag.Set("backstyle", kButtonStyle);
    bag.Set("font",
            file ? button::Font{"Times New Roman", 9.75, 700, false, false, false, kAnsiCharset}
                 : button::Font{std::string(kLabelFontFace), kLabelFontPoints, 400, false, false,
                                false, kShiftJisCharset});
    bag.Set("cfore", std::int64_t{0});
    bag.Set("cfhover", std::int64_t{0});
    bag.Set("cgradient", std::int64_t{0});
    bag.Set("cback", std::int64_t{file ? button::Rgb(255, 255, 255) : button::kSysButtonFace});
    return bag;
}

}  // namespace cindral::settings_window
