#pragma once
// A box nobody clicks, as SDL's X11 box is shown: a forked process waits
// (forever) while the caller waits for it; with what a test needs to find
// that process and see it end.

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace test_support {

// Forks the box's process, which writes its number to `told` and waits;
// gives its wait status once it has ended.
inline int WaitingBox(int told) {
    const pid_t box = fork();
    if (box == 0) {
        const pid_t self = getpid();
        (void)!write(told, &self, sizeof self);
        for (;;)
            pause();
    }
    int status = 0;
    while (waitpid(box, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// The number a box's process wrote to `from`, or 0 when none came.
inline pid_t ReadBoxNumber(int from) {
    pollfd ready{from, POLLIN, 0};
    pid_t number = 0;
    if (poll(&ready, 1, 20000) != 1 || read(from, &number, sizeof number) != sizeof number)
        return 0;
    return number;
}

inline int OpenProcess(pid_t pid) {
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

// Whether the process of the descriptor ends, waiting for an end that must
// come; one that does not is killed, so that no test is left waiting.
inline bool ProcessEnds(int process) {
    pollfd ended{process, POLLIN, 0};
    if (poll(&ended, 1, 20000) == 1)
        return true;
    syscall(SYS_pidfd_send_signal, process, SIGKILL, nullptr, 0);
    return false;
}

} // namespace test_support
