// The key help window of the full-screen preview and the wait window.

#include "presentation/ui/KeyHelpForm.h"
#include "presentation/ui/WaitForm.h"

#include "common/ui/HelpContext.h"
#include "support/ui/DialogTesting.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

template<typename T = QWidget>
T *child(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

} // namespace

TEST(KeyHelpForm, CaptionSizeAndPanel)
{
    KeyHelpForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" Pomoc"));
    // The five lines of the classic window and eight more keys, 24 pixels each.
    EXPECT_EQ(form.size(), QSize(392, 215 + 8 * 24));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    auto *panel = child<QFrame>(form, "QelHelpPanel");
    EXPECT_EQ(panel->geometry(), QRect(8, 8, 377, 161 + 8 * 24));
    EXPECT_EQ(panel->frameShape(), QFrame::Panel);
    EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
    auto *bevel = child<QFrame>(form, "QelHelpBevel");
    EXPECT_EQ(bevel->frameShape(), QFrame::HLine);
    EXPECT_EQ(bevel->pos(), QPoint(8, 176 + 8 * 24));
    EXPECT_EQ(bevel->width(), 377);
    auto *close = child<QPushButton>(form, "QelHelpCloseButton");
    EXPECT_EQ(close->text(), QStringLiteral("Zamknij"));
    EXPECT_EQ(close->geometry(), QRect(310, 184 + 8 * 24, 75, 25));
    EXPECT_TRUE(close->isDefault());
    EXPECT_EQ(helpContext(&form), 4090);
    EXPECT_EQ(childrenWithoutContext(form, 4090), QStringList());
}

TEST(KeyHelpForm, LabelsHoldTheKeyTexts)
{
    KeyHelpForm form;
    const auto *panel = child<QFrame>(form, "QelHelpPanel");
    const struct
    {
        const char *name;
        int y;
        const char *text;
    } rows[] = {
        {"QelViewerHelpBody1Label", 8, "Prezentację obsługujemy za pomocą następujących klawiszy:"},
        {"QelViewerHelpBody2Label", 32,
         "Kolejny temat prezentacji - klawisze \"Spacja\", strzałka w dół lub w prawo, \nklawisz strona w dół."},
        {"QelViewerHelpBody3Label", 72,
         "Poprzedni temat prezentacji - strzałka w górę lub w lewo, klawisz strona \nw górę."},
        {"QelViewerHelpBody4Label", 112, "Okienko pomocy - klawisz \"F1\"."},
        {"QelViewerHelpBody5Label", 136, "Zakończenie prezentacji - klawisz \"Esc\"."},
        {"QelViewerHelpBody6Label", 160, "Pierwszy i ostatni temat - klawisze \"Home\" i \"End\"."},
        {"QelViewerHelpBody7Label", 184, "Temat o podanym numerze - cyfry numeru, potem klawisz \"Enter\"."},
        {"QelViewerHelpBody8Label", 208, "Czarny ekran - klawisz \"B\" lub \".\", biały ekran - \"W\" lub \",\"."},
        {"QelViewerHelpBody9Label", 232, "Powrót do tematu - dowolny klawisz lub kliknięcie."},
        {"QelViewerHelpBody10Label", 256, "Przegląd slajdów - \"G\" lub \"Tab\"; strzałki, \"Enter\", \"Esc\"."},
        {"QelViewerHelpBody11Label", 280, "Zachowanie proporcji slajdu - klawisz \"P\"."},
        {"QelViewerHelpBody12Label", 304, "Czas od początku od nowa (konsola prezentera) - \"R\"."},
        {"QelViewerHelpBody13Label", 328, "Mysz: lewy przycisk - kolejny temat, prawy - poprzedni."},
    };
    for (const auto &row : rows) {
        const auto *label = child<QLabel>(form, row.name);
        EXPECT_EQ(label->parentWidget(), panel) << row.name;
        EXPECT_EQ(label->pos(), QPoint(8, row.y)) << row.name;
        EXPECT_EQ(label->text(), QString::fromUtf8(row.text)) << row.name;
        EXPECT_FALSE(label->wordWrap());
        // Each line shows whole inside the panel's sunken edge.
        EXPECT_GE(label->width(), label->sizeHint().width()) << row.name;
        EXPECT_LE(label->geometry().right(), panel->width() - 2) << row.name;
        EXPECT_LE(label->geometry().bottom(), panel->height() - 2) << row.name;
    }
    for (size_t i = 1; i < std::size(rows); ++i)
        EXPECT_LT(child<QLabel>(form, rows[i - 1].name)->geometry().bottom(), child<QLabel>(form, rows[i].name)->y());
}

TEST(KeyHelpForm, ShowPaintsThePanelAndCloseGivesCancel)
{
    KeyHelpForm form;
    form.show();
    EXPECT_EQ(child(form, "QelHelpPanel")->palette().color(QPalette::Window), kPaleYellow);
    EXPECT_TRUE(child(form, "QelHelpPanel")->autoFillBackground());
    QTest::mouseClick(child(form, "QelHelpCloseButton"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(KeyHelpForm, EscReleaseCloses)
{
    KeyHelpForm form;
    ASSERT_TRUE(showActive(form));
    QTest::keyPress(child(form, "QelHelpCloseButton"), Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    QTest::keyRelease(child(form, "QelHelpCloseButton"), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(WaitForm, CaptionSizeTextAndIcon)
{
    WaitForm wait;
    EXPECT_EQ(wait.windowTitle(), QStringLiteral("Informacja"));
    EXPECT_EQ(wait.size(), QSize(392, 53));
    EXPECT_EQ(wait.minimumSize(), wait.maximumSize());
    EXPECT_TRUE(wait.isWindow());
    const Qt::WindowFlags flags = wait.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    auto *label = child<QLabel>(wait, "QelWaitLabel");
    EXPECT_EQ(label->pos(), QPoint(16, 16));
    EXPECT_EQ(label->text(), QStringLiteral("Proszę czekać trwa tworzenie prezentacji ..."));
    auto *image = child<QLabel>(wait, "QelWaitImage");
    EXPECT_EQ(image->geometry(), QRect(352, 8, 33, 41));
    EXPECT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(helpContext(&wait), 0);
}

TEST(WaitForm, ShowsModelessCentredOnItsOwner)
{
    QWidget owner;
    owner.setGeometry(100, 80, 800, 600);
    owner.show();
    WaitForm wait(&owner);
    wait.show();
    EXPECT_TRUE(wait.isVisible());
    EXPECT_FALSE(wait.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_LE((wait.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 1);
    wait.close();
    EXPECT_FALSE(wait.isVisible());
}
