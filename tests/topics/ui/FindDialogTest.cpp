// The search dialog driven through its widgets.

#include "topics/ui/FindDialog.h"

#include "common/ui/HelpContext.h"
#include "support/ui/DialogTesting.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class FindDialogTest : public ::testing::Test
{
protected:
    template<typename T = QWidget>
    T *child(const char *name) const
    {
        T *found = form.findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit *edit() const { return child<QLineEdit>("QelFindEdit"); }
    QPushButton *ok() const { return child<QPushButton>("QelFindOkButton"); }

    RecordingHelp help;
    FindDialog form;
};

} // namespace

TEST_F(FindDialogTest, HasItsCaptionsNamesAndSize)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" Szukaj w tematach"));
    EXPECT_EQ(form.size(), QSize(392, 73));
    EXPECT_EQ(child<QLabel>("QelFindLabel")->text(), QStringLiteral("Szukany zwrot"));
    EXPECT_EQ(edit()->accessibleName(), QStringLiteral("Szukany zwrot"));
    EXPECT_EQ(ok()->text(), QStringLiteral("Szukaj"));
    EXPECT_TRUE(ok()->isDefault());
    EXPECT_EQ(child<QPushButton>("QelFindCancelButton")->text(), QStringLiteral("Anuluj"));
    EXPECT_EQ(child<QPushButton>("QelFindHelpButton")->text(), QStringLiteral("Pomoc"));
    EXPECT_EQ(helpContext(&form), 4080);
    EXPECT_EQ(childrenWithoutContext(form, 4080), QStringList());
}

TEST_F(FindDialogTest, ShowPaintsTheEditAndFocusesIt)
{
    form.setPhrase(QStringLiteral("POŻAR"));
    ASSERT_TRUE(showActive(form));
    EXPECT_EQ(edit()->palette().color(QPalette::Base), kPaleYellow);
    EXPECT_EQ(QApplication::focusWidget(), edit());
    EXPECT_TRUE(ok()->isEnabled()) << "a pre-filled phrase enables Szukaj at once";
}

TEST_F(FindDialogTest, SzukajNeedsMoreThanBlanks)
{
    form.show();
    const struct
    {
        const char *typed;
        bool enabled;
    } rows[] = {{"", false}, {"   ", false}, {" pracy", true}, {"pożar ", true}};
    for (const auto &row : rows) {
        edit()->clear();
        typeText(edit(), QString::fromUtf8(row.typed));
        EXPECT_EQ(ok()->isEnabled(), row.enabled) << row.typed;
        EXPECT_EQ(form.phrase(), QString::fromUtf8(row.typed)) << "blanks are part of the phrase";
    }
    form.setPhrase(QStringLiteral("\t\n"));
    EXPECT_FALSE(ok()->isEnabled());
}

TEST_F(FindDialogTest, PhraseHasNoLengthLimit)
{
    form.show();
    typeText(edit(), QString(300, QLatin1Char('q')));
    EXPECT_EQ(form.phrase().size(), 300);
    const QString longPhrase(40000, QLatin1Char('w'));
    form.setPhrase(longPhrase);
    EXPECT_EQ(form.phrase(), longPhrase);
}

TEST_F(FindDialogTest, ExecReturnsAcceptedOnEnter)
{
    QTimer::singleShot(0, &form, [this] {
        typeText(edit(), QStringLiteral("bhp"));
        QTest::keyClick(edit(), Qt::Key_Return);
    });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_EQ(form.phrase(), QStringLiteral("bhp"));
}

TEST_F(FindDialogTest, EnterWithABlankPhraseDoesNotAccept)
{
    ASSERT_TRUE(showActive(form));
    typeText(edit(), QStringLiteral("  "));
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(FindDialogTest, CancelEscAndHelp)
{
    form.show();
    QTest::mouseClick(child("QelFindHelpButton"), Qt::LeftButton);
    EXPECT_EQ(help.topics, QList<int>{4080});
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(child("QelFindCancelButton"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);

    ASSERT_TRUE(showActive(form));
    typeText(edit(), QStringLiteral("abc"));
    QTest::keyPress(edit(), Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    QTest::keyRelease(edit(), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}
