// A full-screen window over a presentation file made of given JPEG pictures,
// shown with scripted messages, and the input a user gives it.
#pragma once

#include "presentation/ui/SlideCanvas.h"
#include "presentation/ui/ViewForm.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QColor>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace testing_support {

// The colour snapped to the nearest of the test colours' components (0x20,
// 0xCC, black 0 and white 255), so that JPEG and scaling noise compare equal.
QColor closeColour(const QColor &c);

class PresentingFixture : public ::testing::Test
{
protected:
    void openView(const std::vector<QByteArray> &jpegs);
    void releaseKey(Qt::Key key, QWidget *to = nullptr);
    void releaseButton(Qt::MouseButton button, QWidget *to = nullptr);
    // The colour at the centre of the shown slide.
    QColor centreColour() const;

    TempDataDir dir;
    ScriptedMessages messages;
    std::unique_ptr<marbelo::ViewForm> view;
};

} // namespace testing_support
