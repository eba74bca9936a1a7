#include "support/ui/DialogTesting.h"

#include "support/ui/Scripted.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace testing_support {

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QStringList childrenWithoutContext(const QWidget &window, int context)
{
    QStringList names;
    for (const QWidget *child : window.findChildren<QWidget *>()) {
        if (marbelo::helpContext(child) != context)
            names.append(child->objectName() + QLatin1Char('/') + QLatin1String(child->metaObject()->className()));
    }
    return names;
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 32 && c.unicode() < 127)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QAbstractButton *buttonWithText(QWidget *window, const QString &text)
{
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        if (b->text() == text)
            return b;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

void answerNameDialog(const QString &name, const QString &button)
{
    whenModalShows([name, button](QWidget *form) {
        auto *edit = form->findChildren<QLineEdit *>().value(0);
        ASSERT_NE(edit, nullptr);
        edit->clear();
        edit->insert(name);
        buttonWithText(form, button)->click();
    });
}

QString tabFrom(QWidget &window)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &window, Qt::Key_Tab);
    focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

} // namespace testing_support
