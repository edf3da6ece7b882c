#include "core/callback_errors.h"

namespace {
std::exception_ptr g_error;
}

void KeepCallbackError(std::exception_ptr error) {
    if (!g_error) g_error = error;  // the first error explains the rest
}

void RethrowCallbackError() {
    if (!g_error) return;
    std::exception_ptr error = g_error;
    g_error = nullptr;
    std::rethrow_exception(error);
}
