// Shared looks, layout files and the controls they make.
#include "game/ui/layout.h"

#include "framework/widget/edit_widget.h"
#include "framework/widget/hyperlink_widget.h"
#include "framework/widget/list_widget.h"
#include "framework/widget/scrollbar_widget.h"
#include "game/ui/game_button.h"
#include "game/ui/game_dialog.h"
#include "game/ui/ini_document.h"
#include "game/ui/number_label.h"
#include "tests/game/ui/ui_fixture.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

using Kavo::Color;
using Kavo::IntRect;

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

class LayoutTest : public ui_test::UiFixture {
protected:
    GameDialog mParent{5, false};
};

TEST_F(LayoutTest, SharedLooksReadTheKeysOfTheirType) {
    mDescs->LoadInterface(Write("interf.txt", Lines({
                                                  "[Btn]",
                                                  "Type=DialogButton",
                                                  "NormalRect=1,2,3,4",
                                                  "DisabledRect=5,6",
                                                  "Image=IMAGE_DIALOG_BUTTON",
                                                  "OverImage=over",
                                                  "COLOR_LABEL=0x80FF0000",
                                                  "Font=FONT_DEFAULT",
                                                  "DoFinger=1",
                                                  "UncheckedRect=9,9,9,9",
                                                  "[Radio]",
                                                  "Type=RadioButton",
                                                  "CheckedRect=7,8,9,10",
                                                  "DownImage=down",
                                                  "[Box]",
                                                  "Type=CheckBox",
                                                  "Image=box",
                                                  "CheckedRect=20,0,20,20",
                                                  "NormalImage=ignored",
                                                  "[Slide]",
                                                  "Type=Slider",
                                                  "ImageThumb=thumb",
                                                  "[Lnk]",
                                                  "Type=Link",
                                                  "Color=0x00FF00",
                                                  "Align=2",
                                                  "UnderLine=2",
                                                  "WrappedDraw=1",
                                                  "[Lst]",
                                                  "Type=ListBox",
                                                  "COLOR_TEXT=17",
                                                  "COLOR_OUTLINE=5",
                                                  "[Ed]",
                                                  "Type=Edit",
                                                  "COLOR_OUTLINE=5",
                                                  "Font=nofont",
                                                  "[Plain]",
                                                  "Image=x",
                                                  "[Other]",
                                                  "Type=Mystery",
                                              })));
    EXPECT_EQ(mDescs->GetCount(), 7u);
    EXPECT_EQ(mDescs->Find("Plain"), nullptr);
    EXPECT_EQ(mDescs->Find("Other"), nullptr);

    const ControlDesc* btn = mDescs->Find("btn");
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->mNormalRect, IntRect(1, 2, 3, 4));
    EXPECT_EQ(btn->mDisabledRect, IntRect(5, 6, 0, 0));
    EXPECT_EQ(btn->mImage, "IMAGE_DIALOG_BUTTON");
    EXPECT_EQ(btn->mOverImage, "over");
    EXPECT_EQ(btn->mColorLabel, int(0x80FF0000));
    EXPECT_EQ(btn->mFontId, FONT_DEFAULT_ID);
    EXPECT_EQ(btn->mDoFinger, 1);
    EXPECT_EQ(btn->mUncheckedRect, IntRect()); // not a button key

    const ControlDesc* radio = mDescs->Find("Radio");
    EXPECT_EQ(radio->mCheckedRect, IntRect(7, 8, 9, 10));
    EXPECT_EQ(radio->mDownImage, "down");

    const ControlDesc* box = mDescs->Find("Box");
    EXPECT_EQ(box->mImage, "box");
    EXPECT_EQ(box->mImageTrack, "box");
    EXPECT_EQ(box->mCheckedRect, IntRect(20, 0, 20, 20));
    EXPECT_EQ(box->mNormalImage, "");

    EXPECT_EQ(mDescs->Find("Slide")->mImageThumb, "thumb");
    const ControlDesc* link = mDescs->Find("Lnk");
    EXPECT_EQ(link->mColor, 0x00FF00);
    EXPECT_EQ(link->mAlign, 2);
    EXPECT_EQ(link->mUnderLine, 2);
    EXPECT_EQ(link->mWrappedDraw, 1);
    EXPECT_EQ(mDescs->Find("Lst")->mColorText, 17);
    EXPECT_EQ(mDescs->Find("Lst")->mColorOutline, 0); // only an edit field has an outline
    EXPECT_EQ(mDescs->Find("Ed")->mColorOutline, 5);
    EXPECT_EQ(mDescs->Find("Ed")->mFontId, RESOURCE_ID_MAX);

    // A file without sections leaves the table as it was.
    mDescs->LoadInterface(Write("empty.txt", ""));
    EXPECT_EQ(mDescs->GetCount(), 7u);
}

