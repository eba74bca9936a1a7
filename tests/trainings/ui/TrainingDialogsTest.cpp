// The three training dialogs driven through their widgets: layout, the OK
// button rules, the name edit's limits, the type box, Esc and help.

#include "trainings/ui/TrainingDialogs.h"

#include "common/ui/HelpContext.h"
#include "store/Records.h"
#include "support/ui/DialogTesting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace marbelo;
using namespace testing_support;

namespace {

struct FormCase
{
    const char *prefix;
    const char *caption;
    const char *okText;
    int helpContext;
    bool okNeedsType;
    std::function<TrainingDialogBase *()> make;
};

const FormCase kForms[] = {
    {"QelNewProject", "Nowe szkolenie", "Utwórz", 4010, true, [] { return new NewTrainingDialog; }},
    {"QelNewProjectFrom", "Nowe szkolenie od ...", "Utwórz", 4030, true, [] { return new NewTrainingFromDialog; }},
    {"QelCorectProject", "Popraw szkolenie", "Popraw", 4020, false, [] { return new RenameTrainingDialog; }},
};

class TrainingDialogTest : public ::testing::TestWithParam<FormCase>
{
protected:
    void SetUp() override
    {
        form.reset(GetParam().make());
        form->selectType(0);
    }

    template<typename T>
    T *part(const char *suffix) const
    {
        T *child = form->findChild<T *>(QLatin1String(GetParam().prefix) + QLatin1String(suffix));
        EXPECT_NE(child, nullptr) << suffix;
        return child;
    }
    QLineEdit *edit() const { return part<QLineEdit>("NameEdit"); }
    QComboBox *types() const { return part<QComboBox>("TypeEdit"); }
    QPushButton *ok() const { return part<QPushButton>("OkButton"); }

    RecordingHelp help;
    std::unique_ptr<TrainingDialogBase> form;
};

INSTANTIATE_TEST_SUITE_P(Forms, TrainingDialogTest, ::testing::ValuesIn(kForms),
                         [](const auto &info) { return std::string(info.param.prefix); });

} // namespace

TEST_P(TrainingDialogTest, HasItsCaptionsNamesAndSize)
{
    const FormCase &c = GetParam();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(form->size(), QSize(392, 97));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(part<QLabel>("NameLabel")->text(), QStringLiteral("Nazwa"));
    EXPECT_EQ(part<QLabel>("TypeLabel")->text(), QStringLiteral("Rodzaj"));
    EXPECT_EQ(part<QLabel>("NameLabel")->buddy(), edit());
    EXPECT_EQ(edit()->accessibleName(), QStringLiteral("Nazwa"));
    EXPECT_EQ(ok()->text(), QString::fromUtf8(c.okText));
    EXPECT_TRUE(ok()->isDefault());
    EXPECT_EQ(part<QPushButton>("CancelButton")->text(), QStringLiteral("Anuluj"));
    EXPECT_EQ(part<QPushButton>("HelpButton")->text(), QStringLiteral("Pomoc"));
    EXPECT_EQ(part<QPushButton>("HelpButton")->size(), QSize(75, 25));
    EXPECT_EQ(part<QFrame>("Bevel")->frameShape(), QFrame::HLine);
    EXPECT_EQ(helpContext(form.get()), c.helpContext);
    EXPECT_EQ(childrenWithoutContext(*form, c.helpContext), QStringList());
}

TEST_P(TrainingDialogTest, ShowPaintsFieldsFocusesNameAndTabsInOrder)
{
    ASSERT_TRUE(showActive(*form));
    EXPECT_EQ(edit()->palette().color(QPalette::Base), kPaleYellow);
    EXPECT_EQ(types()->palette().color(QPalette::Base), kPaleYellow);
    EXPECT_EQ(QApplication::focusWidget(), edit());
    // Fill the name so that OK is enabled and takes part in the Tab chain.
    typeText(edit(), QStringLiteral("x"));
    const QString p = QLatin1String(GetParam().prefix);
    EXPECT_EQ(tabFrom(*form), p + QLatin1String("TypeEdit"));
    EXPECT_EQ(tabFrom(*form), p + QLatin1String("OkButton"));
    EXPECT_EQ(tabFrom(*form), p + QLatin1String("CancelButton"));
    EXPECT_EQ(tabFrom(*form), p + QLatin1String("HelpButton"));
    EXPECT_EQ(tabFrom(*form), p + QLatin1String("NameEdit"));
}

