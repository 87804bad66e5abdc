// One whole frame of the board screen in 2D at 1024x768 into a memory image:
// the background, tiles and border pieces, a full board of items, panels,
// the timer dial, the bonus plate and the running start effects, from a
// seeded stage. The same frame's draw calls, recorded once, are replayed
// through pixman onto an equal surface. Ends with the time per frame of both
// (the pixel table's ratio is the frame ratio: both fill the same frame).
// Build with optimisation:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target board_screen_bench && build-bench/bench/board_screen_bench

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "bench/pixman_util.h"
#include "framework/graphics/display_3d.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image_registry.h"
#include "framework/graphics/memory_image.h"
#include "framework/pak/pak_interface.h"
#include "framework/raster/tri_raster.h"
#include "framework/util/buffer.h"
#include "game/board/board_defs.h"
#include "game/board/board_profile_adapter.h"
#include "game/board/item_catalog.h"
#include "game/board/stages.h"
#include "game/screens/board_screen.h"
#include "game/screens/stage_table_goals.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "game/ui/user_manager.h"
#include "platform/crt_random.h"
#include "platform/file_system.h"
#include "platform/headless/headless_platform.h"
#include "platform/process_slot.h"
#include "tools/sample_content/board_content.h"
#include "tools/sample_content/board_screen_content.h"
#include "tools/sample_content/stage_content.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

void Fill(Kavo::MemoryImage& image, int w, int h, const std::vector<uint32_t>& texels) {
    image.Create(w, h);
    std::copy(texels.begin(), texels.end(), image.GetBits());
    image.BitsChanged();
}

// A picture of w x h whose every cel (cw x ch) is a soft sprite.
std::vector<uint32_t> Cels(int w, int h, int cel) {
    const std::vector<uint32_t> sprite = KavoBench::SoftSprite(cel);
    std::vector<uint32_t> texels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            texels[static_cast<size_t>(y) * w + x] = sprite[static_cast<size_t>(y % cel) * cel + x % cel];
    return texels;
}

