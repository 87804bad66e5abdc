#include "tools/sample_content/content_files.h"

#include <cstdio>

#include "platform/file_system.h"

namespace Kavo::SampleContent {

bool WriteContentFile(const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos)
        platform::MakeDirectories(path.substr(0, slash));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool WriteContentFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteContentFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char chr : text) {
        if (chr == '\n')
            out += '\r';
        out += chr;
    }
    return out;
}

std::string FlyInDialogMain(int id, int width, int height, int centreY) {
    std::string text = "[Main]\n";
    if (id != 0)
        text += "ID=" + std::to_string(id) + "\n";
    text += "Modal=1\nBeginX=512\nBeginY=-300\nEndX=512\nEndY=1100\nSpeed=40\n";
    text +=
        "Position=512," + std::to_string(centreY) + "," + std::to_string(width) + "," + std::to_string(height) + "\n";
    return text;
}

std::string WrappedTextSection(const std::string& name, const std::string& caption, int x, int y, int width,
                               int height) {
    std::string text = "[" + name +
                       "]\nType=Link\nFont=FONT_DEFAULT\nColor=0xFFFFFF\nOverColor=0xFFFFFF\nAlign=1\n"
                       "WrappedDraw=1\n";
    if (!caption.empty())
        text += "Caption=" + caption + "\n";
    return text + "Position=" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "," +
           std::to_string(height) + "\n";
}

} // namespace Kavo::SampleContent