TEST_P(TrainingDialogTest, OkFollowsTheTypedName)
{
    struct Row
    {
        const char *typed;
        bool enabled;
    };
    const Row rows[] = {{"", false}, {"   ", false}, {"a", true}, {"  Szkolenie A  ", true}, {" .", true}};
    for (const Row &row : rows) {
        form->setName(QString());
        form->show();
        typeText(edit(), QString::fromUtf8(row.typed));
        EXPECT_EQ(ok()->isEnabled(), row.enabled) << row.typed;
        EXPECT_EQ(form->name(), QString::fromUtf8(row.typed)) << "the name keeps its blanks";
    }
}

TEST_P(TrainingDialogTest, ControlCharactersAroundTheNameCountAsBlanks)
{
    form->show();
    const struct
    {
        QString name;
        bool enabled;
    } rows[] = {{QStringLiteral("\t\n \r"), false},
                {QString(QChar(1)) + QChar(31), false},
                {QStringLiteral("\tx\n"), true},
                // A no-break space has code 160, above 32: it is text.
                {QString(QChar(0xA0)), true}};
    for (const auto &row : rows) {
        form->setName(row.name);
        EXPECT_EQ(ok()->isEnabled(), row.enabled) << row.name.toStdString();
        EXPECT_EQ(form->name(), row.name);
    }
}

TEST_P(TrainingDialogTest, OkWithoutATypeDependsOnTheForm)
{
    form->selectType(-1);
    form->show();
    typeText(edit(), QStringLiteral("Nazwa"));
    EXPECT_EQ(ok()->isEnabled(), !GetParam().okNeedsType);
}

TEST_P(TrainingDialogTest, ChoosingATypeAloneDoesNotReevaluateOk)
{
    form->setName(QStringLiteral("Szkolenie"));
    form->selectType(9);
    form->show();
    EXPECT_EQ(ok()->isEnabled(), !GetParam().okNeedsType);
    types()->setCurrentIndex(2);
    EXPECT_EQ(form->chosenType(), 2);
    EXPECT_EQ(ok()->isEnabled(), !GetParam().okNeedsType);
    typeText(edit(), QStringLiteral("!"));
    EXPECT_TRUE(ok()->isEnabled());
}

TEST_P(TrainingDialogTest, NameTakesAtMost128Characters)
{
    form->show();
    typeText(edit(), QString(130, QLatin1Char('n')));
    EXPECT_EQ(form->name(), QString(128, QLatin1Char('n')));
}

TEST_P(TrainingDialogTest, NameRefusesCharactersWindows1250CannotHold)
{
    form->show();
    const QString polish = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    typeText(edit(), polish);
    EXPECT_EQ(form->name(), polish);
    typeText(edit(), QStringLiteral("a→b日c"));
    EXPECT_EQ(form->name(), polish + QStringLiteral("abc"));

    // Pasted text holding such a character is refused whole, not altered.
    QApplication::clipboard()->setText(QStringLiteral("x→y"));
    QTest::keySequence(edit(), QKeySequence::Paste);
    EXPECT_EQ(form->name(), polish + QStringLiteral("abc"));
    QApplication::clipboard()->setText(QStringLiteral("日本"));
    edit()->paste();
    EXPECT_EQ(form->name(), polish + QStringLiteral("abc"));
    QApplication::clipboard()->setText(QStringLiteral(" Łódź"));
    QTest::keySequence(edit(), QKeySequence::Paste);
    EXPECT_EQ(form->name(), polish + QStringLiteral("abc Łódź"));
}

