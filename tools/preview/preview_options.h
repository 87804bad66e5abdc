#pragma once
// The command line of kavo-preview.

#include <string>

namespace Kavo {

struct PreviewOptions {
    std::string pak = "main.pak";
    std::string out; // empty: no picture in a window, "preview.png" headless
    int frames = 0;  // 0: until closed (one update headless)
};

enum class PreviewCommand { Run, Help, Error };

// The usage text, ending in a newline.
std::string PreviewUsage();

// Reads the options after the program name. Relative paths become absolute
// against `startFolder`, the folder the program was started in. On Error,
// `error` says which option is wrong.
PreviewCommand ParsePreviewOptions(int argc, const char* const* argv, const std::string& startFolder,
                                   PreviewOptions& options, std::string& error);

} // namespace Kavo