// The seeded board screen with its pictures and tables, in play.
class Scene {
public:
    Scene() {
        platform::SetCurrentFolder(mPlatform.Folder());
        Kavo::SampleContent::WriteBoardScreenContent(mPlatform.Folder());
        Fill(mBack, kWidth, kHeight, KavoBench::Pattern(kWidth, kHeight));
        for (Kavo::MemoryImage* deep : {&mDeep[0], &mDeep[1], &mDeep[2]})
            Fill(*deep, 800, 500, Cels(800, 500, 50));
        Fill(mItem, 50, 50, KavoBench::SoftSprite(50));
        Fill(mPlate, 1024, 120, KavoBench::Pattern(1024, 120));
        Fill(mPanel, 200, 40, Cels(200, 40, 40));
        Fill(mDial, 100, 100, KavoBench::SoftSprite(100));
        Fill(mArrow, 40, 18, Cels(40, 18, 18));
        Fill(mEdge, 50, 20, Cels(50, 20, 20));
        Fill(mBanner, 256, 128, Cels(256, 128, 128));
        Game::IMAGE_DEEP0 = &mDeep[0];
        Game::IMAGE_DEEP1 = &mDeep[1];
        Game::IMAGE_DEEP2 = &mDeep[2];
        Game::IMAGE_MAIN_PLASHKA = &mPlate;
        Game::IMAGE_MAIN_PLASHKATOP = &mPanel;
        Game::IMAGE_PROGRESSBARRATING = &mPanel;
        Game::IMAGE_PROGRESSBARRATINGBACK = &mPanel;
        Game::IMAGE_TIMER = &mDial;
        Game::IMAGE_TIMER_CIRCLE = &mDial;
        Game::IMAGE_TIMER_ARROW = &mArrow;
        Game::IMAGE_GO = &mBanner;

        Game::IniDocument stages;
        const std::string stagesText = Kavo::SampleContent::StagesText();
        stages.Parse(stagesText.data(), stagesText.size(), true);
        mStages->LoadDocument(stages);
        const std::string bytes = Kavo::SampleContent::BoardsDatBytes();
        Kavo::Buffer buffer;
        buffer.SetData(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
        mDefs->Read(buffer);
        Game::IniDocument items;
        const std::string itemsText = Kavo::SampleContent::ItemsText();
        items.Parse(itemsText.data(), itemsText.size(), true);
        mItems->LoadDocument(items);
        for (int id = 0; id <= 12; ++id)
            if (auto* record = const_cast<Game::ItemRecord*>(mItems->Find(id)))
                record->mBoardImage = record->mImage = &mItem;

        auto* user = new Game::User;
        user->mName = "Bench";
        mUsers->AddUser(user);
        // The second stage: a full board with holes, double tiles and chains.
        user->mRecord.mStageIndex = 1;
        user->mRecord.mBoardIndex = 0;
        platform::CrtSrand(45);
        mScreen = std::make_unique<Game::BoardScreen>();
        mBoardBlock.emplace(Game::ProfileBoardSlot(), std::make_shared<Game::BoardProfileAdapter>(mScreen->mBoard));
        mScreen->mBackground.SetImage(&mBack);
        mScreen->StartLevel(true, false);
        mScreen->OnTilesSpread();
        // Border pieces along every existing cell's top edge.
        for (int row = 0; row < Game::kBoardRows; ++row)
            for (int column = 0; column < Game::kBoardColumns; ++column)
                if (mScreen->mBoard.Cell(column, row).mExists)
                    mScreen->mBorders.Cell(column, row)
                        .mPictures.push_back(
                            {&mEdge, Kavo::IntRect(0, 0, 50, 20), 177 + column * 50, 103 + row * 50 - 10});
        // Into play: the items scale in, the "go" banner runs.
        for (int i = 0; i < 120; ++i) {
            mScreen->Update();
            mScreen->UpdateF(1.0f);
        }
    }
    ~Scene() {
        mBoardBlock.reset();
        mScreen.reset();
        for (Kavo::Image** image :
             {&Game::IMAGE_DEEP0, &Game::IMAGE_DEEP1, &Game::IMAGE_DEEP2, &Game::IMAGE_MAIN_PLASHKA,
              &Game::IMAGE_MAIN_PLASHKATOP, &Game::IMAGE_PROGRESSBARRATING, &Game::IMAGE_PROGRESSBARRATINGBACK,
              &Game::IMAGE_TIMER, &Game::IMAGE_TIMER_CIRCLE, &Game::IMAGE_TIMER_ARROW, &Game::IMAGE_GO})
            *image = nullptr;
    }

    void DrawFrame(Kavo::Image& target) {
        Kavo::Graphics g(&target);
        mScreen->Draw(&g);
        mScreen->DrawOverlay(&g);
    }

private:
    platform::HeadlessPlatform mPlatform;
    std::shared_ptr<Kavo::ImageRegistry> mImages = std::make_shared<Kavo::ImageRegistry>();
    platform::Installed<Kavo::ImageRegistry> mImageSlot{Kavo::ImageRegistrySlot(), mImages};
    platform::Installed<Kavo::PakInterfaceBase> mNoArchive{Kavo::PakReaderSlot(),
                                                           std::shared_ptr<Kavo::PakInterfaceBase>()};
    platform::Installed<Kavo::Display3D> mNot3D{Kavo::Display3DSlot(), std::shared_ptr<Kavo::Display3D>()};
    platform::Installed<const Kavo::TriRasterMemberTable> mRaster{Kavo::TriRasterTableSlot(),
                                                                  std::shared_ptr<const Kavo::TriRasterMemberTable>()};
    std::shared_ptr<Game::Stages> mStages = std::make_shared<Game::Stages>();
    std::shared_ptr<Game::BoardDefs> mDefs = std::make_shared<Game::BoardDefs>();
    std::shared_ptr<Game::ItemCatalog> mItems = std::make_shared<Game::ItemCatalog>();
    platform::Installed<Game::Stages> mStagesSlot{Game::StagesSlot(), mStages};
    platform::Installed<Game::BoardDefs> mDefsSlot{Game::BoardDefsSlot(), mDefs};
    platform::Installed<Game::ItemCatalog> mItemsSlot{Game::ItemCatalogSlot(), mItems};
    platform::Installed<Game::StageGoalTable> mGoals{Game::StageGoalTableSlot(),
                                                     std::make_shared<Game::StageTableGoals>()};
    std::shared_ptr<Game::UserManager> mUserManager = std::make_shared<Game::UserManager>();
    platform::Installed<Game::UserManager> mUsersSlot{Game::UserManagerSlot(), mUserManager};
    Game::UserManager* mUsers = mUserManager.get();
    std::optional<platform::Installed<Game::ProfileBoard>> mBoardBlock;
    Kavo::MemoryImage mBack, mDeep[3], mItem, mPlate, mPanel, mDial, mArrow, mEdge, mBanner;
    std::unique_ptr<Game::BoardScreen> mScreen;
};

// One recorded call of the frame, in destination coordinates.
struct Op {
    enum Kind { Blit, Fill, Rotated, Stretch } kind;
    Kavo::Image* image;
    float x, y;
    Kavo::IntRect src;
    Kavo::Color color;
    int mode;
    double angle;
    float cx, cy;
    Kavo::IntRect dest; // of a stretch
};

// The destination that records instead of drawing.
class Recorder : public Kavo::Image {
public:
    Recorder() {
        mWidth = kWidth;
        mHeight = kHeight;
    }
    void Blt(Kavo::Image* image, int x, int y, const Kavo::IntRect& src, const Kavo::Color& color, int mode) override {
        mOps.push_back({Op::Blit, image, float(x), float(y), src, color, mode, 0, 0, 0, {}});
    }
    void BltF(Kavo::Image* image, float x, float y, const Kavo::IntRect& src, const Kavo::IntRect&,
              const Kavo::Color& color, int mode) override {
        mOps.push_back({Op::Blit, image, x, y, src, color, mode, 0, 0, 0, {}});
    }
    void BltRotated(Kavo::Image* image, float x, float y, const Kavo::IntRect& src, const Kavo::IntRect&,
                    const Kavo::Color& color, int mode, double angle, float cx, float cy) override {
        mOps.push_back({Op::Rotated, image, x, y, src, color, mode, angle, cx, cy, {}});
    }
    void FillRect(const Kavo::IntRect& rect, const Kavo::Color& color, int mode) override {
        mOps.push_back({Op::Fill, nullptr, float(rect.mX), float(rect.mY), rect, color, mode, 0, 0, 0, {}});
    }
    void StretchBlt(Kavo::Image* image, const Kavo::IntRect& dest, const Kavo::IntRect& src, const Kavo::IntRect& clip,
                    const Kavo::Color& color, int mode, bool) override {
        mOps.push_back({Op::Stretch, image, 0, 0, src, color, mode, 0, 0, 0, dest.Intersection(clip)});
        mOps.back().cx = float(dest.mX);
        mOps.back().cy = float(dest.mY);
        mOps.back().angle = double(src.mWidth) / dest.mWidth;
        mOps.back().x = float(double(src.mHeight) / dest.mHeight);
    }
    void BltMatrix(Kavo::Image*, float, float, const Kavo::Matrix3x3&, const Kavo::IntRect&, const Kavo::Color&, int,
                   const Kavo::IntRect&, bool) override {
        ++mSkipped;
    }
    void BltTrianglesTex(Kavo::Image*, const Kavo::TriVertex (*)[3], int, const Kavo::IntRect&, const Kavo::Color&, int,
                         float, float, bool) override {
        ++mSkipped;
    }
    std::vector<Op> mOps;
    int mSkipped = 0;
};

// The recorded frame on pixman's side: premultiplied copies of the sources.
class PixmanFrame {
public:
    explicit PixmanFrame(const std::vector<Op>& ops) : mOps(ops) {
        mScreenPixels = KavoBench::Pattern(kWidth, kHeight);
        mScreen = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, mScreenPixels.data(), kWidth * 4);
        for (const Op& op : mOps)
            if (op.image != nullptr && mSources.count(op.image) == 0)
                mSources[op.image] = Source(op.image);
    }
    ~PixmanFrame() {
        for (auto& [image, source] : mSources)
            pixman_image_unref(source);
        for (pixman_image_t* mask : mMasks)
            if (mask != nullptr)
                pixman_image_unref(mask);
        pixman_image_unref(mScreen);
    }