TEST_F(LayoutTest, ControlsTakeTheirLookFromADescriptionOrFromTheirOwnSection) {
    mDescs->LoadInterface(Write("interf.txt", Lines({
                                                  "[BigButton]",
                                                  "Type=Button",
                                                  "COLOR_LABEL=0x0000FF",
                                                  "Font=FONT_DEFAULT",
                                                  "[DlgLook]",
                                                  "Type=DialogButton",
                                                  "Image=IMAGE_DIALOG_BUTTON",
                                                  "NormalImage=IMAGE_CHECKBOX",
                                                  "OverImage=IMAGE_CHECKBOX",
                                                  "Font=FONT_DEFAULT",
                                              })));
    Layout layout(Write("layout.txt", Lines({
                                          "[Described]",
                                          "Type=Button",
                                          "ID=4",
                                          "Description=BigButton",
                                          "COLOR_LABEL=0xFF0000",
                                          "NormalImage=IMAGE_CHECKBOX",
                                          "Position=10,20,30,40",
                                          "[Own]",
                                          "Type=Button",
                                          "ID=0x10",
                                          "COLOR_LABEL=0xFF0000",
                                          "NormalImage=IMAGE_CHECKBOX",
                                          "Font=FONT_DEFAULT",
                                          "[Unknown]",
                                          "Type=Link",
                                          "Description=NoSuchLook",
                                          "Color=0x123456",
                                          "[Dialog]",
                                          "Type=DialogButton",
                                          "Description=DlgLook",
                                          "Caption=Play",
                                          "[Box]",
                                          "Type=CheckBox",
                                          "UncheckedRect=1,1,1,1",
                                          "CheckedRect=2,2,2,2",
                                          "DoFinger=1",
                                          "[Slide]",
                                          "Type=Slider",
                                          "ImageTrack=",
                                          "[List]",
                                          "Type=ListBox",
                                          "Font=FONT_DEFAULT",
                                          "COLOR_TEXT=0",
                                          "COLOR_BKG=0x112233",
                                          "Position=10,20,100,50",
                                          "[Field]",
                                          "Type=Edit",
                                          "Font=FONT_DEFAULT",
                                          "[Label]",
                                          "Type=Link",
                                          "Font=FONT_DEFAULT",
                                          "Color=0x123456",
                                          "Align=2",
                                      })),
                  &mParent);

    auto* described = layout.GetControlAs<LayoutButton>("Described");
    ASSERT_NE(described, nullptr);
    EXPECT_EQ(described->mId, 4);
    EXPECT_EQ(described->GetColor(0), Color(0, 0, 255, 255));
    EXPECT_EQ(described->mButtonImage, nullptr); // its own image key is not read
    EXPECT_EQ(described->GetRect(), IntRect(10, 20, 30, 40));
    EXPECT_EQ(described->mButtonListener, &mParent);

    auto* own = layout.GetControlAs<LayoutButton>("Own");
    EXPECT_EQ(own->mId, 16);
    EXPECT_EQ(own->GetColor(0), Color(255, 0, 0, 255));
    EXPECT_EQ(own->mButtonImage, mCheckbox.get());
    ASSERT_NE(own->mFont, nullptr);

    // An unknown look leaves the link's own defaults, also its colour.
    auto* unknown = layout.GetControlAs<Kavo::HyperlinkWidget>("Unknown");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->mColor, Color(255, 255, 255, 255));
    EXPECT_EQ(unknown->mJustify, 1);
    auto* label = layout.GetControlAs<Kavo::HyperlinkWidget>("Label");
    EXPECT_EQ(label->mColor, Color(0x12, 0x34, 0x56, 255));
    EXPECT_EQ(label->mJustify, 2);
    EXPECT_EQ(label->mUnderlineSize, 0);

    auto* dialog = layout.GetControlAs<LayoutDialogButton>("Dialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mComponentImage, mDialogButton.get());
    EXPECT_EQ(dialog->mButtonImage, nullptr);
    EXPECT_EQ(dialog->mOverImage, nullptr);
    EXPECT_EQ(dialog->mLabel, "Play"); // no term table: the key itself

    // A check box from its own section: halves of the 40 x 20 image.
    auto* box = layout.GetControlAs<LayoutCheckbox>("Box");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->mUncheckedImage, mCheckbox.get());
    EXPECT_EQ(box->mUncheckedRect, IntRect(0, 0, 20, 20));
    EXPECT_EQ(box->mCheckedRect, IntRect(20, 0, 20, 20));
    EXPECT_TRUE(box->mDoFinger);
    EXPECT_EQ(box->mListener, &mParent);

    auto* slider = layout.GetControlAs<LayoutSlider>("Slide");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->mTrackImage, mTrack.get());
    EXPECT_EQ(slider->mThumbImage, mThumb.get());

    auto* list = layout.GetControlAs<Kavo::ListWidget>("List");
    ASSERT_NE(list, nullptr);
    const Kavo::ListWidget defaults(0, nullptr, nullptr);
    EXPECT_EQ(list->GetColor(Kavo::ListWidget::COLOR_TEXT), defaults.GetColor(Kavo::ListWidget::COLOR_TEXT));
    EXPECT_EQ(list->GetColor(Kavo::ListWidget::COLOR_BKG), Color(0x11, 0x22, 0x33, 255));
    EXPECT_EQ(list->mFont, &mFont);
    EXPECT_EQ(list->GetRect(), IntRect(10, 20, 100, 50));
    ASSERT_NE(list->mScrollbar, nullptr);
    EXPECT_EQ(list->mScrollbar->GetRect(), IntRect(110, 20, 20, 50));
    EXPECT_TRUE(list->mScrollbar->mInvisIfNoScroll);
    EXPECT_TRUE(mParent.HasWidget(list->mScrollbar));

    auto* field = layout.GetControlAs<Kavo::EditWidget>("Field");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetColor(Kavo::EditWidget::COLOR_OUTLINE), Color(0, 0, 0, 255));
}

