#pragma once
// The program itself, run as a person runs it: build/kavo-game in a folder of
// its own (a link to the program beside its sound folders, and the sample
// "main.pak" when the test wants it), headless, with private home, data,
// settings and runtime folders, its output and error output kept in files.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"

extern char** environ;

namespace Game {

class ProgramChildTest : public app_test::AppTestEnvironment {
protected:
    struct Outcome {
        int status = -1; // as waitpid gives it; -1 when the program did not end in time
        std::string out;
        std::string err;
        bool ExitedWith(int code) const { return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == code; }
        bool KilledBy(int signal) const { return status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == signal; }
    };

    ProgramChildTest() {
        namespace fs = std::filesystem;
        fs::create_directories(ProgramFolder());
        fs::create_directories(Home());
        const fs::path built = KAVO_PROGRAM_FOLDER;
        const fs::path program = fs::path(ProgramFolder()) / "kavo-game";
        // A link, not a symbolic one: the program takes its folder from the
        // path it was started by, and must find this folder's files.
        std::error_code ec;
        fs::create_hard_link(built / "kavo-game", program, ec);
        if (ec)
            fs::copy_file(built / "kavo-game", program);
        for (const char* folder : {"sounddescr", "sounds"})
            fs::create_directory_symlink(built / folder, fs::path(ProgramFolder()) / folder);
    }

    std::string ProgramFolder() { return Platform().Folder() + "/program"; }
    std::string Home() { return Platform().Folder() + "/home"; }
    void LinkArchive() {
        std::filesystem::create_symlink(std::filesystem::path(KAVO_PROGRAM_FOLDER) / "main.pak",
                                        ProgramFolder() + "/main.pak");
    }

    // Starts the program with these options; Wait() collects it.
    pid_t Start(const std::vector<std::string>& options) {
        std::vector<std::string> args{ProgramFolder() + "/kavo-game"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<std::string> env;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string text = *entry;
            const bool private_ = text.rfind("HOME=", 0) == 0 || text.rfind("XDG_", 0) == 0 ||
                                  text.rfind("KAVO_", 0) == 0 || text.rfind("DISPLAY=", 0) == 0 ||
                                  text.rfind("WAYLAND_DISPLAY=", 0) == 0 || text.rfind("ASAN_OPTIONS=", 0) == 0;
            if (!private_)
                env.push_back(text);
        }
        // The fatal paths end the process through exit() without unwinding,
        // as they are meant to; what these runs look at is how the program
        // ends, not what it still holds then. The sanitizer's other options stay.
        const char* sanitizer = std::getenv("ASAN_OPTIONS");
        env.push_back(std::string("ASAN_OPTIONS=") + (sanitizer != nullptr ? sanitizer : "") +
                      (sanitizer != nullptr && *sanitizer != '\0' ? ":" : "") + "detect_leaks=0");
        for (const char* kind : {"VIDEO", "AUDIO", "DESKTOP"})
            env.push_back(std::string("KAVO_") + kind + "_DRIVER=headless");
        env.push_back("HOME=" + Home());
        env.push_back("XDG_DATA_HOME=" + Home() + "/data");
        env.push_back("XDG_CONFIG_HOME=" + Home() + "/config");
        env.push_back("KAVO_RUNTIME_DIR=" + RuntimeFolder());
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        const std::string outPath = OutPath();
        const std::string errPath = ErrPath();
        const pid_t child = fork();
        if (child == 0) {
            const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, 1);
            dup2(err, 2);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        return child;
    }

    // The program's end (killed after `seconds`), with what it wrote.
    Outcome Wait(pid_t child, int seconds = 60) {
        Outcome outcome;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        int status = 0;
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                status = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        outcome.status = status;
        platform::ReadWholeFile(OutPath(), outcome.out);
        platform::ReadWholeFile(ErrPath(), outcome.err);
        return outcome;
    }
    Outcome Run(const std::vector<std::string>& options) { return Wait(Start(options)); }

    // Waits until the running program has written `text` to its output.
    bool WaitForOutput(const std::string& text, int seconds = 30) {
        std::string out;
        for (int i = 0; i < seconds * 100; ++i) {
            platform::ReadWholeFile(OutPath(), out);
            if (out.find(text) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Every file under `root` whose name ends in `suffix`.
    static std::vector<std::string> FilesEndingIn(const std::string& root, const std::string& suffix) {
        std::vector<std::string> found;
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            const std::string name = it->path().string();
            if (it->is_regular_file() && name.size() >= suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                found.push_back(name);
        }
        return found;
    }

private:
    std::string OutPath() { return Platform().Folder() + "/out.txt"; }
    std::string ErrPath() { return Platform().Folder() + "/err.txt"; }
};

} // namespace Game
