// Check box and slider: what a press, a drag and a release report.
#include "framework/widget/checkbox.h"
#include "framework/widget/checkbox_listener.h"
#include "framework/widget/slider.h"
#include "framework/widget/slider_listener.h"
#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Recorder : public Kavo::CheckboxListener, public Kavo::SliderListener {
public:
    EventLog mLog;
    void CheckboxChecked(int32_t id, bool checked) override {
        mLog.push_back("Checked " + std::to_string(id) + " " + std::to_string(checked));
    }
    void SliderVal(int32_t id, double value) override {
        std::ostringstream line;
        line << "Val " << id << " " << value;
        mLog.push_back(line.str());
    }
};

class CheckboxTest : public WidgetTreeTest {
protected:
    CheckboxTest() {
        mBox.Resize(10, 10, 20, 20);
        mManager.AddWidget(&mBox);
    }
    Recorder mRecorder;
    Kavo::Checkbox mBox{nullptr, nullptr, 3, &mRecorder};
};

TEST_F(CheckboxTest, EveryPressTogglesSoADoubleClickTogglesTwice) {
    Input({"down 15 15 1", "up 15 15 1", "down 15 15 2", "up 15 15 2", "down 15 15 -1", "up 15 15 -1"});
    EXPECT_THAT(mRecorder.mLog, ElementsAre("Checked 3 1", "Checked 3 0", "Checked 3 1"));
    EXPECT_TRUE(mBox.IsChecked());

    mRecorder.mLog.clear();
    mBox.SetChecked(false, false);
    EXPECT_THAT(mRecorder.mLog, IsEmpty());
    EXPECT_FALSE(mBox.IsChecked());
}

TEST_F(CheckboxTest, WithoutImagesACheckedBoxDrawsItsCrossInsideTheFrame) {
    mBox.SetChecked(true, false);
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    EXPECT_THAT(mScreen.mCalls,
                ElementsAre("FillRect [10,10,20,20] (255,255,255,255) m0", "FillRect [11,11,18,18] (80,80,80,255) m0",
                            "DrawLine 11,11 28,28 (255,255,0,255) m0", "DrawLine 29,11 11,28 (255,255,0,255) m0"));
}

class SliderTest : public WidgetTreeTest {
protected:
    SliderTest() {
        mSlider.Resize(100, 100, 200, 20);
        mManager.AddWidget(&mSlider);
    }
    Recorder mRecorder;
    Kavo::RecordingImage mThumb{20, 20};
    Kavo::Slider mSlider{nullptr, &mThumb, 4, &mRecorder};
};

TEST_F(SliderTest, PressesAndDragsReportChangesAndTheReleaseOnce) {
    struct Case {
        const char* what;
        double start;
        std::vector<std::string> input;
        EventLog log;
        double value;
    } cases[] = {
        // x / width as a fraction, not an integer quotient.
        {"track click", 0.0, {"down 250 110 1", "up 250 110 1"}, {"Val 4 0.75"}, 0.75},
        {"drag past both ends",
         0.0,
         {"down 110 110 1", "drag 40 110", "drag 200 110", "drag 600 110", "drag 700 110", "up 700 110 1"},
         {"Val 4 0.5", "Val 4 1", "Val 4 1"},
         1.0},
        {"drag to the start from the end",
         1.0,
         {"down 290 110 1", "drag 0 110", "drag -10 110", "up 0 110 1"},
         {"Val 4 0", "Val 4 0"},
         0.0},
    };
    for (const Case& c : cases) {
        mSlider.SetValue(c.start);
        mRecorder.mLog.clear();
        Input(c.input);
        EXPECT_EQ(mRecorder.mLog, c.log) << c.what;
        EXPECT_EQ(mSlider.mValue, c.value) << c.what;
        EXPECT_FALSE(mSlider.mDragging) << c.what;
    }
}

TEST_F(SliderTest, SetValueClampsAndTellsNoOne) {
    for (const auto& [given, stored] : std::vector<std::pair<double, double>>{{1.5, 1.0}, {-0.2, 0.0}, {0.3, 0.3}}) {
        mSlider.SetValue(given);
        EXPECT_EQ(mSlider.mValue, stored) << given;
    }
    EXPECT_THAT(mRecorder.mLog, IsEmpty());
}

TEST_F(SliderTest, AThumbAsWideAsTheTrackCannotBeDraggedAnywhere) {
    Kavo::RecordingImage wide(200, 20);
    mSlider.mThumbImage = &wide;
    mSlider.SetValue(0.4);
    Input({"down 150 110 1", "drag 250 110"});
    EXPECT_TRUE(mSlider.mDragging);
    EXPECT_EQ(mSlider.mValue, 0.4);
    Input({"up 250 110 1"});
    EXPECT_THAT(mRecorder.mLog, ElementsAre("Val 4 0.4"));
}

TEST_F(SliderTest, HoverOverTheThumbShowsTheDragCursor) {
    Input({"move 110 110", "move 200 110", "down 105 110 1", "drag 400 110"});
    // The press moves the pointer onto the thumb before it grabs it.
    EXPECT_THAT(mHost->mCursorStates, ElementsAre(2, 0, 2, 2));
    Input({"up 400 110 1"});
    EXPECT_EQ(mHost->mCursorStates.back(), 0);
}

TEST_F(SliderTest, TrackIsCutInThreeAndTheMiddleRepeatedBetweenTheEnds) {
    Kavo::RecordingImage track(30, 6);
    mSlider.mTrackImage = &track;
    mSlider.Resize(100, 100, 45, 20);
    mSlider.SetValue(0.0);
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    // Parts of 10: the first at 0, the middle at 10 and 20 (count (45 - 11) / 10 = 3, the third
    // clipped away by the end part's span), the last at 35; the thumb on top.
    EXPECT_THAT(
        mScreen.mCalls,
        ElementsAre("Blt 100,107 [0,0,10,6] (255,255,255,255) m0", "Blt 110,107 [10,0,10,6] (255,255,255,255) m0",
                    "Blt 120,107 [10,0,10,6] (255,255,255,255) m0", "Blt 130,107 [10,0,5,6] (255,255,255,255) m0",
                    "Blt 135,107 [20,0,10,6] (255,255,255,255) m0", "Blt 100,100 [0,0,20,20] (255,255,255,255) m0"));
}

} // namespace
} // namespace widget_test
