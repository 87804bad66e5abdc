#include "tools/preview/preview_options.h"

#include <charconv>
#include <filesystem>

namespace Kavo {

namespace {

std::string FromStartFolder(const std::string& path, const std::string& startFolder) {
    std::filesystem::path full(path);
    if (full.is_relative())
        full = std::filesystem::path(startFolder) / full;
    return full.lexically_normal().string();
}

bool ReadFrameCount(const std::string& text, int& frames) {
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, frames);
    return status == std::errc() && stop == end && frames > 0;
}

} // namespace

std::string PreviewUsage() {
    return "usage: kavo-preview [--pak FILE] [--out FILE] [--frames N]\n"
           "\n"
           "Opens a 1024x768 window and draws a sample board from the archive, animated,\n"
           "with a marker at the mouse. Escape or closing the window ends it and prints\n"
           "the loop's statistics; Alt+Enter toggles full screen. Without a display it\n"
           "draws one frame headless and writes it as a PNG.\n"
           "\n"
           "  --pak FILE    the archive to show (default: main.pak)\n"
           "  --out FILE    where the picture of the last frame goes (default headless:\n"
           "                preview.png; in a window: only when given or with --frames)\n"
           "  --frames N    end after N updates and write the last frame shown\n"
           "  --help        print this and exit\n"
           "\n"
           "Relative paths are taken from the folder the program was started in.\n"
           "KAVO_VIDEO_DRIVER=headless forces the headless mode.\n";
}

PreviewCommand ParsePreviewOptions(int argc, const char* const* argv, const std::string& startFolder,
                                   PreviewOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--help" || flag == "-h")
            return PreviewCommand::Help;
        if (flag != "--pak" && flag != "--out" && flag != "--frames") {
            error = "unknown option \"" + flag + "\"";
            return PreviewCommand::Error;
        }
        if (i + 1 >= argc) {
            error = flag + " needs a value";
            return PreviewCommand::Error;
        }
        const std::string value = argv[++i];
        if (flag == "--frames") {
            if (!ReadFrameCount(value, options.frames)) {
                error = "--frames needs a whole number above zero, not \"" + value + "\"";
                return PreviewCommand::Error;
            }
        } else if (value.empty()) {
            error = flag + " needs a value";
            return PreviewCommand::Error;
        } else {
            (flag == "--pak" ? options.pak : options.out) = FromStartFolder(value, startFolder);
        }
    }
    options.pak = FromStartFolder(options.pak, startFolder);
    return PreviewCommand::Run;
}

} // namespace Kavo
