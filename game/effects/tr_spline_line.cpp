#include "game/effects/tr_spline_line.h"

#include <cstdio>

namespace Game {

void TrSplineLine::Load(const std::string& text) {
    const std::vector<std::string> pieces = Pieces(text, ';');
    if (pieces.size() > 0)
        mSpeed = ReadSpeed(pieces[0]);
    if (pieces.size() > 1)
        mSpline.SetClosedFlag(ReadInt(pieces[1]) == 1);
    if (pieces.size() > 2) {
        const std::vector<std::string> coordinates = Pieces(pieces[2], ',');
        // An odd last coordinate has no partner and is dropped. The curve
        // is built once, as adding each point in turn would leave it.
        for (size_t i = 0; i + 1 < coordinates.size(); i += 2)
            mSpline.AppendPoint({ReadInt(coordinates[i]), ReadInt(coordinates[i + 1])});
    }
    mSpline.Rebuild();
}

void TrSplineLine::ToString(std::string& out) const {
    out = FormatSpeed(mSpeed) + (mSpline.IsClosed() ? ";1;" : ";0;");
    char text[32];
    for (int i = 0; i < mSpline.GetPointCount(); ++i) {
        const TrIntPoint p = mSpline.GetPoint(i);
        std::snprintf(text, sizeof(text), "%d,%d,", p.x, p.y);
        out += text;
    }
}

} // namespace Game
