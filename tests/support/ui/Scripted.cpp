#include "support/ui/Scripted.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>


namespace testing_support {

void ScriptedMessages::inform(const QString &text)
{
    calls.push_back({QStringLiteral("information"), text});
}

bool ScriptedMessages::confirm(const QString &text, marbelo::DefaultAnswer defaultAnswer)
{
    calls.push_back({QStringLiteral("confirmation"), text, defaultAnswer});
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList ScriptedMessages::texts() const
{
    QStringList out;
    for (const Call &call : calls)
        out << call.text;
    return out;
}

QString ScriptedSaveDialog::execute()
{
    ++shown;
    if (answers.empty())
        return QString();
    const QString path = answers.front();
    answers.pop_front();
    return path;
}

QStringList ScriptedOpenFilesDialog::execute()
{
    ++shown;
    if (answers.empty())
        return {};
    const QStringList files = answers.front();
    answers.pop_front();
    return files;
}

namespace {

// Polls from the event loop that exec() runs; gives up after a while so that a
// missing dialog fails the test instead of hanging it.
class ModalPoller : public QObject
{
public:
    explicit ModalPoller(std::function<void(QWidget *)> action) : QObject(qApp), m_action(std::move(action))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { check(); });
        m_timer.start(1);
    }

private:
    void check()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            m_timer.stop();
            // The action may wait in nested event loops that carry out the
            // deferred deletion of this poller, so it runs from a local copy.
            const std::function<void(QWidget *)> action = std::move(m_action);
            deleteLater();
            action(modal);
        } else if (++m_tries > 5000) {
            m_timer.stop();
            deleteLater();
            ADD_FAILURE() << "no modal dialog appeared";
        }
    }

    std::function<void(QWidget *)> m_action;
    QTimer m_timer;
    int m_tries = 0;
};

} // namespace

void whenModalShows(std::function<void(QWidget *)> action)
{
    new ModalPoller(std::move(action));
}

void closeStrayDialogs()
{
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        QApplication::processEvents();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

} // namespace testing_support