TEST_F(LayoutTest, SectionsMakeControlsImagesAndPoints) {
    Layout layout(Write("layout.txt", Lines({
                                          "[Ok]",
                                          "Type=Button",
                                          "ID=1",
                                          "[OK]",
                                          "Type=Button",
                                          "[NoId]",
                                          "Type=Button",
                                          "[BadId]",
                                          "Type=Button",
                                          "ID=seven",
                                          "[Hidden]",
                                          "Type=RadioButton",
                                          "Visible=2",
                                          "Disabled=1",
                                          "Caption=Go",
                                          "[Count]",
                                          "Type=NumberLabel",
                                          "Position=1,2,3,4",
                                          "[Kept]",
                                          "Type=Button",
                                          "AddToWidget=0",
                                          "[Spot]",
                                          "Type=Point",
                                          "X=5",
                                          "Y=-6",
                                          "[Pic]",
                                          "Type=Image",
                                          "Image=IMAGE_CHECKBOX",
                                          "Level=2",
                                          "Position=7,8",
                                          "[ById]",
                                          "Type=Image",
                                          "simageid=IMAGE_SLIDER_TRACK",
                                          "[Neither]",
                                          "Type=Image",
                                          "Image=no such picture",
                                          "simageid=IMAGE_SLIDER_TRACK",
                                          "[FontAsImage]",
                                          "Type=Image",
                                          "Image=FONT_DEFAULT",
                                          "[Untyped]",
                                          "Position=1,1,1,1",
                                      })),
                  &mParent);

    // "[Ok]" and "[OK]" are one section, so one control.
    auto* ok = layout.GetControlAs<LayoutButton>("ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->mId, 1);
    EXPECT_EQ(layout.GetControlAs<LayoutButton>("NoId")->mId, -1);
    EXPECT_EQ(layout.GetControlAs<LayoutButton>("BadId")->mId, -1);

    auto* hidden = layout.GetControlAs<GameButton>("Hidden");
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->mVisible);
    EXPECT_TRUE(hidden->mDisabled);
    EXPECT_EQ(hidden->mCaption, "Go");
    EXPECT_EQ(hidden->mListener, &mParent);
    EXPECT_NE(layout.GetControlAs<NumberLabel>("Count"), nullptr);
    EXPECT_TRUE(layout.GetControl("Ok")->mVisible);

    // A missing control, or one of another type, is null to its screen.
    EXPECT_EQ(layout.GetControl("Missing"), nullptr);
    EXPECT_EQ(layout.GetControlAs<Kavo::Slider>("Ok"), nullptr);
    EXPECT_EQ(layout.GetControl("Spot"), nullptr);
    EXPECT_EQ(layout.GetControl("Pic"), nullptr);
    EXPECT_EQ(layout.GetControl("Untyped"), nullptr);

    // Kept out of the parent; the layout frees it.
    ASSERT_NE(layout.GetControl("Kept"), nullptr);
    EXPECT_FALSE(mParent.HasWidget(layout.GetControl("Kept")));
    EXPECT_EQ(mParent.GetWidgets().size(), 5u);

    EXPECT_EQ(layout.GetPoint("spot"), (LayoutPoint{5, -6}));
    EXPECT_EQ(layout.GetPoint("Count"), (LayoutPoint{1, 2}));
    EXPECT_EQ(layout.GetPoint("Pic"), std::nullopt);

    ASSERT_EQ(layout.Images().size(), 2u);
    EXPECT_EQ(layout.Images()[0].image, mTrack.get()); // "ById" sorts first
    EXPECT_EQ(layout.Images()[0].level, 0);
    EXPECT_EQ(layout.Images()[1].image, mCheckbox.get());
    EXPECT_EQ(layout.Images()[1].level, 2);
    EXPECT_EQ(layout.Images()[1].x, 7);
    EXPECT_EQ(layout.Images()[1].y, 8);
}

