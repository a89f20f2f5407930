#pragma once

#include "numbers.h"

// A counted loop over a float: runs while the counter is not above the end
// (read once), then adds the step and stores the sum as a float. The pass
// counts of every structure follow from this accumulation.
struct FloatRange {
    float start, end, step;
};

template <class Body>
void ForFloat(FloatRange range, Body&& body) {
    const float end = range.end;
    for (float counter = range.start; counter <= end; counter = StoreFloat(double(counter) + range.step)) body(counter);
}
