// The two first-run wizard pages: texts, results, focus, Esc and help contexts.

#include "shell/ui/FirstRunWizard.h"

#include "common/ui/HelpContext.h"
#include "support/ui/DialogTesting.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace marbelo;
using namespace testing_support;

namespace {

struct Page
{
    const char *prefix;
    const char *caption;
    int helpContext;
    const char *defaultButton;
    std::vector<const char *> labels;
    std::function<FirstRunWizardBase *()> make;
};

const Page kPages[] = {
    {"QelWizard",
     " Kreator nowego szkolenia",
     4100,
     "QelWizardTrainingButton",
     {"Dziękujemy za zainstalowanie programu \"Marbelo\". Liczymy, że spełni on Państwa oczekiwania.",
      "Aby rozpocząć pracę z programem proponujemy:",
      "- utworzenie nowego szkolenia - wybierz przycisk \"Szkolenie\",",
      "- zapoznanie się z ideą programu korzystając z systemu pomocy - wybierz przycisk \"Pomoc\",",
      "- przycisk \"Zamknij\" zamyka to okienko i uruchamia program."},
     [] { return new FirstRunWizard; }},
    {"QelWizard2",
     " Kreator nowej prezentacji",
     4110,
     "QelWizard2CloseButton",
     {"Nowe szkolenie zostało poprawnie utworzone. Kolejnym etapem jest\nutworzenie prezentacji do szkolenia.",
      "Do dyspozycji mamy wszystkie funkcje znajdujące się w menu \"Prezentacje\".\n"
      "Tworzenie prezentacji zaczynamy od utworzenia działów i poddziałów \n"
      "tematycznych. Tak utworzony szkielet prezentacji wypełniamy tematami \n"
      "szczegółowymi. Wypełniać możemy korzystając z funkcji \"Kopiuj temat\" \n"
      "albo zwyczajnie \"chwytając\" myszką i \"przeciągając\" w konkretne miejsce \n"
      "prezentacji. Szczegółowe opisy funkcji znajdują się w systemie pomocy. "},
     [] { return new FirstRunWizardEnd; }},
};

class WizardPageTest : public ::testing::TestWithParam<Page>
{
protected:
    WizardPageTest() : form(GetParam().make()) {}

    QWidget *part(const char *suffix) const
    {
        QWidget *found = form->findChild<QWidget *>(QLatin1String(GetParam().prefix) + QLatin1String(suffix));
        EXPECT_NE(found, nullptr) << suffix;
        return found;
    }

    RecordingHelp help;
    std::unique_ptr<FirstRunWizardBase> form;
};

INSTANTIATE_TEST_SUITE_P(Pages, WizardPageTest, ::testing::ValuesIn(kPages),
                         [](const auto &info) { return std::string(info.param.prefix); });

} // namespace

TEST_P(WizardPageTest, CaptionTextsAndFixedSize)
{
    const Page &page = GetParam();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8(page.caption));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const QWidget *body = part("BodyPanel");
    for (size_t i = 0; i < page.labels.size(); ++i) {
        const QByteArray name = QByteArray("Body") + QByteArray::number(qsizetype(i + 1)) + "Label";
        const auto *label = qobject_cast<QLabel *>(part(name.constData()));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(page.labels[i]));
        EXPECT_EQ(label->parentWidget(), body);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::blue));
        // The whole text shows inside the panel, which shows inside the window.
        EXPECT_TRUE(body->rect().contains(label->geometry())) << name.constData();
        EXPECT_GE(label->width(), label->sizeHint().width());
    }
    EXPECT_EQ(form->findChild<QLabel *>(QLatin1String(page.prefix) + QStringLiteral("Body%1Label").arg(page.labels.size() + 1)),
              nullptr);
    EXPECT_TRUE(form->rect().contains(part("Panel")->geometry()));
    EXPECT_TRUE(part("Panel")->rect().contains(body->geometry()));
    EXPECT_EQ(qobject_cast<QFrame *>(part("Panel"))->frameShadow(), QFrame::Raised);
    EXPECT_NE(part("Image"), nullptr);
}

