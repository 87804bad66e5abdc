#include "framework/app/command_line.h"

#include <cstdlib>
#include <set>

#include "framework/util/path_util.h"
#include "platform/file_system.h"

namespace Kavo {

std::string JoinCommandLine(const std::vector<std::string>& args) {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            line += ' ';
        if (i == 0 || args[i].find(' ') != std::string::npos)
            line += '"' + args[i] + '"';
        else
            line += args[i];
    }
    return line;
}

std::string CommandLineOptions(const std::string& commandLine) {
    size_t from = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t quote = commandLine.find('"', 1);
        if (quote == std::string::npos)
            return {};
        from = quote + 1;
    }
    const size_t space = commandLine.find(' ', from);
    return space == std::string::npos ? std::string() : commandLine.substr(space + 1);
}

void SplitCommandLineOptions(const std::string& text,
                             const std::function<void(const std::string&, const std::string&)>& handle) {
    std::string name;
    std::string value;
    bool inQuotes = false;
    bool afterEquals = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        bool ended = false;
        if (c == '"') {
            inQuotes = !inQuotes;
            ended = !inQuotes;
        } else if (c == ' ' && !inQuotes) {
            ended = true;
        } else if (c == '=') {
            afterEquals = true;
        } else if (afterEquals) {
            value += c;
        } else {
            name += c;
        }
        if ((ended || i + 1 == text.size()) && !name.empty()) {
            handle(name, value);
            name.clear();
            value.clear();
            afterEquals = false;
        }
    }
}

bool IsDemoPathAnchored(const std::string& name) {
    if (!name.empty() && name[0] == '/')
        return true;
    if (name.size() < 2)
        return false;
    return name[1] == ':' || (name.size() > 2 && name[2] == '\\');
}

std::vector<int> FindDemoNumbers(const std::string& prefix) {
    const std::string base = GetFileName(prefix);
    std::set<int> numbers;
    for (const platform::FoundFile& found : platform::FindFiles(prefix + "*.dmo")) {
        const std::string& name = found.name;
        if (name.size() <= base.size() + 4 || name.compare(0, base.size(), base) != 0)
            continue;
        const std::string digits = name.substr(base.size(), name.size() - base.size() - 4);
        char* end = nullptr;
        const long number = std::strtol(digits.c_str(), &end, 10);
        if (end == digits.c_str() || *end != '\0')
            continue;
        numbers.insert(static_cast<int>(number));
    }
    return {numbers.begin(), numbers.end()};
}

} // namespace Kavo