TEST_F(LayoutTest, AMissingFileGivesAnEmptyLayoutAndTheLayoutDeletesTheParentsChildren) {
    {
        Layout empty(Platform().Folder() + "/none.txt", &mParent);
        EXPECT_TRUE(empty.Images().empty());
        EXPECT_FALSE(empty.SavePositions());
    }
    {
        Layout layout(Write("layout.txt", Lines({"[A]", "Type=Button", "[B]", "Type=Edit"})), &mParent);
        EXPECT_EQ(mParent.GetWidgets().size(), 2u);
    }
    EXPECT_TRUE(mParent.GetWidgets().empty());
    // Without a parent nothing is added and the layout frees its controls.
    Layout orphan(Write("orphan.txt", Lines({"[A]", "Type=CheckBox", "[L]", "Type=ListBox"})), nullptr);
    EXPECT_EQ(orphan.GetControlAs<LayoutCheckbox>("A")->mListener, nullptr);
}

TEST_F(LayoutTest, SavePositionsRewritesOnlyThePositionKeys) {
    const std::string path = Write("layout.txt", Lines({
                                                     "; the main button",
                                                     "[Play]",
                                                     "Type=Button",
                                                     "ID=1",
                                                     "Position=1,2,3,4",
                                                     "[Quit]",
                                                     "Type=Button",
                                                     "Position=5,6,7,8",
                                                     "Caption=Bye",
                                                     "[Spot]",
                                                     "Type=Point",
                                                     "X=3",
                                                 }));
    Layout layout(path, &mParent);
    layout.GetControl("Play")->Resize(100, 200, 30, 40);
    EXPECT_TRUE(layout.SavePositions());

    IniDocument doc;
    doc.Load(path, true);
    EXPECT_EQ(doc.GetSection("Play")->GetString("Position"), "100,200,30,40");
    EXPECT_EQ(doc.GetSection("Play")->GetString("ID"), "1");
    EXPECT_EQ(doc.GetSection("Quit")->GetString("Position"), "5,6,7,8");
    EXPECT_EQ(doc.GetSection("Quit")->GetString("Caption"), "Bye");
    EXPECT_FALSE(doc.GetSection("Spot")->HasKey("Position"));
    EXPECT_EQ(doc.GetSectionCount(), 3u);
}

} // namespace
} // namespace Game
