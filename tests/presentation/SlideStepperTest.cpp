// Stepping through the preview's slides and what keys and buttons ask for.

#include "presentation/SlideStepper.h"

#include <gtest/gtest.h>

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

TEST(SlideStepper, KeysAndButtons)
{
    const struct
    {
        int key;
        SlideAction action;
    } keys[] = {
        {Qt::Key_Escape, SlideAction::End},     {Qt::Key_Left, SlideAction::Previous},
        {Qt::Key_Up, SlideAction::Previous},    {Qt::Key_PageUp, SlideAction::Previous},
        {Qt::Key_Space, SlideAction::Next},     {Qt::Key_Right, SlideAction::Next},
        {Qt::Key_Down, SlideAction::Next},      {Qt::Key_PageDown, SlideAction::Next},
        {Qt::Key_F1, SlideAction::Help},        {Qt::Key_Home, SlideAction::None},
        {Qt::Key_End, SlideAction::None},       {Qt::Key_Return, SlideAction::None},
        {Qt::Key_A, SlideAction::None},         {Qt::Key_F2, SlideAction::None},
    };
    for (const auto &k : keys)
        EXPECT_EQ(actionForKey(k.key), k.action) << k.key;
    EXPECT_EQ(actionForButton(Qt::RightButton), SlideAction::Previous);
    EXPECT_EQ(actionForButton(Qt::LeftButton), SlideAction::Next);
    EXPECT_EQ(actionForButton(Qt::MiddleButton), SlideAction::None);
}
