// The new-item and rename-item dialogs driven through their widgets.

#include "presentation/ui/OutlineItemDialogs.h"

#include "common/ui/HelpContext.h"
#include "support/ui/DialogTesting.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

using State = NewItemDialog::OutlineState;
using Kind = NewItemDialog::NewItemKind;

namespace {

template<typename T>
T *child(const QWidget &form, const char *name)
{
    T *found = form.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QRadioButton *radio(const QWidget &form, int number)
{
    return child<QRadioButton>(form, QStringLiteral("QelNewView%1RadioButton").arg(number).toLatin1().constData());
}

} // namespace

TEST(NewViewForm, HasItsCaptionsNamesAndSize)
{
    NewItemDialog form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" Nowa pozycja w prezentacji"));
    EXPECT_EQ(form.size(), QSize(392, 105));
    EXPECT_EQ(child<QLabel>(form, "QelNewViewNameLabel")->text(), QStringLiteral("Nazwa"));
    EXPECT_EQ(radio(form, 1)->text(), QStringLiteral("Utwórz jako rozdział"));
    EXPECT_EQ(radio(form, 2)->text(), QStringLiteral("Utwórz jako dział"));
    EXPECT_EQ(radio(form, 3)->text(), QStringLiteral("Utwórz jako poddział"));
    EXPECT_EQ(radio(form, 1)->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(radio(form, 2)->layoutDirection(), Qt::LeftToRight);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_GE(radio(form, i)->width(), radio(form, i)->sizeHint().width()) << "caption shows whole: " << i;
        EXPECT_TRUE(QRect(8, 0, 377, 105).contains(radio(form, i)->geometry())) << i;
        EXPECT_EQ(radio(form, i)->y(), radio(form, 1)->y());
        if (i > 1) {
            EXPECT_GT(radio(form, i)->x(), radio(form, i - 1)->geometry().right()) << "one row, no overlap";
        }
        ASSERT_NE(radio(form, i)->group(), nullptr);
        EXPECT_TRUE(radio(form, i)->group()->exclusive());
        EXPECT_EQ(radio(form, i)->group(), radio(form, 1)->group());
    }
    const auto *ok = child<QPushButton>(form, "QelNewViewOkButton");
    EXPECT_EQ(ok->text(), QStringLiteral("Utwórz"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(child<QPushButton>(form, "QelNewViewCancelButton")->text(), QStringLiteral("Anuluj"));
    EXPECT_EQ(child<QPushButton>(form, "QelNewViewHelpButton")->text(), QStringLiteral("Pomoc"));
    EXPECT_EQ(child<QFrame>(form, "QelNewViewBevel")->frameShape(), QFrame::HLine);
    EXPECT_EQ(helpContext(&form), 4040);
    EXPECT_EQ(childrenWithoutContext(form, 4040), QStringList());
}

TEST(NewViewForm, SetUpFollowsTheOutlineState)
{
    const struct
    {
        State state;
        bool enabled[3];
        bool checked[3];
        Kind choice;
    } rows[] = {
        {State::Empty, {true, true, false}, {true, false, false}, Kind::Chapter},
        {State::HeadingSelected, {true, true, false}, {false, true, false}, Kind::Section},
        {State::ItemSelected, {true, true, true}, {false, true, false}, Kind::Section},
        {State::NoneSelected, {true, true, false}, {true, false, false}, Kind::Chapter},
    };
    // Every row after every other row, so that nothing carries over.
    for (const auto &before : rows) {
        for (const auto &row : rows) {
            NewItemDialog form;
            form.setUp(before.state);
            form.setUp(row.state);
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(radio(form, i + 1)->isEnabled(), row.enabled[i]) << int(row.state) << " radio " << i + 1;
                EXPECT_EQ(radio(form, i + 1)->isChecked(), row.checked[i]) << int(row.state) << " radio " << i + 1;
            }
            EXPECT_EQ(form.choice(), row.choice);
        }
    }
}

TEST(NewViewForm, ChoiceFollowsTheClickedButton)
{
    NewItemDialog form;
    form.setUp(State::ItemSelected);
    form.show();
    const struct
    {
        int click;
        Kind choice;
    } rows[] = {{3, Kind::Subsection}, {1, Kind::Chapter}, {2, Kind::Section}, {3, Kind::Subsection}};
    for (const auto &row : rows) {
        QTest::mouseClick(radio(form, row.click), Qt::LeftButton);
        EXPECT_EQ(form.choice(), row.choice) << row.click;
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(radio(form, i)->isChecked(), i == row.click);
    }
}

TEST(NewViewForm, DisabledSubsectionCannotBeClicked)
{
    NewItemDialog form;
    form.setUp(State::HeadingSelected);
    form.show();
    QTest::mouseClick(radio(form, 3), Qt::LeftButton);
    EXPECT_EQ(form.choice(), Kind::Section);
}

TEST(NewViewForm, ShowPaintsTheEditFocusesItAndTabsInOrder)
{
    NewItemDialog form;
    form.setUp(State::ItemSelected);
    ASSERT_TRUE(showActive(form));
    auto *edit = child<QLineEdit>(form, "QelNewViewNameEdit");
    EXPECT_EQ(edit->palette().color(QPalette::Base), kPaleYellow);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    typeText(edit, QStringLiteral("x"));
    // Tab enters the radio group at its checked button and leaves it at once.
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelNewView2RadioButton"));
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelNewViewOkButton"));
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelNewViewCancelButton"));
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelNewViewHelpButton"));
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelNewViewNameEdit"));

    // Back-Tab from OK also lands on the checked choice.
    QTest::mouseClick(radio(form, 3), Qt::LeftButton);
    child<QPushButton>(form, "QelNewViewOkButton")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), radio(form, 3));
}

