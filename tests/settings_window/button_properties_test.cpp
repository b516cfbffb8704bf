#include "settings_window/button_properties.h"

#include <gtest/gtest.h>

#include <cctype>

#include "../button/fakes.h"

namespace cindral::settings_window {
namespace {

using namespace button;

TEST(SettingsButtons, DesignTimeValuesReachTheControl) {
    struct Case {
        ControlId id;
        const char* caption;
        Font font;
        Color back;
    };
    const Font gothic{"ＭＳ Ｐゴシック", 9.75, 400, false, false, false, 128};
    const Case cases[] = {
        {ControlId::SaveButton, "設定   ", gothic, kSysButtonFace},
        {ControlId::CancelButton, "ｷｬﾝｾﾙ ", gothic, kSysButtonFace},
        {ControlId::FileButton, "...", Font{"Times New Roman", 9.75, 700, false, false, false, 0},
         button::Rgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        MemoryPropertyBag bag = ButtonPropertySet(c.id);
        EXPECT_EQ(bag.Count(), 8u);
        for (const char* key : {"caption", "capalign", "backstyle", "font", "cfore", "cfhover",
                                "cgradient", "cback"}) {
            EXPECT_TRUE(bag.Has(key)) << key;
        }
        test::Rig rig;
        rig.b().ReadProperties(bag);
        EXPECT_EQ(rig.b().GetCaption(), c.caption);
        EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionCenter);
        EXPECT_EQ(rig.b().GetButtonStyle(), 2);
        EXPECT_EQ(rig.b().GetFont(), c.font);
        EXPECT_EQ(rig.b().GetForeColor(), 0u);
        EXPECT_EQ(rig.b().GetHoverForeColor(), 0u);
        EXPECT_EQ(rig.b().GetGradientColor(), 0u);
        EXPECT_EQ(rig.b().GetBackColor(), c.back);
        // Everything else keeps the control's defaults.
        EXPECT_EQ(rig.b().GetHoverBackColor(), c.back);
        EXPECT_EQ(rig.b().GetButtonShape(), ShapeRectangle);
        EXPECT_EQ(rig.b().GetGradientMode(), GradientNone);
        EXPECT_EQ(rig.b().GetHoverColorLocks(), LockBoth);
        EXPECT_EQ(rig.b().GetCaptionStyle(), CaptionFlat);
        EXPECT_TRUE(rig.b().GetShowFocusRect());
        EXPECT_TRUE(rig.b().GetEnabled());
        EXPECT_EQ(rig.b().GetPicture(), nullptr);
    }
    EXPECT_EQ(ButtonPropertySet(ControlId::FireImage).Count(), 0u);
}

}  // namespace
}  // namespace cindral::settings_window
