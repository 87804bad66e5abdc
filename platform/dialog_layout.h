#pragma once
// A small fixed-layout dialog described as data: a caption, a client area
// and its controls in client coordinates. The presenter that shows it
// decides how (a real window, or a record in a headless run).

#include <string>
#include <vector>

namespace platform {

struct DialogControl {
    enum class Kind { Label, TextBox, Button };
    Kind kind = Kind::Label;
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string font; // face and size, e.g. "Arial 9 bold"
    bool border = false;
    bool verticalScroll = false;
    bool readOnly = true;
    bool isDefault = false;
    bool enabled = true;
};

struct DialogLayout {
    std::string className;
    std::string caption;
    int x = 0;
    int y = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<DialogControl> controls;
};

} // namespace platform
