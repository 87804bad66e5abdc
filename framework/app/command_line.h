#pragma once
// The one command-line string of the process and its options. The program
// gets its arguments split; they are joined back into one line (the program
// name quoted, arguments with spaces wrapped in quotes) so that every
// option goes through the same state machine.

#include <functional>
#include <string>
#include <vector>

namespace Kavo {

std::string JoinCommandLine(const std::vector<std::string>& args);

// What follows the program name: after its closing quote when it starts
// with one, then after the first space. Empty when there are no options.
std::string CommandLineOptions(const std::string& commandLine);

// Calls `handle(name, value)` for each option of name or name=value form.
// Quotes group text (and end an option when they close); '=' switches to
// the value and stays switched until an option with a name ends.
void SplitCommandLineOptions(const std::string& text,
                             const std::function<void(const std::string&, const std::string&)>& handle);

// Whether a demo file name already says where it lives: a drive letter, a
// folder right after two characters, or an absolute path here.
bool IsDemoPathAnchored(const std::string& name);

// The distinct numbers of the demos named prefix + number + ".dmo" in the
// folder of `prefix` (the current folder without one), ascending.
std::vector<int> FindDemoNumbers(const std::string& prefix);

} // namespace Kavo
