#include "game/effects/tr_line.h"

#include "engine/base/string_tools.h"
#include "framework/util/string_util.h"
#include "game/effects/tr_oval_line.h"
#include "game/effects/tr_poly_line.h"
#include "game/effects/tr_rect_line.h"
#include "game/effects/tr_spline.h"
#include "game/effects/tr_spline_line.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Game {

double TrLine::WrapDistance(double d, double total) {
    if (!(total > 0) || !std::isfinite(total) || !std::isfinite(d))
        return 0.0;
    double distance = std::fmod(d, total);
    if (distance < 0)
        distance += total;
    return distance;
}

std::vector<std::string> TrLine::Pieces(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    com_string::Split(text.c_str(), separator, pieces);
    return pieces;
}

float TrLine::ReadSpeed(const std::string& piece) {
    double value = 0;
    if (!Kavo::StringToDouble(piece, &value))
        return 0.0f;
    const float speed = static_cast<float>(value);
    return std::isfinite(speed) ? speed : 0.0f;
}

int TrLine::ReadInt(const std::string& piece) {
    size_t i = 0;
    while (i < piece.size() && std::isspace(static_cast<unsigned char>(piece[i])))
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '-' || piece[i] == '+'))
        negative = piece[i++] == '-';
    long long value = 0;
    for (; i < piece.size() && std::isdigit(static_cast<unsigned char>(piece[i])); ++i) {
        value = value * 10 + (piece[i] - '0');
        if (value > kCoordinateLimit)
            value = kCoordinateLimit;
    }
    return static_cast<int>(negative ? -value : value);
}

std::string TrLine::FormatSpeed(float speed) {
    char text[64];
    std::snprintf(text, sizeof(text), "%f", static_cast<double>(speed));
    return text;
}

int TrLine::Clamp(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -kCoordinateLimit, kCoordinateLimit));
}

int TrLine::Span(int a, int b) {
    return Clamp(std::llabs(static_cast<long long>(a) - b));
}

void TrLine::MoveAlong(const TrSpline& spline, float t) {
    mT = t;
    if (!std::isfinite(t))
        return;
    const double total = spline.GetLength();
    const TrIntPoint p = spline.PointAtDistance(static_cast<float>(WrapDistance(total * mSpeed * t, total)));
    mX = p.x;
    mY = p.y;
}

TrLine* CreateTrLine(int type) {
    switch (type) {
    case 0:
        return new TrSplineLine();
    case 1:
        return new TrOvalLine();
    case 2:
        return new TrRectLine();
    case 3:
        return new TrPolyLine();
    default:
        return nullptr;
    }
}

void TrLine::LoadSpeedAndBox(const std::string& text, int& centerX, int& centerY, int& width, int& height) {
    const std::vector<std::string> pieces = Pieces(text, ',');
    if (pieces.size() > 0)
        mSpeed = ReadSpeed(pieces[0]);
    if (pieces.size() > 1)
        centerX = ReadInt(pieces[1]);
    if (pieces.size() > 2)
        centerY = ReadInt(pieces[2]);
    if (pieces.size() > 3)
        width = std::max(0, ReadInt(pieces[3]));
    if (pieces.size() > 4)
        height = std::max(0, ReadInt(pieces[4]));
}

std::string TrLine::SpeedAndBoxText(int centerX, int centerY, int width, int height) const {
    char text[96];
    std::snprintf(text, sizeof(text), ",%d,%d,%d,%d", centerX, centerY, width, height);
    return FormatSpeed(mSpeed) + text;
}

} // namespace Game
