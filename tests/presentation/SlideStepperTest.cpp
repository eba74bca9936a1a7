// Stepping through the preview's slides and what keys and buttons ask for.

#include "presentation/SlideStepper.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace marbelo;

TEST(SlideStepper, StepsOneAtATimeAndStopsAtBothEnds)
{
    SlideStepper stepper(3);
    EXPECT_EQ(stepper.current(), 0);
    EXPECT_FALSE(stepper.previous());
    EXPECT_EQ(stepper.current(), 0);
    EXPECT_TRUE(stepper.next());
    EXPECT_TRUE(stepper.next());
    EXPECT_EQ(stepper.current(), 2);
    EXPECT_FALSE(stepper.next());
    EXPECT_EQ(stepper.current(), 2);
    EXPECT_TRUE(stepper.previous());
    EXPECT_EQ(stepper.current(), 1);
}

TEST(SlideStepper, SingleAndNoSlideNeverMove)
{
    for (const int count : {1, 0, -2}) {
        SlideStepper stepper(count);
        EXPECT_EQ(stepper.count(), count < 0 ? 0 : count);
        EXPECT_FALSE(stepper.next());
        EXPECT_FALSE(stepper.previous());
        EXPECT_EQ(stepper.current(), 0);
    }
}

TEST(SlideStepper, JumpsToFirstLastAndNumberedSlidesWithinBounds)
{
    const struct
    {
        const char *what;
        int from;
        std::function<bool(SlideStepper &)> jump;
        bool moved;
        int to;
    } cases[] = {
        {"first", 3, [](SlideStepper &s) { return s.first(); }, true, 0},
        {"first at first", 0, [](SlideStepper &s) { return s.first(); }, false, 0},
        {"last", 1, [](SlideStepper &s) { return s.last(); }, true, 4},
        {"last at last", 4, [](SlideStepper &s) { return s.last(); }, false, 4},
        {"goTo inside", 0, [](SlideStepper &s) { return s.goTo(3); }, true, 3},
        {"goTo same", 2, [](SlideStepper &s) { return s.goTo(2); }, false, 2},
        {"goTo past end", 2, [](SlideStepper &s) { return s.goTo(5); }, false, 2},
        {"goTo negative", 2, [](SlideStepper &s) { return s.goTo(-1); }, false, 2},
    };
    for (const auto &c : cases) {
        SlideStepper stepper(5);
        stepper.goTo(c.from);
        EXPECT_EQ(c.jump(stepper), c.moved) << c.what;
        EXPECT_EQ(stepper.current(), c.to) << c.what;
    }
    SlideStepper none(0);
    EXPECT_FALSE(none.first());
    EXPECT_FALSE(none.last());
    EXPECT_EQ(none.current(), 0);
}

TEST(SlideNumberEntry, TypedDigitsNameAOneBasedSlide)
{
    const struct
    {
        std::vector<int> digits;
        QString shown;
        int slide;
    } cases[] = {
        {{}, "", -1},
        {{3}, "3", 2},
        {{1, 2}, "12", 11},
        {{0}, "0", -1},
        {{0, 7}, "07", 6},
        {{9, 9, 9, 9, 9, 9, 9, 9}, "999999", 999998}, // digits past six are ignored
        {{4, -1, 10}, "4", 3},
    };
    for (const auto &c : cases) {
        SlideNumberEntry entry;
        for (const int d : c.digits)
            entry.type(d);
        EXPECT_EQ(entry.digits(), c.shown);
        EXPECT_EQ(entry.take(), c.slide) << c.shown.toStdString();
        EXPECT_TRUE(entry.isEmpty());
    }
}

TEST(SlideStepper, KeysAndButtons)
{
    const struct
    {
        int key;
        SlideAction action;
    } keys[] = {
        {Qt::Key_Escape, SlideAction::End},       {Qt::Key_Left, SlideAction::Previous},
        {Qt::Key_Up, SlideAction::Previous},      {Qt::Key_PageUp, SlideAction::Previous},
        {Qt::Key_Space, SlideAction::Next},       {Qt::Key_Right, SlideAction::Next},
        {Qt::Key_Down, SlideAction::Next},        {Qt::Key_PageDown, SlideAction::Next},
        {Qt::Key_F1, SlideAction::Help},          {Qt::Key_Home, SlideAction::First},
        {Qt::Key_End, SlideAction::Last},         {Qt::Key_Return, SlideAction::Enter},
        {Qt::Key_Enter, SlideAction::Enter},      {Qt::Key_0, SlideAction::Digit},
        {Qt::Key_9, SlideAction::Digit},          {Qt::Key_B, SlideAction::Black},
        {Qt::Key_Period, SlideAction::Black},     {Qt::Key_W, SlideAction::White},
        {Qt::Key_Comma, SlideAction::White},      {Qt::Key_G, SlideAction::Overview},
        {Qt::Key_Tab, SlideAction::Overview},     {Qt::Key_P, SlideAction::Proportions},
        {Qt::Key_R, SlideAction::RestartTimer},   {Qt::Key_A, SlideAction::None},
        {Qt::Key_F2, SlideAction::None},          {Qt::Key_Slash, SlideAction::None},
    };
    for (const auto &k : keys)
        EXPECT_EQ(actionForKey(k.key), k.action) << k.key;
    EXPECT_EQ(digitForKey(Qt::Key_0), 0);
    EXPECT_EQ(digitForKey(Qt::Key_7), 7);
    EXPECT_EQ(digitForKey(Qt::Key_A), -1);
    EXPECT_EQ(actionForButton(Qt::RightButton), SlideAction::Previous);
    EXPECT_EQ(actionForButton(Qt::LeftButton), SlideAction::Next);
    EXPECT_EQ(actionForButton(Qt::MiddleButton), SlideAction::None);
}