    void Draw() {
        for (const Op& op : mOps) {
            const pixman_op_t how = op.mode == 1 ? PIXMAN_OP_ADD : PIXMAN_OP_OVER;
            if (op.kind == Op::Fill) {
                const pixman_color_t c = Premultiplied(op.color);
                const pixman_rectangle16_t r{int16_t(op.src.mX), int16_t(op.src.mY), uint16_t(op.src.mWidth),
                                             uint16_t(op.src.mHeight)};
                pixman_image_fill_rectangles(how, mScreen, &c, 1, &r);
                continue;
            }
            pixman_image_t* source = mSources[op.image];
            pixman_image_t* mask = Mask(op.color.mAlpha);
            if (op.kind == Op::Rotated) {
                // Turned about its centre, put at the pivot: the same area to fill.
                KavoBench::Affine m =
                    KavoBench::Affine::Turn(op.src.mWidth, op.src.mHeight, -op.angle * 180.0 / std::numbers::pi, 1.0,
                                            op.x + op.cx, op.y + op.cy);
                const double reach = std::max(op.src.mWidth, op.src.mHeight) * 0.75;
                const int x0 = std::max(0, int(op.x + op.cx - reach)), y0 = std::max(0, int(op.y + op.cy - reach));
                const int x1 = std::min(kWidth, int(op.x + op.cx + reach) + 1);
                const int y1 = std::min(kHeight, int(op.y + op.cy + reach) + 1);
                m.c -= x0;
                m.f -= y0;
                pixman_transform_t t = KavoBench::ToPixman(m);
                pixman_image_set_transform(source, &t);
                pixman_image_composite32(how, source, mask, mScreen, 0, 0, 0, 0, x0, y0, x1 - x0, y1 - y0);
                pixman_image_set_transform(source, nullptr);
                continue;
            }
            if (op.kind == Op::Stretch) {
                // Destination to source: scaled about the unclipped corner.
                pixman_transform_t t;
                pixman_transform_init_scale(&t, pixman_double_to_fixed(op.angle), pixman_double_to_fixed(op.x));
                pixman_image_set_transform(source, &t);
                const int sx = int((op.dest.mX - op.cx) * op.angle) + op.src.mX;
                const int sy = int((op.dest.mY - op.cy) * op.x) + op.src.mY;
                pixman_image_composite32(how, source, mask, mScreen, int(sx / op.angle), int(sy / op.x), 0, 0,
                                         op.dest.mX, op.dest.mY, op.dest.mWidth, op.dest.mHeight);
                pixman_image_set_transform(source, nullptr);
                continue;
            }
            pixman_image_composite32(how, source, mask, mScreen, op.src.mX, op.src.mY, 0, 0, int(op.x), int(op.y),
                                     op.src.mWidth, op.src.mHeight);
        }
    }
    const uint32_t* Bits() const { return mScreenPixels.data(); }

private:
    pixman_image_t* Source(Kavo::Image* image) {
        auto* memory = dynamic_cast<Kavo::MemoryImage*>(image);
        const int w = image->GetWidth(), h = image->GetHeight();
        std::vector<uint32_t> argb(memory->GetBits(), memory->GetBits() + static_cast<size_t>(w) * h);
        mStorage.emplace_back();
        pixman_image_t* source = KavoBench::MakePremultiplied(argb, w, h, mStorage.back());
        pixman_image_set_filter(source, PIXMAN_FILTER_BILINEAR, nullptr, 0);
        return source;
    }
    static pixman_color_t Premultiplied(const Kavo::Color& c) {
        auto mul = [&](int v) { return uint16_t(v * c.mAlpha / 255 * 257); };
        return {mul(c.mRed), mul(c.mGreen), mul(c.mBlue), uint16_t(c.mAlpha * 257)};
    }
    // A solid alpha mask for a tinted blit; none for full alpha.
    pixman_image_t* Mask(int alpha) {
        if (alpha >= 255)
            return nullptr;
        if (mMasks.empty())
            mMasks.assign(256, nullptr);
        if (mMasks[size_t(alpha)] == nullptr) {
            const pixman_color_t c{0, 0, 0, uint16_t(alpha * 257)};
            mMasks[size_t(alpha)] = pixman_image_create_solid_fill(&c);
        }
        return mMasks[size_t(alpha)];
    }

