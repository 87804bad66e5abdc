#pragma once
// A 3D renderer that draws nothing and records which of its drawing
// operations the display image chose, with the arguments that tell the
// choices apart.

#include <string>
#include <vector>

#include "framework/graphics/d3d_interface.h"

namespace display_test {

struct RendererCall {
    std::string name;
    bool flag = false; // linear filter (Blt), mirror (StretchBlt), centre (BltTransformed)
    float x = 0;
    float y = 0;
};

class RecordingRenderer : public Kavo::D3DInterface {
public:
    std::vector<RendererCall> calls;
    bool transformStackEmpty = true;

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const RendererCall& call : calls)
            names.push_back(call.name);
        return names;
    }

    void FillPoly(const Kavo::Point*, int, const Kavo::IntRect&, const Kavo::Color&, int, int, int) override {
        calls.push_back({"FillPoly"});
    }
    void FillRect(const Kavo::IntRect&, const Kavo::Color&, int) override { calls.push_back({"FillRect"}); }
    void DrawLine(double, double, double, double, const Kavo::Color&, int) override { calls.push_back({"DrawLine"}); }
    void Blt(Kavo::Image*, float x, float y, const Kavo::IntRect&, const Kavo::Color&, int, bool linear) override {
        calls.push_back({"Blt", linear, x, y});
    }
    void BltClipF(Kavo::Image*, float x, float y, const Kavo::IntRect&, const Kavo::IntRect&, const Kavo::Color&,
                  int) override {
        calls.push_back({"BltClipF", false, x, y});
    }
    void BltMirror(Kavo::Image*, float x, float y, const Kavo::IntRect&, const Kavo::Color&, int) override {
        calls.push_back({"BltMirror", false, x, y});
    }
    void StretchBlt(Kavo::Image*, const Kavo::IntRect&, const Kavo::IntRect&, const Kavo::IntRect&, const Kavo::Color&,
                    int, bool, bool mirror) override {
        calls.push_back({"StretchBlt", mirror});
    }
    void BltRotated(Kavo::Image*, float x, float y, const Kavo::IntRect&, const Kavo::Color&, int, double, float, float,
                    const Kavo::IntRect&) override {
        calls.push_back({"BltRotated", false, x, y});
    }
    void BltTransformed(Kavo::Image*, const Kavo::Matrix3x3&, const Kavo::IntRect&, const Kavo::Color&, int,
                        const Kavo::IntRect&, bool, float x, float y, bool center) override {
        calls.push_back({"BltTransformed", center, x, y});
    }
    void DrawTrianglesTex(const Kavo::TriVertex (*)[3], int, const Kavo::Color&, int, Kavo::Image*, float x, float y,
                          bool) override {
        calls.push_back({"DrawTrianglesTex", false, x, y});
    }
    bool TransformStackEmpty() const override { return transformStackEmpty; }
};

} // namespace display_test
