// The About box: its components, tab order, the history toggle, Esc, and
// its "Pomoc" button.

#include "shell/ui/AboutDialog.h"

#include "RecordingHelp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace marbelo;

namespace {

template<typename T = QWidget>
T *part(const QWidget &form, const char *name)
{
    return form.findChild<T *>(QString::fromLatin1(name));
}

QString textOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text();
    return {};
}

// Names of the widgets that Tab visits, starting at the focused one.
QStringList tabCycle(QWidget &form, int steps)
{
    QStringList visited;
    for (int i = 0; i < steps; ++i) {
        visited.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    Q_UNUSED(form);
    return visited;
}

struct Shown
{
    Shown() : form(&owner)
    {
        owner.setGeometry(100, 100, 780, 580);
        owner.show();
        form.show();
        form.activateWindow();
    }
    QWidget owner;
    AboutDialog form;
};

} // namespace

TEST(AboutForm, WindowIsAFixedBoxWithItsCaptionAndHelpContext)
{
    QWidget owner;
    AboutDialog form(&owner);
    EXPECT_EQ(form.objectName(), QStringLiteral("QelAboutForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("O programie ..."));
    EXPECT_EQ(form.helpContextNumber(), 4000);
    EXPECT_EQ(helpContext(&form), 4000);
    EXPECT_EQ(form.size(), QSize(352, 281));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    for (const QWidget *child : form.findChildren<QWidget *>())
        EXPECT_EQ(helpContext(child), 4000) << child->objectName().toStdString();
}

TEST(AboutForm, ComponentsStandInTheirPlacesWithTheirTexts)
{
    QWidget owner;
    AboutDialog form(&owner);
    struct Case { const char *name; QRect place; const char *text; };  // width 0: sized to its text
    const Case cases[] = {
        {"QelAboutProgramIcon", {16, 16, 33, 33}, nullptr},
        {"QelAboutNameLabel", {80, 12, 0, 0}, "Marbelo"},
        {"QelAboutVersionLabel", {80, 26, 0, 0}, "wersja 1.0, sierpień 2005"},
        {"QelAboutAuthorLabel", {80, 48, 0, 0}, "Autor"},
        {"QelAboutAuthorName", {80, 68, 267, 29}, nullptr},
        {"QelAboutProducerLabel", {80, 104, 0, 0}, "Producent"},
        {"QelAboutProducerName", {80, 124, 267, 29}, nullptr},
        {"QelAboutButtonsBevel", {8, 238, 337, 2}, nullptr},
        {"QelAboutHelpButton", {8, 248, 75, 25}, "Pomoc"},
        {"QelAboutHistoryButton", {192, 248, 75, 25}, "Historia"},
        {"QelAboutCloseButton", {270, 248, 75, 25}, "Zamknij"},
        {"QelAboutHistoryMemo", {8, 288, 337, 113}, nullptr},
    };
    for (const Case &c : cases) {
        const QWidget *widget = part(form, c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        if (c.place.width() > 0) {
            EXPECT_EQ(widget->geometry(), c.place) << c.name;
        } else {
            EXPECT_EQ(widget->pos(), c.place.topLeft()) << c.name;
        }
        if (c.text) {
            EXPECT_EQ(textOf(widget), QString::fromUtf8(c.text)) << c.name;
        }
    }

    EXPECT_TRUE(part<QLabel>(form, "QelAboutNameLabel")->font().bold());
    EXPECT_TRUE(part<QLabel>(form, "QelAboutAuthorLabel")->font().underline());
    EXPECT_TRUE(part<QLabel>(form, "QelAboutProducerLabel")->font().underline());
    EXPECT_TRUE(part<QLabel>(form, "QelAboutAuthorName")->wordWrap());
    EXPECT_TRUE(part<QLabel>(form, "QelAboutProducerName")->wordWrap());

    const auto *icon = part<QLabel>(form, "QelAboutProgramIcon");
    EXPECT_EQ(icon->pixmap().size(), QSize(33, 33));
    EXPECT_EQ(icon->cursor().shape(), Qt::PointingHandCursor);

    const auto *memo = part<QPlainTextEdit>(form, "QelAboutHistoryMemo");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->toPlainText().split(QLatin1Char('\n')),
              (QStringList{QStringLiteral("22-08-2005 "), QStringLiteral("Ukończenie prac nad programem w wersji 1.0."),
                           QStringLiteral("-----")}));
    EXPECT_TRUE(part<QPushButton>(form, "QelAboutCloseButton")->isDefault());
}

TEST(AboutForm, ShowingFillsCreditsPaintsTheHistoryAndFocusesClose)
{
    Shown shown;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.form));
    const QString author = part<QLabel>(shown.form, "QelAboutAuthorName")->text();
    EXPECT_EQ(author.split(QLatin1Char('\n')).size(), 2) << author.toStdString();
    EXPECT_FALSE(part<QLabel>(shown.form, "QelAboutProducerName")->text().trimmed().isEmpty());
    // Both credits fit their two-line boxes whole.
    for (const char *name : {"QelAboutAuthorName", "QelAboutProducerName"}) {
        const QLabel *label = part<QLabel>(shown.form, name);
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
    }
    EXPECT_EQ(part(shown.form, "QelAboutHistoryMemo")->palette().color(QPalette::Base), kPaleYellow);
    QTRY_COMPARE(QApplication::focusWidget(), part(shown.form, "QelAboutCloseButton"));
    // Centred on its owner (up to the window frame).
    EXPECT_LE((shown.form.geometry().center() - shown.owner.geometry().center()).manhattanLength(), 12);
}

