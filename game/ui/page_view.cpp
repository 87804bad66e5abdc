#include "game/ui/page_view.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"

namespace Game {

void PageView::Load(const std::string& path, PageViewListener* listener, int32_t revealRate) {
    mPages.Load(path, PageFileKind::Comics);
    mListener = listener;
    mRevealRate = revealRate;
    Show(0);
}

void PageView::Show(size_t page) {
    mPage = page;
    mEntry = 0;
    mTick = 0;
    mFinished = mPage >= mPages.GetPageCount();
    if (!mFinished)
        BeginEntry();
}

const PageText* PageView::CurrentText() const {
    if (mFinished || mPage >= mPages.GetPageCount())
        return nullptr;
    const Page& page = mPages.GetPage(mPage);
    return mEntry < page.mTexts.size() ? &page.mTexts[mEntry] : nullptr;
}

void PageView::BeginEntry() {
    // Pages without texts are passed over.
    while (mPage < mPages.GetPageCount() && mEntry >= mPages.GetPage(mPage).mTexts.size()) {
        ++mPage;
        mEntry = 0;
    }
    if (mPage >= mPages.GetPageCount()) {
        mFinished = true;
        mText.clear();
        mShown = 0;
        if (mListener != nullptr)
            mListener->PagesFinished();
        return;
    }
    const PageText& text = mPages.GetPage(mPage).mTexts[mEntry];
    mText = Termins::Lookup(text.mKey);
    mEntryRect = text.mRect;
    if (FONT_DEFAULT != nullptr) {
        Kavo::Graphics measure;
        measure.SetFont(FONT_DEFAULT);
        mEntryRect.mHeight = measure.GetWordWrappedHeight(mEntryRect.mWidth, mText);
    }
    mBalloonTransform.Reset();
    mBalloonTransform.Scale(static_cast<float>(mEntryRect.mWidth) / kBalloonWidth,
                            static_cast<float>(mEntryRect.mHeight) / kBalloonHeight);
    const int32_t length = static_cast<int32_t>(mText.size());
    mShown = mRevealRate <= 0 ? length : std::min<int32_t>(1, length);
}

void PageView::Update() {
    const PageText* text = CurrentText();
    if (text == nullptr)
        return;
    ++mTick;
    const int32_t length = static_cast<int32_t>(mText.size());
    if (mRevealRate > 0 && mShown < length && mTick % mRevealRate == 0)
        ++mShown;
    // Summed wide: a damaged page's times may each be near the int range's edge.
    if (mTick >= int64_t{text->mTypingTime} + text->mHoldTime) {
        const int32_t finished = static_cast<int32_t>(mEntry);
        mTick = 0;
        ++mEntry;
        if (mListener != nullptr)
            mListener->PageEntryFinished(finished);
        BeginEntry();
    }
}

void PageView::Skip() {
    const PageText* text = CurrentText();
    if (text == nullptr)
        return;
    mTick = text->mTypingTime;
    mShown = static_cast<int32_t>(mText.size());
}

void PageView::Draw(Kavo::Graphics* g) {
    if (mFinished || mPage >= mPages.GetPageCount())
        return;
    g->PushState();
    const PageText* text = CurrentText();
    if (text != nullptr) {
        const float cx = static_cast<float>(mEntryRect.mX) + static_cast<float>(mEntryRect.mWidth) / 2.0f;
        const float cy = static_cast<float>(mEntryRect.mY) + static_cast<float>(mEntryRect.mHeight) / 2.0f;
        if (mBalloon != nullptr) {
            if (UsesHardware3D())
                g->DrawImageTransformF(mBalloon, mBalloonTransform, cx, cy);
            else
                g->DrawImageTransform(mBalloon, mBalloonTransform, cx, cy);
        }
        Kavo::Font* font = text->mFont != nullptr ? text->mFont : FONT_DEFAULT;
        if (font != nullptr) {
            g->SetFont(font);
            g->SetColor(text->mColor);
            g->WriteWordWrapped(mEntryRect, mText, -1, text->mJustify, nullptr, mShown);
        }
    }
    for (const auto& sprite : mPages.GetPage(mPage).mSprites)
        sprite->Draw(g, 255.0f);
    g->PopState();
}

} // namespace Game
