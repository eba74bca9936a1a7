// The message boxes behind inform and confirm: title, icon, buttons, the
// default answer and what each answer returns.

#include "store/components/ui/MessageBoxes.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/Scripted.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(MessageBoxes, InformShowsTheTextUnderTheProgramsName)
{
    MessageBoxes messages;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShows([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    messages.inform(QStringLiteral("Gotowe."));
    EXPECT_EQ(title, QStringLiteral("Marbelo"));
    EXPECT_EQ(text, QStringLiteral("Gotowe."));
    EXPECT_EQ(icon, QMessageBox::Information);
}

TEST(MessageBoxes, ConfirmStartsOnTheDefaultAnswerAndReturnsTrueOnlyForTak)
{
    const struct
    {
        DefaultAnswer defaultAnswer;
        const char *focused;
        const char *clicked;
        bool result;
    } cases[] = {
        {DefaultAnswer::Yes, "Tak", "Tak", true},
        {DefaultAnswer::Yes, "Tak", "Nie", false},
        {DefaultAnswer::No, "Nie", "Tak", true},
        {DefaultAnswer::No, "Nie", "Nie", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.clicked);
        MessageBoxes messages;
        QString defaultText;
        whenModalShows([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            buttonWithText(box, QString::fromUtf8(c.clicked))->click();
        });
        EXPECT_EQ(messages.confirm(QStringLiteral("Usunąć?"), c.defaultAnswer), c.result);
        EXPECT_EQ(defaultText, QString::fromUtf8(c.focused));
    }
}
