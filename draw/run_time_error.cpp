#include "run_time_error.h"

void RaiseFloatingPointError() {
    throw RunTimeError(ErrorKind::FloatingPoint, "Floating-point error: a result is infinite or not a number");
}

void RaiseOverflow() { throw RunTimeError(ErrorKind::Overflow, "Overflow: a value does not fit a 16-bit integer"); }

void RaiseIndexOutOfRange() { throw RunTimeError(ErrorKind::IndexOutOfRange, "Index out of range"); }

void RaiseOperationFailed(const std::string& what) { throw RunTimeError(ErrorKind::OperationFailed, what); }
