#pragma once
// The controls, decorative images and named points of one screen, read
// from its layout file: one section per item, its "Type" saying what it is.
// Controls become widgets added to the parent; images are drawn by level
// through DrawImages; points are plain coordinates.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/ui/control_factory.h"
#include "game/ui/ini_section.h"

namespace Kavo {
class Graphics;
class Image;
class Widget;
} // namespace Kavo

namespace Game {

struct LayoutPoint {
    int x = 0;
    int y = 0;
    bool operator==(const LayoutPoint&) const = default;
};

class Layout {
public:
    struct ImageRecord {
        Kavo::Image* image = nullptr;
        int x = 0;
        int y = 0;
        int level = 0;
        std::unique_ptr<Kavo::Image> owned; // an image loaded from a file
    };

    // Reads the file and makes its items; a missing file gives an empty
    // layout. `parent` may be null: its controls then report to nobody and
    // are added nowhere.
    Layout(const std::string& path, Kavo::Widget* parent);
    // Removes and deletes every child of the parent, and the controls that
    // were never added anywhere.
    ~Layout();
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    // The widget of that control section; null for any other name.
    Kavo::Widget* GetControl(const std::string& name) const;
    // The control as that widget type; null when it is of another type.
    template <typename T>
    T* GetControlAs(const std::string& name) const {
        return dynamic_cast<T*>(GetControl(name));
    }
    // A "Point" section's X and Y, else the position of the control of that
    // name, else nothing.
    std::optional<LayoutPoint> GetPoint(const std::string& name) const;
    std::optional<LayoutPoint> GetDesc(const std::string& name) const { return GetPoint(name); }

    // Draws the images of that level in record order; missing ones are skipped.
    void DrawImages(Kavo::Graphics* g, int level) const;
    // Writes each control's current rectangle into its section's "Position"
    // and saves the file; false when nothing was written.
    bool SavePositions() const;

    const std::vector<ImageRecord>& Images() const { return mImages; }
    const std::string& FileName() const { return mFileName; }

private:
    void AddImage(const IniSection& section);
    void AddControl(const std::string& name, const std::string& type, const IniSection& section);

    Kavo::Widget* mParent;
    std::string mFileName;
    std::vector<ImageRecord> mImages;
    std::map<std::string, LayoutPoint, IniNameLess> mPoints;
    std::map<std::string, Kavo::Widget*, IniNameLess> mControls;
    std::vector<std::unique_ptr<LayoutControl>> mMade; // every widget made, with what it holds
    std::vector<LayoutControl*> mKeptOut;              // made with "AddToWidget" other than 1
};

} // namespace Game
