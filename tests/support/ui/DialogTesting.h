// Helpers for driving the small dialogs in tests: a help provider that records
// its requests, and checks that apply to every dialog.
#pragma once

#include "common/ui/HelpContext.h"

#include <QList>
#include <QString>
#include <QWidget>

class QAbstractButton;

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace testing_support {

// Records every help request; installed for its lifetime.
class RecordingHelp : public marbelo::HelpProvider
{
public:
    RecordingHelp() { marbelo::installHelpProvider(this); }
    ~RecordingHelp() override { marbelo::installHelpProvider(nullptr); }
    RecordingHelp(const RecordingHelp &) = delete;
    RecordingHelp &operator=(const RecordingHelp &) = delete;

    void showTopic(int context) override { topics.append(context); }
    void showContents() override { ++contents; }
    void showIndex() override { ++index; }

    QList<int> topics;
    int contents = 0;
    int index = 0;
};

// Shows a window and waits until it is the active one, so that focus and
// Tab work as for the user. False when the window never became active.
bool showActive(QWidget &window);

// Object names of the children whose help context differs from `context`
// (empty when every child carries it).
QStringList childrenWithoutContext(const QWidget &window, int context);

// Types the text into the widget key by key, as the user would. Unlike
// QTest::keyClicks it also types characters beyond ASCII.
void typeText(QWidget *widget, const QString &text);

// The button of a window with exactly this text; fails the test when there is none.
QAbstractButton *buttonWithText(QWidget *window, const QString &text);

// Answers the next modal dialog that asks for a name: its first edit gets
// the name, then the button with this text is clicked.
void answerNameDialog(const QString &name, const QString &button);

// Object name of the focus widget after one Tab from the current focus.
QString tabFrom(QWidget &window);

} // namespace testing_support
