#pragma once

#include <ostream>
#include <string>

#include "segment_log.h"

inline constexpr const char* SegmentsCsvHeader = "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b";

// One line per DrawSegment call, in drawing order, after the header.
void WriteSegmentsCsv(std::ostream& out, const SegmentLog& log);
std::string SegmentsCsvText(const SegmentLog& log);