    std::vector<Op> mOps;
    std::vector<uint32_t> mScreenPixels;
    pixman_image_t* mScreen = nullptr;
    std::map<Kavo::Image*, pixman_image_t*> mSources;
    std::vector<std::vector<uint32_t>> mStorage;
    std::vector<pixman_image_t*> mMasks;
};

Scene* gScene = nullptr;
std::vector<Op> gOps;

void Count(benchmark::State& state) {
    state.counters["pixels"] = double(kWidth) * kHeight;
    state.counters["calls"] = double(gOps.size());
}

void FrameOurs(benchmark::State& state) {
    Kavo::MemoryImage screen;
    Fill(screen, kWidth, kHeight, KavoBench::Pattern(kWidth, kHeight));
    for (auto _ : state) {
        gScene->DrawFrame(screen);
        benchmark::DoNotOptimize(screen.GetBits());
    }
    Count(state);
}

void FramePixman(benchmark::State& state) {
    PixmanFrame frame(gOps);
    for (auto _ : state) {
        frame.Draw();
        benchmark::DoNotOptimize(frame.Bits());
    }
    Count(state);
}

} // namespace

int main(int argc, char** argv) {
    Scene scene;
    gScene = &scene;
    Recorder recorder;
    scene.DrawFrame(recorder);
    gOps = recorder.mOps;
    std::printf("one frame: %zu draw calls recorded, %d of kinds not replayed\n", gOps.size(), recorder.mSkipped);
    KavoBench::RegisterPair("board_screen_frame", FrameOurs, FramePixman);
    return KavoBench::RunPairs(argc, argv);
}
