#include "game/effects/tr_move_items.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/image.h"
#include "game/effects/tr_item.h"
#include "game/effects/tr_line.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

bool NameHas(const char* name, const char* part) {
    return std::string(name).find(part) != std::string::npos;
}

} // namespace

TrMoveItems::TrMoveItems() = default;

TrMoveItems::~TrMoveItems() {
    mItems.clear();
    mLines.clear();
    for (ImageMap* map : {&mImages, &mShapes})
        for (auto& [name, held] : *map)
            if (held.owned)
                delete held.image;
}

void TrMoveItems::Resolve(ImageMap& images, const std::string& name) {
    if (name.empty() || images.count(name) != 0)
        return;
    SceneImage& held = images[name];
    // A shared picture by its id; anything else is a file, loaded as named.
    const int id = GetIdByStringId(name);
    if (GetResourceKind(id) == ResourceKind::Image) {
        held.image = GetImageResourceById(id);
        return;
    }
    if (Kavo::KavoAppBase* app = Kavo::gAppBase) {
        held.image = app->GetImage(name, true);
        held.owned = held.image != nullptr;
    }
}

Kavo::Image* TrMoveItems::Find(const ImageMap& images, const std::string& name) {
    const auto it = images.find(name);
    return it != images.end() ? it->second.image : nullptr;
}

void TrMoveItems::Load(const std::string& path) {
    IniDocument document;
    document.Load(path, true);
    if (document.GetSectionCount() == 0)
        return;
    IniSection& main = *document.GetSection("Main");
    mX = main.GetFloat("X", 0.0f);
    mY = main.GetFloat("Y", 0.0f);
    mDuration = main.GetFloat("Time", 2.0f);
    mItems.clear();

    for (auto it = document.Begin(); it != document.End(); ++it)
        Resolve(mImages, it.Value().GetString("Image", ""));
    for (auto it = document.Begin(); it != document.End(); ++it)
        Resolve(mShapes, it.Value().GetString("ShapeName", ""));

    std::vector<const IniSection*> itemSections;
    for (auto it = document.Begin(); it != document.End(); ++it) {
        if (!NameHas(it.Name(), "Item"))
            continue;
        auto item = std::make_unique<TrItem>();
        item->mDesc.Load(it.Value());
        item->mDuration = mDuration;
        item->mClockStep = 0.01f;
        item->mX = mX;
        item->mY = mY;
        mItems.push_back(std::move(item));
        itemSections.push_back(&it.Value());
    }
    for (const std::unique_ptr<TrItem>& item : mItems) {
        TrEmitterDesc& desc = item->mDesc;
        desc.mImage = Find(mImages, desc.mImageName);
        if (desc.mTextureWidth == 0 && desc.mImage != nullptr) {
            desc.mTextureWidth = desc.mImage->GetWidth();
            desc.mTextureHeight = desc.mImage->GetHeight();
        }
        desc.mShapeImage = Find(mShapes, desc.mShapeName);
    }

    ResetLines();
    for (auto it = document.Begin(); it != document.End(); ++it) {
        if (!NameHas(it.Name(), "Line"))
            continue;
        std::unique_ptr<TrLine> line(CreateTrLine(it.Value().GetInt("Type", 0)));
        if (line == nullptr)
            continue;
        line->Load(it.Value().GetString("Points", ""));
        mLines.push_back(std::move(line));
    }

    for (size_t k = 0; k < mItems.size(); ++k) {
        const int index = itemSections[k]->GetInt("LineIndex", -1);
        if (index < 0 || index >= GetLineCount())
            continue;
        mItems[k]->mMoveParticles = itemSections[k]->GetInt("TrMoveItems", 0) == 1;
        mItems[k]->mLine = mLines[static_cast<size_t>(index)].get();
    }
}

void TrMoveItems::Start(float x, float y) {
    for (const std::unique_ptr<TrItem>& item : mItems)
        item->Start(x, y);
}

void TrMoveItems::SetPosition(float x, float y, bool moveParticles) {
    for (const std::unique_ptr<TrItem>& item : mItems)
        item->SetPosition(x, y, moveParticles);
}

void TrMoveItems::ResetLines() {
    for (const std::unique_ptr<TrItem>& item : mItems)
        item->mLine = nullptr;
    mLines.clear();
}

void TrMoveItems::Update() {
    bool done = true;
    for (const std::unique_ptr<TrItem>& item : mItems) {
        item->Tick();
        done = done && item->mDone;
    }
    mDone = done;
}

void TrMoveItems::Update(float f) {
    for (const std::unique_ptr<TrItem>& item : mItems) {
        if (TrLine* line = item->mLine) {
            const float t = item->CycleFraction();
            if (t != line->mT) {
                line->mSpeed = item->mDesc.mTrajectorySpeed.Evaluate(t);
                line->SetT(t, true);
            }
            // Every item on the line takes its point, also when another
            // item already moved the line to this fraction.
            item->SetPosition(static_cast<float>(line->mX), static_cast<float>(line->mY), item->mMoveParticles);
        }
        item->Move(f);
    }
}

void TrMoveItems::Draw(Kavo::Graphics* g) {
    for (const std::unique_ptr<TrItem>& item : mItems)
        item->Draw(*g);
}

} // namespace Game