TEST(AboutForm, HistoryButtonTogglesBetweenHiddenAndWholeHistory)
{
    QWidget owner;
    AboutDialog form(&owner);
    auto *history = part<QPushButton>(form, "QelAboutHistoryButton");
    const QWidget *memo = part(form, "QelAboutHistoryMemo");

    struct Step { int height; bool memoWhole; bool memoPartly; };
    const Step steps[] = {{281, false, false}, {409, true, true}, {281, false, false}, {409, true, true}};
    for (const Step &step : steps) {
        EXPECT_EQ(form.height(), step.height);
        EXPECT_EQ(form.minimumSize(), form.maximumSize());
        EXPECT_EQ(form.rect().contains(memo->geometry()), step.memoWhole);
        EXPECT_EQ(form.rect().intersects(memo->geometry()), step.memoPartly);
        EXPECT_EQ(form.historyShown(), step.memoWhole);
        QTest::mouseClick(history, Qt::LeftButton);
    }
}

TEST(AboutForm, TabVisitsCloseHistoryHelpAndTheHistoryWhenShown)
{
    Shown shown;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.form));
    QTRY_COMPARE(QApplication::focusWidget(), part(shown.form, "QelAboutCloseButton"));

    const QStringList hidden = {QStringLiteral("QelAboutCloseButton"), QStringLiteral("QelAboutHistoryButton"),
                                QStringLiteral("QelAboutHelpButton"), QStringLiteral("QelAboutCloseButton")};
    EXPECT_EQ(tabCycle(shown.form, 4), hidden);

    shown.form.toggleHistory();
    part(shown.form, "QelAboutCloseButton")->setFocus();
    const QStringList whole = {QStringLiteral("QelAboutCloseButton"), QStringLiteral("QelAboutHistoryButton"),
                               QStringLiteral("QelAboutHelpButton"), QStringLiteral("QelAboutHistoryMemo"),
                               QStringLiteral("QelAboutCloseButton")};
    EXPECT_EQ(tabCycle(shown.form, 5), whole);
}

TEST(AboutForm, EscReleasedAnywhereAndCloseButtonCloseWithCancel)
{
    struct Case { const char *where; bool esc; };
    const Case cases[] = {{"QelAboutHistoryButton", true}, {"QelAboutHistoryMemo", true},
                          {"QelAboutCloseButton", false}};
    for (const Case &c : cases) {
        QWidget owner;
        AboutDialog form(&owner);
        form.toggleHistory();
        QTimer::singleShot(0, &form, [&form, &c] {
            QWidget *target = part(form, c.where);
            if (c.esc)
                QTest::keyRelease(target, Qt::Key_Escape);
            else
                QTest::mouseClick(target, Qt::LeftButton);
        });
        const int result = form.exec();
        EXPECT_EQ(result, QDialog::Rejected) << c.where;
        EXPECT_FALSE(form.isVisible()) << c.where;
    }
}

TEST(AboutForm, HelpButtonOpensTopic4000AndKeepsTheBoxOpen)
{
    RecordingHelp help;
    Shown shown;
    QTest::mouseClick(part(shown.form, "QelAboutHelpButton"), Qt::LeftButton);
    EXPECT_EQ(help.topics, QList<int>{4000});
    EXPECT_TRUE(shown.form.isVisible());
    EXPECT_EQ(shown.form.result(), 0);
}

TEST(AboutForm, HistoryEndsWithTheDataFolder)
{
    AboutDialog form(nullptr, QStringLiteral("/home/trener/.local/share/marbelo/"));
    const auto *memo = part<QPlainTextEdit>(form, "QelAboutHistoryMemo");
    EXPECT_EQ(memo->toPlainText().split(QLatin1Char('\n')).last(),
              QDir::toNativeSeparators(QStringLiteral("Dane programu: /home/trener/.local/share/marbelo/")));
}