TEST(CorectViewForm, HasItsCaptionsNamesSizeAndTabOrder)
{
    RenameItemDialog form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" Popraw pozycję w prezentacji"));
    EXPECT_EQ(form.size(), QSize(392, 73));
    EXPECT_EQ(child<QLabel>(form, "QelCorectViewNameLabel")->text(), QStringLiteral("Nazwa"));
    const auto *ok = child<QPushButton>(form, "QelCorectViewOkButton");
    EXPECT_EQ(ok->text(), QStringLiteral("Popraw"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(child<QPushButton>(form, "QelCorectViewCancelButton")->text(), QStringLiteral("Anuluj"));
    EXPECT_EQ(child<QPushButton>(form, "QelCorectViewHelpButton")->text(), QStringLiteral("Pomoc"));
    EXPECT_EQ(child<QFrame>(form, "QelCorectViewBevel")->frameShape(), QFrame::HLine);
    EXPECT_EQ(helpContext(&form), 4050);
    EXPECT_EQ(childrenWithoutContext(form, 4050), QStringList());

    form.setName(QStringLiteral("Rozdział 1"));
    ASSERT_TRUE(showActive(form));
    auto *edit = child<QLineEdit>(form, "QelCorectViewNameEdit");
    EXPECT_EQ(edit->palette().color(QPalette::Base), kPaleYellow);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelCorectViewHelpButton"));
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelCorectViewCancelButton"));
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelCorectViewOkButton"));
    EXPECT_EQ(tabFrom(form), QStringLiteral("QelCorectViewNameEdit"));
}

// What both dialogs share: the name edit, the OK rule, Esc, help.
class ViewFormTest : public ::testing::TestWithParam<bool>
{
protected:
    ViewFormTest()
    {
        if (GetParam()) {
            form = std::make_unique<RenameItemDialog>();
            prefix = "QelCorectView";
            context = 4050;
        } else {
            form = std::make_unique<NewItemDialog>();
            prefix = "QelNewView";
            context = 4040;
        }
    }
    QWidget *part(const char *suffix) const
    {
        return child<QWidget>(*form, (QByteArray(prefix) + suffix).constData());
    }
    QLineEdit *edit() const { return qobject_cast<QLineEdit *>(part("NameEdit")); }
    QString name() const { return edit()->text(); }

    RecordingHelp help;
    std::unique_ptr<QelDialog> form;
    const char *prefix;
    int context;
};

INSTANTIATE_TEST_SUITE_P(Forms, ViewFormTest, ::testing::Bool(),
                         [](const auto &info) { return std::string(info.param ? "Corect" : "New"); });

TEST_P(ViewFormTest, OkFollowsTheNameTrimmedOfControlCharacters)
{
    form->show();
    const struct
    {
        QString typed;
        QString pasted;
        bool enabled;
    } rows[] = {
        {QString(), QString(), false},
        {QStringLiteral("    "), QString(), false},
        {QString(), QStringLiteral("\t \t"), false},
        {QStringLiteral(" Dział 1 "), QString(), true},
        {QStringLiteral("  "), QStringLiteral("\tx"), true},
    };
    for (const auto &row : rows) {
        edit()->clear();
        typeText(edit(), row.typed);
        if (!row.pasted.isEmpty())
            edit()->insert(row.pasted);
        EXPECT_EQ(part("OkButton")->isEnabled(), row.enabled) << (row.typed + row.pasted).toStdString();
        EXPECT_EQ(name(), row.typed + row.pasted);
    }
    if (GetParam()) {
        auto *corect = static_cast<RenameItemDialog *>(form.get());
        corect->setName(QStringLiteral(" x "));
        EXPECT_EQ(corect->name(), QStringLiteral(" x "));
    } else {
        EXPECT_EQ(static_cast<NewItemDialog *>(form.get())->name(), name());
    }
}

TEST_P(ViewFormTest, NameIsLimitedTo128CharactersOfWindows1250)
{
    form->show();
    typeText(edit(), QString(130, QLatin1Char('z')));
    EXPECT_EQ(name(), QString(128, QLatin1Char('z')));
    edit()->clear();
    typeText(edit(), QStringLiteral("Żółć→日ś"));
    EXPECT_EQ(name(), QStringLiteral("Żółćś"));
    QApplication::clipboard()->setText(QStringLiteral("ok→"));
    edit()->paste();
    EXPECT_EQ(name(), QStringLiteral("Żółćś"));
}

TEST_P(ViewFormTest, EscReleasedInTheEditCancels)
{
    ASSERT_TRUE(showActive(*form));
    typeText(edit(), QStringLiteral("abc"));
    QTest::keyClick(edit(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_P(ViewFormTest, ButtonsAndHelp)
{
    form->show();
    QTest::mouseClick(part("HelpButton"), Qt::LeftButton);
    EXPECT_EQ(help.topics, QList<int>{context});
    EXPECT_TRUE(form->isVisible());

    typeText(edit(), QStringLiteral("a"));
    QTest::mouseClick(part("OkButton"), Qt::LeftButton);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_FALSE(form->isVisible());

    form->show();
    QTest::mouseClick(part("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(form->isVisible());
}
