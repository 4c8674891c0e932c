// tests/s/image/filters/convolution/ConvolutionTest.cpp
//
// The 3 x 3 kernel: the edge rule for each neighbour, the in-place order (filtered neighbours
// above and to the left), clamping, truncating division, and the guards against a zero sum.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "s/image/filters/convolution/Convolution.h"
#include "support/Pooled.h"

namespace {

using s::image::filters::convolution::Convolution;
using s::image::filters::convolution::newConvolution;
using tests::Pooled;

// Grey opaque pixels: the four bytes all carry the value but alpha stays 255.
uint32_t grey(uint32_t v) { return 0xFF000000u | v * 0x010101u; }

// Runs one kernel of a single weight 1 at position k over a picture given by rows from the top.
std::vector<uint32_t> picked(int k, std::vector<uint32_t> pixels, int32_t width, int32_t height) {
    int32_t weights[9] = {};
    weights[k] = 1;
    Pooled<Convolution> kernel(newConvolution(weights));
    std::vector<uint32_t*> rows;
    for (int32_t i = 0; i < height; ++i) rows.push_back(pixels.data() + i * width);
    kernel->apply(rows.data(), width, height);
    return pixels;
}

TEST(ConvolutionTest, ResetIsTheIdentityKernel) {
    Pooled<Convolution> kernel;
    const int32_t weights[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    kernel->setKernel(weights, 45);
    kernel->resetForReuse();
    for (int k = 0; k < 9; ++k) EXPECT_EQ(k == 4 ? 1 : 0, kernel->weights()[k]) << k;
    EXPECT_EQ(1, kernel->divisor());
}

TEST(ConvolutionTest, NewKernelDividesByTheSumOfItsWeights) {
    const int32_t weights[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    Pooled<Convolution> kernel(newConvolution(weights));
    ASSERT_NE(nullptr, kernel.get());
    EXPECT_EQ(16, kernel->divisor());
}

// Each row: which single neighbour is taken, the picture (a b / c d on 2 x 2, or p q r on 3 x 1)
// and what it becomes. The later pixels read the earlier ones after they were overwritten.
TEST(ConvolutionTest, EachNeighbourFollowsTheEdgeRuleInPlace) {
    const uint32_t a = grey(10), b = grey(20), c = grey(30), d = grey(40);
    struct Case {
        int k;
        int32_t width, height;
        std::vector<uint32_t> in, out;
    } cases[] = {
        {6, 2, 2, {a, b, c, d}, {c, c, c, c}},  // bottom-left of a first-column pixel is below it
        {8, 2, 2, {a, b, c, d}, {d, d, d, d}},
        {0, 2, 2, {a, b, c, d}, {a, a, a, a}},  // top-left: already filtered, so a spreads
        {2, 2, 2, {a, b, c, d}, {b, b, b, b}},
        {5, 3, 1, {a, b, c}, {b, c, c}},        // right: not yet filtered
        {3, 3, 1, {a, b, c}, {a, a, a}},        // left: a buffered kernel would give a a b
        {1, 1, 3, {a, b, c}, {a, a, a}},        // above
        {7, 1, 3, {a, b, c}, {b, c, c}},        // below
    };
    for (const Case& t : cases) {
        EXPECT_EQ(t.out, picked(t.k, t.in, t.width, t.height)) << "neighbour " << t.k;
    }
}

TEST(ConvolutionTest, ResultsAreClampedAndDividedTowardZero) {
    struct Case {
        int32_t centre, divisor;
        uint32_t in, out;
    } cases[] = {
        {2, 1, 200, 255}, {-1, 1, 200, 0}, {1, 2, 255, 127}, {3, 4, 101, 75}, {1, 1, 77, 77},
    };
    for (const Case& t : cases) {
        Pooled<Convolution> kernel;
        const int32_t weights[9] = {0, 0, 0, 0, t.centre, 0, 0, 0, 0};
        kernel->setKernel(weights, t.divisor);
        uint32_t pixel = t.in * 0x01010101u;
        uint32_t* rows[1] = {&pixel};
        kernel->apply(rows, 1, 1);
        EXPECT_EQ(t.out * 0x01010101u, pixel) << t.centre << "/" << t.divisor << " of " << t.in;
    }
}

TEST(ConvolutionTest, ZeroOrNegativeDivisorAndEmptySizesChangeNothing) {
    const int32_t edges[9] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
    Pooled<Convolution> kernel(newConvolution(edges));
    ASSERT_EQ(0, kernel->divisor());
    std::vector<uint32_t> pixels = {grey(1), grey(200), grey(3), grey(90)};
    const std::vector<uint32_t> before = pixels;
    uint32_t* rows[2] = {pixels.data(), pixels.data() + 2};
    kernel->apply(rows, 2, 2);
    EXPECT_EQ(before, pixels);
    kernel->setKernel(edges, -4);
    kernel->apply(rows, 2, 2);
    EXPECT_EQ(before, pixels);
    kernel->setKernel(edges, 1);
    kernel->apply(rows, 0, 2);
    kernel->apply(rows, 2, 0);
    kernel->apply(nullptr, 2, 2);
    EXPECT_EQ(before, pixels);
}

}  // namespace
