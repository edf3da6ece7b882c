#pragma once
// Window callbacks run inside GLFW's C code during the event poll. An exception
// must not unwind through those C frames, so each callback runs its body through
// GuardCallback, which keeps the first exception; the frame loop rethrows it
// right after the poll, where it reaches the crash report like any other.
#include <exception>
#include <utility>

void KeepCallbackError(std::exception_ptr error);
// Rethrows (and forgets) the kept exception, if any.
void RethrowCallbackError();

template <class F>
void GuardCallback(F&& body) {
    try {
        std::forward<F>(body)();
    } catch (...) {
        KeepCallbackError(std::current_exception());
    }
}
