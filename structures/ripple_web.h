#pragma once

#include "float_loop.h"

// The radii a Web spoke walks at angle theta: out to its end radius, which
// swings with the angle so that some spokes get one or two points fewer.
FloatRange WebSpokeRadii(float theta);
