#pragma once
// A trajectory scene: emitters ("Item" sections) whose particles follow
// curves over a cycle of the scene's duration, each optionally carried along
// one of the scene's lines ("Line" sections), all read from one ini file.
// The owner loads it, starts it at a screen position, then updates and
// draws it like any effect until it is done (an endless scene never is).

#include "game/ui/effect_base.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class IniSection;
class TrItem;
class TrLine;

class TrMoveItems : public EffectBase {
public:
    TrMoveItems();
    ~TrMoveItems() override;
    TrMoveItems(const TrMoveItems&) = delete;
    TrMoveItems& operator=(const TrMoveItems&) = delete;

    // Builds the scene from the file; a file without sections (missing,
    // empty) changes nothing.
    void Load(const std::string& path);
    // Replays every item from (x, y): clocks 0, particles gone.
    void Start(float x, float y);
    void SetPosition(float x, float y, bool moveParticles);
    // Detaches the items from their lines and deletes the lines.
    void ResetLines();

    void Draw(Kavo::Graphics* g) override;
    // Once per game update: ticks every item; done when all are.
    void Update() override;
    // f: the fraction of a game update that has passed. Items on a line
    // take the line's point for their cycle fraction, then move their
    // particles.
    void Update(float f) override;

    int GetItemCount() const { return static_cast<int>(mItems.size()); }
    TrItem& GetItem(int index) { return *mItems[static_cast<size_t>(index)]; }
    int GetLineCount() const { return static_cast<int>(mLines.size()); }
    TrLine& GetLine(int index) { return *mLines[static_cast<size_t>(index)]; }

    float mX = 0; // the origin of "Main"
    float mY = 0;
    float mDuration = 2.0f; // seconds of every item's cycle

private:
    struct SceneImage {
        bool owned = false;
        Kavo::Image* image = nullptr;
    };
    using ImageMap = std::map<std::string, SceneImage>;

    static void Resolve(ImageMap& images, const std::string& name);
    static Kavo::Image* Find(const ImageMap& images, const std::string& name);

    std::vector<std::unique_ptr<TrItem>> mItems;
    ImageMap mImages;
    ImageMap mShapes;
    std::vector<std::unique_ptr<TrLine>> mLines;
};

} // namespace Game
