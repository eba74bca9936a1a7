// Slides decoded into pictures of the size they are shown at.

#include "presentation/SlidePictures.h"
#include "store/components/Coding.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(SlidePictures, RenderedAtExactlyTheShownSize)
{
    const QByteArray wide = BCodeToStr(makeJpeg(400, 100, 0x20CC20));
    const struct
    {
        QSize box;
        SlideFit fit;
        QSize expected;
    } cases[] = {
        {{800, 600}, SlideFit::Stretch, {800, 600}},          // enlarged and stretched
        {{100, 300}, SlideFit::Stretch, {100, 300}},          // smaller, other proportions
        {{800, 600}, SlideFit::KeepProportions, {800, 200}},  // as wide as the box
        {{100, 300}, SlideFit::KeepProportions, {100, 25}},   // scaled down
        {{1000, 100}, SlideFit::KeepProportions, {400, 100}}, // as high as the box
    };
    for (const auto &c : cases) {
        const QImage picture = renderSlide(wide, c.box, c.fit);
        EXPECT_EQ(picture.size(), c.expected) << c.box.width() << "x" << c.box.height();
        EXPECT_EQ(QColor(picture.pixel(picture.width() / 2, picture.height() / 2)).green() > 150, true);
    }
}

TEST(SlidePictures, WhatCannotBeDecodedGivesNoPicture)
{
    const QByteArray good = BCodeToStr(makeJpeg(64, 48));
    const QByteArray cases[] = {QByteArray(), QByteArray(100, 'x'), good.left(good.size() / 2), good.left(4)};
    for (const QByteArray &coded : cases)
        EXPECT_TRUE(renderSlide(coded, QSize(80, 60), SlideFit::Stretch).isNull()) << coded.size();
    EXPECT_TRUE(renderSlide(good, QSize(), SlideFit::Stretch).isNull());
}

TEST(SlidePictures, PlacedCentredInTheBox)
{
    EXPECT_EQ(placeInBox(QSize(800, 200), QRect(0, 0, 800, 600)), QRect(0, 200, 800, 200));
    EXPECT_EQ(placeInBox(QSize(400, 600), QRect(0, 0, 800, 600)), QRect(200, 0, 400, 600));
    EXPECT_EQ(placeInBox(QSize(800, 600), QRect(0, 0, 800, 600)), QRect(0, 0, 800, 600));
}

TEST(SlidePictures, KeepsPicturesForOneScreenAndFit)
{
    int reads = 0;
    const QByteArray slide = BCodeToStr(makeJpeg(64, 48));
    SlidePictures pictures(
        [&](int index) {
            ++reads;
            return index == 2 ? QByteArray("broken") : slide;
        },
        4);
    pictures.setReadAhead(false);
    pictures.setScreen(QSize(320, 240), SlideFit::Stretch);
    EXPECT_EQ(pictures.picture(1).size(), QSize(320, 240));
    EXPECT_EQ(pictures.picture(1).size(), QSize(320, 240));
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(pictures.picture(2).isNull());
    EXPECT_TRUE(pictures.picture(4).isNull());
    EXPECT_TRUE(pictures.picture(-1).isNull());
    // Another fit drops what was made for the old one.
    pictures.setScreen(QSize(320, 240), SlideFit::KeepProportions);
    EXPECT_TRUE(pictures.readyPicture(1).isNull());
    EXPECT_EQ(pictures.picture(1).size(), QSize(320, 240));
    EXPECT_EQ(reads, 3);
    EXPECT_TRUE(pictures.idle());
}
