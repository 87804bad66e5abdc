#pragma once
// A path that the emitters of a trajectory scene travel along, read from and
// written to the one-line "Points" text of its section. SetT turns a
// fraction of the cycle into an integer point of the path; the editing
// operations serve a path editor (the scene itself does not call them).

#include <string>
#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class TrSpline;

class TrLine {
public:
    virtual ~TrLine() = default;

    virtual int GetType() const = 0;
    virtual void Load(const std::string& text) = 0;
    // Replaces `out` with the "Points" text of the line.
    virtual void ToString(std::string& out) const = 0;
    // t: a fraction of the path, scaled by the speed; useOffset adds the
    // polyline's start offset. A t that is not finite moves nothing.
    virtual void SetT(float t, bool useOffset) = 0;
    virtual void AddPoint(int, int) {}
    virtual int GetPointCount() const = 0;
    virtual void ClearPoints() {}
    virtual void RemovePoint(int) {}
    // The index of the point or handle under (x, y), or -1.
    virtual int HitTest(int x, int y) = 0;
    virtual void MovePoint(int, int, int) {}
    virtual void DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) = 0;

    int mX = -1;
    int mY = -1;
    float mSpeed = 1.0f;
    float mT = -1.0f; // so that the first SetT always takes effect
    float mStartOffset = 0.0f;

protected:
    // Where d lands on a path of `total` length: d wrapped into 0..total,
    // or 0 on a path without length.
    static double WrapDistance(double d, double total);

    // Pieces of the "Points" texts: trimmed, empty ones dropped.
    static std::vector<std::string> Pieces(const std::string& text, char separator);
    // A decimal number; 0 when the piece holds none or is not finite.
    static float ReadSpeed(const std::string& piece);
    // Leading blanks, a sign, then digits up to the first other character;
    // 0 without digits. Held within +-kCoordinateLimit, so that sums of
    // coordinates and sizes stay far inside int.
    static int ReadInt(const std::string& piece);
    static std::string FormatSpeed(float speed);
    // The lines given by a centre and a size read and write "speed,x,y,w,h";
    // values the text lacks keep what the line had, sizes are at least 0.
    void LoadSpeedAndBox(const std::string& text, int& centerX, int& centerY, int& width, int& height);
    std::string SpeedAndBoxText(int centerX, int centerY, int width, int height) const;
    static int Clamp(long long value);
    // Absolute difference, held within +-kCoordinateLimit.
    static int Span(int a, int b);

    // SetT of the kinds that run on a spline.
    void MoveAlong(const TrSpline& spline, float t);

    static constexpr int kCoordinateLimit = 1000000;
};

// A new line of the "Type" number 0..3 (spline, oval, rectangle, polyline);
// null for any other.
TrLine* CreateTrLine(int type);

} // namespace Game
