// The preview pane's integer arithmetic.

#include "topics/PreviewLayout.h"

#include <gtest/gtest.h>

using namespace marbelo;

TEST(PreviewLayout, SlideKeepsItsProportionAtThePaneWidth)
{
    struct Case { QSize pane; QSize picture; QRect image; };
    const Case cases[] = {
        {{366, 447}, {800, 600}, {10, 94, 346, 259}},
        {{366, 200}, {800, 600}, {10, -29, 346, 259}}, // taller than the pane: cut equally
        {{366, 447}, {1024, 768}, {10, 94, 346, 259}},
        {{20, 100}, {800, 600}, {10, 50, 0, 0}},
        {{221, 100}, {3, 1}, {10, 16, 201, 67}},       // 67 = 201 / 3 and 16 = 33 / 2, truncated
    };
    for (const Case &c : cases) {
        const PreviewLayout layout = layoutPreview(c.pane, true, c.picture);
        EXPECT_EQ(layout.image, c.image) << c.pane.width() << "x" << c.pane.height();
        EXPECT_EQ(layout.labelWidth, 0);
    }
}

TEST(PreviewLayout, TitleLabelsStandCentredOnTheMiddleLabel)
{
    const PreviewLayout layout = layoutPreview({366, 447}, false, {800, 600});
    EXPECT_TRUE(layout.image.isEmpty());
    EXPECT_EQ(layout.image, QRect(0, 0, 0, 0));
    EXPECT_EQ(layout.labelWidth, 366);
    EXPECT_EQ(layout.labelTop[0], 102);
    EXPECT_EQ(layout.labelTop[1], 183);
    EXPECT_EQ(layout.labelTop[2], 264);
    // The labels are placed the same way while a slide shows.
    EXPECT_EQ(layoutPreview({366, 447}, true, {800, 600}).labelTop[1], 183);
    // A pane lower than a label gives negative tops, truncated toward zero.
    EXPECT_EQ(layoutPreview({100, 40}, false, {}).labelTop[1], -20);
}

TEST(PreviewLayout, NoPictureShowsNothingEvenWhenFlaggedShown)
{
    const PreviewLayout layout = layoutPreview({366, 447}, true, QSize());
    EXPECT_EQ(layout.labelWidth, 366);
}
