// tests/s/gui/win/FrameHitTestTest.cpp
//
// The hand-made frame of a drawer-painted window: borders and corners at scales 1 and 2.
#include "s/gui/win/FrameHitTest.h"

#include <gmock/gmock.h>

namespace s::gui::win {
namespace {

TEST(FrameHitTestTest, BordersAndCornersByScale) {
    struct Case {
        int32_t scale, x, y;
        LRESULT want;
    };
    // A 200 x 100 window: border 5 (10 at scale 2), corner length 30 (60); at scale 2
    // every point of a side edge is near the top, which wins.
    const Case cases[] = {
        {1, 100, 50, HTCLIENT},     {1, 199, 50, HTRIGHT},       {1, 195, 50, HTRIGHT},
        {1, 194, 50, HTCLIENT},     {1, 0, 50, HTLEFT},          {1, 4, 50, HTLEFT},
        {1, 5, 50, HTCLIENT},       {1, 100, 0, HTTOP},          {1, 100, 99, HTBOTTOM},
        {1, 0, 0, HTTOPLEFT},       {1, 29, 0, HTTOPLEFT},       {1, 30, 0, HTTOP},
        {1, 199, 0, HTTOPRIGHT},    {1, 199, 29, HTTOPRIGHT},    {1, 199, 30, HTRIGHT},
        {1, 0, 99, HTBOTTOMLEFT},   {1, 199, 99, HTBOTTOMRIGHT}, {1, 170, 99, HTBOTTOMRIGHT},
        {1, 169, 99, HTBOTTOM},     {1, 200, 50, HTCLIENT},      {1, -1, 50, HTCLIENT},
        {2, 190, 50, HTTOPRIGHT},   {2, 189, 50, HTCLIENT},      {2, 9, 50, HTTOPLEFT},
        {2, 59, 0, HTTOPLEFT},      {2, 60, 0, HTTOP},           {2, 199, 40, HTTOPRIGHT},
        {2, 100, 90, HTBOTTOM},     {2, 100, 89, HTCLIENT},      {0, 4, 50, HTLEFT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "scale " << c.scale << " at " << c.x << "," << c.y);
        EXPECT_EQ(c.want, frameHitTest(c.x, c.y, 200, 100, c.scale, HTCLIENT));
    }
}

}  // namespace
}  // namespace s::gui::win