TEST_P(TrainingDialogTest, TypeBoxHoldsTheSixTypesInOrder)
{
    QComboBox *box = types();
    EXPECT_FALSE(box->isEditable());
    ASSERT_EQ(box->count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(box->itemText(i), trainingTypeName(i));
        EXPECT_EQ(box->itemData(i).toInt(), i);
    }
    const struct
    {
        int selected;
        int chosen;
        int index;
    } rows[] = {{5, 5, 5}, {0, 0, 0}, {7, -1, -1}, {3, 3, 3}, {-1, -1, -1}, {6, -1, -1}};
    for (const auto &row : rows) {
        form->selectType(row.selected);
        EXPECT_EQ(form->chosenType(), row.chosen) << row.selected;
        EXPECT_EQ(box->currentIndex(), row.index) << row.selected;
    }
}

TEST_P(TrainingDialogTest, OpenedTypeListIs550PixelsWide)
{
    form->show();
    QComboBox *box = types();
    EXPECT_EQ(box->view()->minimumWidth(), 550);
    box->showPopup();
    EXPECT_TRUE(box->view()->isVisible());
    EXPECT_GE(box->view()->width(), 550);
    EXPECT_GT(box->view()->width(), box->width());
    box->hidePopup();
}

TEST_P(TrainingDialogTest, ButtonsCloseWithTheirResults)
{
    form->setName(QStringLiteral("Nazwa"));
    form->show();
    QTest::mouseClick(ok(), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);

    form->show();
    QTest::mouseClick(part<QPushButton>("CancelButton"), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_P(TrainingDialogTest, ExecReturnsAcceptedWithTheTypedNameAndType)
{
    QTimer::singleShot(0, form.get(), [this] {
        typeText(edit(), QStringLiteral(" Nowe "));
        types()->setCurrentIndex(4);
        QTest::keyClick(edit(), Qt::Key_Return);
    });
    EXPECT_EQ(form->exec(), QDialog::Accepted);
    EXPECT_EQ(form->name(), QStringLiteral(" Nowe "));
    EXPECT_EQ(form->chosenType(), 4);
}

TEST_P(TrainingDialogTest, EscReleasedInTheEditOrTheTypeBoxCancels)
{
    for (QWidget *control : {static_cast<QWidget *>(edit()), static_cast<QWidget *>(types())}) {
        form->setName(QStringLiteral("Nazwa"));
        ASSERT_TRUE(showActive(*form));
        control->setFocus();
        QTest::keyPress(control, Qt::Key_Escape);
        EXPECT_TRUE(form->isVisible()) << "pressing alone does not close";
        QTest::keyRelease(control, Qt::Key_Escape);
        EXPECT_FALSE(form->isVisible()) << control->objectName().toStdString();
        EXPECT_EQ(form->result(), QDialog::Rejected);
    }
}

TEST_P(TrainingDialogTest, HelpButtonOpensTheDialogsTopicAndStaysOpen)
{
    form->show();
    QTest::mouseClick(part<QPushButton>("HelpButton"), Qt::LeftButton);
    EXPECT_EQ(help.topics, QList<int>{GetParam().helpContext});
    EXPECT_TRUE(form->isVisible());
}

TEST(NewProjectForm, StartsEmptyWithTheFirstTypeAndOkDisabled)
{
    NewTrainingDialog form;
    form.show();
    EXPECT_EQ(form.name(), QString());
    EXPECT_EQ(form.chosenType(), 0);
    EXPECT_FALSE(form.findChild<QPushButton *>(QStringLiteral("QelNewProjectOkButton"))->isEnabled());
}

TEST(NewProjectFromForm, StartsWithNoTypeChosen)
{
    NewTrainingFromDialog form;
    EXPECT_EQ(form.chosenType(), -1);
}
