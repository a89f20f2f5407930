#include "segments_csv.h"

#include <gtest/gtest.h>

namespace {

TEST(SegmentsCsv, OneRowPerSegmentInOrderWithPointsScreenAndColour) {
    SegmentLog log;
    EXPECT_EQ(SegmentsCsvText(log), "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n");
    log.push_back({MakeVec(0.5f, -0.25f, 1), MakeVec(0.1f, 0, -0.0f), 0.125f, -0.75f, 3, 4, Rgb{255, 0, 7}});
    log.push_back({MakeVec(1, 2, 3), MakeVec(4, 5, 6), 7, 8, 9, 10, Rgb{11, 12, 13}});
    EXPECT_EQ(SegmentsCsvText(log),
              "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n"
              "0.5,-0.25,1,0.1,0,-0,0.125,-0.75,3,4,255,0,7\n"
              "1,2,3,4,5,6,7,8,9,10,11,12,13\n");
}

}  // namespace