TEST_P(WizardPageTest, HelpContextsOfFrameAndContents)
{
    const int context = GetParam().helpContext;
    EXPECT_EQ(helpContext(form.get()), context);
    EXPECT_EQ(helpContext(part("Panel")), 5500);
    EXPECT_EQ(helpContext(part("BodyPanel")), context);
    EXPECT_EQ(helpContext(part("HelpButton")), context);
    EXPECT_EQ(helpContext(part("CloseButton")), context);
    EXPECT_EQ(childrenWithoutContext(*form, context),
              QStringList{QLatin1String(GetParam().prefix) + QLatin1String("Panel/QFrame")});
}

TEST_P(WizardPageTest, ShowPaintsThePanelAndFocusesZamknij)
{
    const auto *defaultButton = form->findChild<QPushButton *>(QLatin1String(GetParam().defaultButton));
    ASSERT_NE(defaultButton, nullptr);
    EXPECT_TRUE(defaultButton->isDefault());
    ASSERT_TRUE(showActive(*form));
    EXPECT_EQ(part("BodyPanel")->palette().color(QPalette::Window), kPaleYellow);
    EXPECT_EQ(QApplication::focusWidget(), part("CloseButton"));
    EXPECT_EQ(qobject_cast<QPushButton *>(part("CloseButton"))->text(), QStringLiteral("Zamknij"));
    // As on Windows, the focused button is the one Enter presses.
    EXPECT_TRUE(qobject_cast<QPushButton *>(part("CloseButton"))->isDefault());
}

TEST_P(WizardPageTest, EscReleaseAndCloseBoxGiveResult2)
{
    ASSERT_TRUE(showActive(*form));
    QTest::keyPress(part("CloseButton"), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    QTest::keyRelease(part("CloseButton"), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), 2);

    form->setResult(0);
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), 2);
}

TEST_P(WizardPageTest, PomocClosesWithResult7WithoutOpeningHelp)
{
    QTimer::singleShot(0, form.get(), [this] { QTest::mouseClick(part("HelpButton"), Qt::LeftButton); });
    EXPECT_EQ(form->exec(), 7);
    EXPECT_TRUE(help.topics.isEmpty()) << "the caller opens the help contents";
}

TEST(WizardForm, ButtonsGiveTheirResults)
{
    const struct
    {
        const char *button;
        const char *text;
        int result;
    } rows[] = {{"QelWizardTrainingButton", "Szkolenie", 6},
                {"QelWizardHelpButton", "Pomoc", 7},
                {"QelWizardCloseButton", "Zamknij", 2}};
    int left = -1;
    for (const auto &row : rows) {
        FirstRunWizard form;
        auto *button = form.findChild<QPushButton *>(QLatin1String(row.button));
        ASSERT_NE(button, nullptr) << row.button;
        EXPECT_EQ(button->text(), QString::fromUtf8(row.text));
        EXPECT_GT(button->x(), left) << "buttons stand left to right";
        left = button->x();
        QTimer::singleShot(0, &form, [button] { QTest::mouseClick(button, Qt::LeftButton); });
        EXPECT_EQ(form.exec(), row.result) << row.button;
    }
}

TEST(WizardForm, HasNoTitleBarButtons)
{
    FirstRunWizard form;
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST(Wizard2Form, ButtonsGiveTheirResultsAndOnlyTheCloseBoxShows)
{
    const struct
    {
        const char *button;
        const char *text;
        int result;
    } rows[] = {{"QelWizard2HelpButton", "Pomoc", 7}, {"QelWizard2CloseButton", "Zamknij", 2}};
    for (const auto &row : rows) {
        FirstRunWizardEnd form;
        auto *button = form.findChild<QPushButton *>(QLatin1String(row.button));
        ASSERT_NE(button, nullptr) << row.button;
        EXPECT_EQ(button->text(), QString::fromUtf8(row.text));
        QTimer::singleShot(0, &form, [button] { QTest::mouseClick(button, Qt::LeftButton); });
        EXPECT_EQ(form.exec(), row.result) << row.button;
    }
    FirstRunWizardEnd form;
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST(Wizard2Form, EnterOnTheFocusedZamknijGivesResult2)
{
    FirstRunWizardEnd form;
    ASSERT_TRUE(showActive(form));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), 2);
}
