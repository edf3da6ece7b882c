#pragma once
// The boundary every exported lb_ function crosses. Scripts call exports through
// LuaJIT's FFI, and a C++ exception must never unwind through LuaJIT frames: the
// VM would either turn it into a script error (hiding a fatal condition behind a
// printed line) or corrupt its own state. So every export body runs inside
// Guarded, which hands any exception to the same crash path as the entry point:
// the message, the dialog, then exit with status 0 without running destructors.
//
//   extern "C" lb_vec2 lb_entity_get_pos(uint32_t index, uint32_t generation) {
//       return scripting::Guarded([&] { ... });
//   }
#include <exception>
#include <type_traits>

namespace scripting {

[[noreturn]] void CrashFromExport(const std::exception& error);
[[noreturn]] void CrashFromExportUnknown();

template <class F>
inline auto Guarded(F&& body) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (const std::exception& error) {
        CrashFromExport(error);
    } catch (...) {
        CrashFromExportUnknown();
    }
}

}  // namespace scripting
