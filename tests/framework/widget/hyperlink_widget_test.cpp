// Hyperlink: where the label, its shadow and its underline strokes go.
#include "framework/widget/button_listener.h"
#include "framework/widget/hyperlink_widget.h"
#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::FakeFont;
using Kavo::HyperlinkWidget;
using ::testing::ElementsAre;

class HyperlinkTest : public WidgetTreeTest {
protected:
    HyperlinkTest() {
        FakeFont font(10, 20, 16);
        mLink.SetFont(&font);
        mLink.mLabel = "Link";
        mLink.Resize(0, 0, 100, 20);
        mLink.mColor = Kavo::Color(10, 20, 30, 255);
        mLink.mOverColor = Kavo::Color(40, 50, 60, 255);
    }

    // What the font drew as "x,y r,g,b", and the strokes filled.
    std::vector<std::string> Draw() {
        Font().mDrawn.clear();
        mScreen.mCalls.clear();
        Kavo::Graphics g(&mScreen);
        g.Translate(5, 7);
        mLink.Draw(&g);
        std::vector<std::string> drawn;
        for (const FakeFont::Drawn& d : Font().mDrawn)
            drawn.push_back(std::to_string(d.mX) + "," + std::to_string(d.mY) + " " + d.mText + " " +
                            Kavo::RecordingImage::C(d.mColor));
        drawn.insert(drawn.end(), mScreen.mCalls.begin(), mScreen.mCalls.end());
        return drawn;
    }
    FakeFont& Font() { return *static_cast<FakeFont*>(mLink.mFont); }

    Kavo::ButtonListener mListener;
    HyperlinkWidget mLink{1, &mListener};
};

TEST_F(HyperlinkTest, UnderlineStrokesFollowTheLabelBelowItsBaseline) {
    // Centred: x (100 - 40) / 2 = 30; y (16 + 20) / 2 - 1 = 17.
    mLink.mUnderlineSize = 2;
    EXPECT_THAT(Draw(), ElementsAre("30,17 Link (10,20,30,255)", "FillRect [35,27,40,1] (10,20,30,255) m0",
                                    "FillRect [35,28,40,1] (10,20,30,255) m0"));

    mLink.mIsOver = true;
    mLink.mJustify = 2;
    mLink.mUnderlineSize = 1;
    mLink.mUnderlineOffset = 0;
    EXPECT_THAT(Draw(), ElementsAre("60,17 Link (40,50,60,255)", "FillRect [65,24,40,1] (40,50,60,255) m0"));
}

TEST_F(HyperlinkTest, AShadowNeedsBothOffsetsAboveZero) {
    mLink.mJustify = 0;
    mLink.mUnderlineSize = 0;
    mLink.mShadowX = 1;
    EXPECT_THAT(Draw(), ElementsAre("0,17 Link (10,20,30,255)"));
    mLink.mShadowY = 2;
    EXPECT_THAT(Draw(), ElementsAre("1,19 Link (0,0,0,255)", "0,17 Link (10,20,30,255)"));
}

TEST_F(HyperlinkTest, AnEmptyLabelOrATransparentColourStrokesNothing) {
    mLink.mLabel.clear();
    EXPECT_THAT(Draw(), ElementsAre("50,17  (10,20,30,255)"));
    mLink.mLabel = "Link";
    mLink.mColor = Kavo::Color(10, 20, 30, 0);
    EXPECT_THAT(Draw(), ElementsAre("30,17 Link (10,20,30,0)"));
}

} // namespace
} // namespace widget_test
