#pragma once
// A box shown from a process of its own. SDL's X11 box forks a copy of the
// program that draws the box while the calling thread waits for it (on
// Wayland the copy runs a box program). That process must never outlive the
// program, must not answer the signals sent to it with the program's own
// handlers, and a request to end the program must not wait for a click.
//
// RunBoxProcess runs `show`, which forks the box's process from the calling
// thread and waits for it. Every process forked meanwhile on that thread
// dies with the program (the kernel kills it when the program goes, and it
// ends at once when the program has already gone), takes the system's
// default for the signals the program handles, and is known by a process
// descriptor, so that EndBoxProcesses can end it without ever signalling
// another process that took its number. Boxes on other threads are shown
// and guarded alike.

#include <functional>

namespace platform {

// `show`'s result; -1 when the program is ending (`show` is not run then), or
// ended while the box was shown (its process was killed).
int RunBoxProcess(const std::function<int()>& show);

// The program is ending: the boxes being shown close, as their processes are
// killed, and later ones are not shown at all. From any thread, for the rest
// of the run.
void EndBoxProcesses();

} // namespace platform
