// Scripted test doubles for message boxes, the save dialog and modal dialogs.
#pragma once

#include "presentation/SaveDialog.h"
#include "store/components/Messages.h"
#include "topics/OpenFilesDialog.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

class QWidget;

namespace testing_support {

// Records every message; confirmations are answered from a queue (No when empty).
class ScriptedMessages : public marbelo::Messages
{
public:
    struct Call
    {
        QString kind; // "information" or "confirmation"
        QString text;
        marbelo::DefaultAnswer defaultAnswer = marbelo::DefaultAnswer::Yes; // of a confirmation
    };

    std::deque<bool> answers; // true: "Tak"
    std::vector<Call> calls;

    void inform(const QString &text) override;
    bool confirm(const QString &text, marbelo::DefaultAnswer defaultAnswer) override;
    QStringList texts() const;
};

// Answers the save dialog from a queue of paths (empty = cancelled).
class ScriptedSaveDialog : public marbelo::SaveDialog
{
public:
    std::deque<QString> answers;
    int shown = 0;
    QString execute() override;
};

// Answers the import's file dialog from a queue of file lists (empty = cancelled).
class ScriptedOpenFilesDialog : public marbelo::OpenFilesDialog
{
public:
    std::deque<QStringList> answers;
    int shown = 0;
    QStringList execute() override;
};

// Runs action on the next modal widget that opens (a dialog shown with exec()).
// The action must close the dialog. Fails the test if none opens within the
// given number of event-loop turns.
void whenModalShows(std::function<void(QWidget *)> action);

// Closes every modal or top-level dialog left open by a failed test.
void closeStrayDialogs();

} // namespace testing_support
