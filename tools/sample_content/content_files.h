#pragma once
// Writing the sample content's files: each written whole, its folders made
// first.

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo::SampleContent {

bool WriteContentFile(const std::string& path, const std::string& bytes);
bool WriteContentFile(const std::string& path, const std::vector<uint8_t>& bytes);

// The game's text data files end their lines with CR LF: each "\n" of
// `text` becomes "\r\n".
std::string WithCrLf(const std::string& text);

// The "[Main]" section of a modal dialog that flies in from above, rests
// centred at (512, centreY) with this size, and flies out below; an id of
// 0 writes no "ID" (the dialog keeps the one it is made with).
std::string FlyInDialogMain(int id, int width, int height, int centreY = 384);

// A layout's text control of its own look: white, centred and wrapped to its
// rectangle. An empty caption leaves the text to the dialog.
std::string WrappedTextSection(const std::string& name, const std::string& caption, int x, int y, int width,
                               int height);

} // namespace Kavo::SampleContent
