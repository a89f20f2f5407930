#include "random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<float> Draw(RandomSource& source, int count) {
    std::vector<float> values;
    for (int i = 0; i < count; ++i) values.push_back(NextRandom(source));
    return values;
}

TEST(RandomSource, ValuesStayInTheUnitIntervalAsFloats) {
    RandomSource source;
    float lowest = 1, highest = 0;
    for (float v : Draw(source, 200000)) lowest = std::min(lowest, v), highest = std::max(highest, v);
    EXPECT_GE(lowest, 0.0f);
    EXPECT_LT(highest, 1.0f);
    EXPECT_GT(highest, 0.999f);  // spread over the whole interval
    EXPECT_LT(lowest, 0.001f);
}

TEST(RandomSource, FixedStartAndKeyedReseeding) {
    RandomSource a, b;
    EXPECT_EQ(Draw(a, 5), Draw(b, 5));  // the same sequence after every start

    Draw(a, 17);  // whatever came before
    const float first = NextRandom(a, -3);
    const float again = NextRandom(b, -3);
    EXPECT_EQ(first, again);
    EXPECT_EQ(Draw(a, 10), Draw(b, 10));

    RandomSource c;
    EXPECT_NE(NextRandom(c, -4), NextRandom(b, -3));
}

TEST(RandomSource, DistinctKeysStartDistinctSequences) {
    std::vector<std::vector<float>> sequences;
    for (int key = -1; key >= -21; --key) {
        RandomSource s;
        std::vector<float> seq{NextRandom(s, std::int16_t(key))};
        for (float v : Draw(s, 3)) seq.push_back(v);
        for (const auto& other : sequences) EXPECT_NE(seq, other);
        sequences.push_back(seq);
    }
}

}  // namespace
