#pragma once

#include <optional>

#include "run_time_error.h"

// The kind of run-time error `f` raised, or nothing when it ran through.
template <class F>
std::optional<ErrorKind> RaisedKind(F&& f) {
    try {
        f();
    } catch (const RunTimeError& e) {
        return e.kind;
    }
    return std::nullopt;
}
