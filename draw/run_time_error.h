#pragma once

#include <stdexcept>
#include <string>

// The program's run-time errors. They travel as exceptions from the place a
// fault first shows up to the event handler (or command) that started the work.
enum class ErrorKind { FloatingPoint, Overflow, IndexOutOfRange, OperationFailed };

struct RunTimeError : std::runtime_error {
    ErrorKind kind;
    RunTimeError(ErrorKind k, const std::string& message) : std::runtime_error(message), kind(k) {}
};

[[noreturn]] void RaiseFloatingPointError();
[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseIndexOutOfRange();
[[noreturn]] void RaiseOperationFailed(const std::string& what);
