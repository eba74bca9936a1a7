// The help document and the help window: one section per help context,
// working contents and index, and the window opened at the right place.

#include "shell/ui/HelpWindow.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

using namespace marbelo;

namespace {

// Every help context carried by a menu entry, pane or dialog of the program.
const QList<int> kHelpContexts = {
    2210, 2219, 2220, 2221, 2222, 2223, 2224, 2225, 2226, 2227, 2230, 2231, 2232, 2233, 2234, 2235, 2236, 2237, 2238,
    2239, 2240, 2241, 2242, 2243, 2244, 2245, 2246, 2247, 2248, 2249, 2250, 2251, 2255, 2256, 2257, 2258, 2259, 2260, 2261,
    2262, 2263, 2264, 2265, 2300, 2400, 2500, 2600, 2700, 2800, 2900, 4000, 4010, 4020, 4030, 4040, 4050, 4060, 4080,
    4090, 4100, 4110, 4120, 4130, 4140, 4150, 4160, 4170, 4180, 4190, 5500};

const QString kHelpSource = QStringLiteral(MARBELO_HELP_SOURCE);

QString helpText()
{
    QFile file(kHelpSource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList captures(const QString &text, const QString &pattern)
{
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured(1));
    return found;
}

QStringList anchorNames(const QString &text)
{
    return captures(text, QStringLiteral("<a name=\"([^\"]+)\""));
}

QStringList linkTargets(const QString &text)
{
    return captures(text, QStringLiteral("<a href=\"#([^\"]+)\""));
}

// The block of the browser's document that carries the anchor.
QTextBlock anchorBlock(const QTextDocument &document, const QString &name)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(name))
                return block;
        }
    }
    return {};
}

} // namespace

TEST(HelpDocument, HasExactlyOneSectionForEveryHelpContextAndNoOther)
{
    const QString text = helpText();
    ASSERT_FALSE(text.isEmpty()) << kHelpSource.toStdString();
    const QStringList anchors = anchorNames(text);

    QSet<int> sections;
    for (const QString &name : anchors) {
        if (name.startsWith(QStringLiteral("ctx-")))
            sections.insert(name.mid(4).toInt());
    }
    for (int context : kHelpContexts)
        EXPECT_EQ(anchors.count(HelpWindow::topicAnchor(context)), 1) << context;
    EXPECT_EQ(sections, QSet<int>(kHelpContexts.begin(), kHelpContexts.end()));
    EXPECT_EQ(anchors.count(QStringLiteral("contents")), 1);
    EXPECT_EQ(anchors.count(QStringLiteral("index")), 1);
}

TEST(HelpDocument, EveryLinkLeadsToAnAnchor)
{
    const QString text = helpText();
    const QStringList anchors = anchorNames(text);
    const QStringList targets = linkTargets(text);
    ASSERT_GT(targets.size(), kHelpContexts.size());
    for (const QString &target : targets)
        EXPECT_TRUE(anchors.contains(target)) << target.toStdString();
}

TEST(HelpDocument, ContentsLinkToEverySection)
{
    const QString text = helpText();
    const qsizetype start = text.indexOf(QStringLiteral("<a name=\"contents\""));
    const qsizetype end = text.indexOf(QStringLiteral("<a name=\"ctx-"));
    ASSERT_GE(start, 0);
    ASSERT_GT(end, start);
    const QStringList targets = linkTargets(text.mid(start, end - start));
    for (int context : kHelpContexts)
        EXPECT_TRUE(targets.contains(HelpWindow::topicAnchor(context))) << context;
}

TEST(HelpDocument, IndexKeywordsStandInPolishAlphabeticalOrder)
{
    const QString text = helpText();
    const qsizetype start = text.indexOf(QStringLiteral("<a name=\"index\""));
    ASSERT_GE(start, 0);
    const QStringList keywords = captures(text.mid(start), QStringLiteral("<a href=\"#ctx-\\d+\">([^<]+)</a>"));
    ASSERT_GE(keywords.size(), kHelpContexts.size());

    QCollator polish{QLocale(QLocale::Polish, QLocale::Poland)};
    for (qsizetype i = 1; i < keywords.size(); ++i)
        EXPECT_LT(polish.compare(keywords[i - 1], keywords[i]), 0)
            << keywords[i - 1].toStdString() << " / " << keywords[i].toStdString();
}

TEST(HelpWindow, OpensEveryHelpContextAtItsSection)
{
    HelpWindow help(kHelpSource);
    EXPECT_EQ(help.window(), nullptr);
    for (int context : kHelpContexts) {
        help.showTopic(context);
        ASSERT_NE(help.window(), nullptr);
        EXPECT_TRUE(help.window()->isVisible());
        EXPECT_EQ(help.currentAnchor(), QStringLiteral("ctx-%1").arg(context));
        EXPECT_TRUE(help.notice().isEmpty()) << context;
    }
    EXPECT_EQ(help.window()->windowTitle(), QStringLiteral("Marbelo - Pomoc"));
}

TEST(HelpWindow, ScrollsTheRequestedSectionToTheTop)
{
    HelpWindow help(kHelpSource);
    help.showContents();
    QTextBrowser *browser = help.browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("contents"));
    // The contents open the document: at most the page margin above them.
    EXPECT_LT(browser->verticalScrollBar()->value(), 16);

    struct Case { const char *anchor; int context; };
    const Case cases[] = {{"ctx-2800", 2800}, {"ctx-4040", 4040}, {"index", 0}};
    for (const Case &c : cases) {
        if (c.context)
            help.showTopic(c.context);
        else
            help.showIndex();
        const QString anchor = QString::fromLatin1(c.anchor);
        EXPECT_EQ(help.currentAnchor(), anchor);
        const QTextBlock block = anchorBlock(*browser->document(), anchor);
        ASSERT_TRUE(block.isValid()) << c.anchor;
        // The section's heading is the first text in view (or the text is scrolled to its end).
        const QScrollBar *bar = browser->verticalScrollBar();
        EXPECT_GT(bar->value(), 0) << c.anchor;
        if (bar->value() < bar->maximum()) {
            EXPECT_EQ(browser->cursorForPosition(QPoint(4, 4)).block().text(), block.text()) << c.anchor;
        }
    }
}

TEST(HelpWindow, ReusesOneWindowAndFollowsLinksWithHistory)
{
    HelpWindow help(kHelpSource);
    help.showIndex();
    QWidget *window = help.window();
    help.showTopic(2249);
    EXPECT_EQ(help.window(), window);

    QUrl link;
    link.setFragment(QStringLiteral("ctx-2248"));
    help.browser()->setSource(link);
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("ctx-2248"));
    help.browser()->backward();
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("ctx-2249"));
    help.browser()->backward();
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("index"));
}

TEST(HelpWindow, MissingDocumentShowsANoticeInsteadOfText)
{
    HelpWindow help(QStringLiteral("/nonexistent-folder/TarvixHelp.html"));
    help.showTopic(2800);
    ASSERT_NE(help.window(), nullptr);
    EXPECT_TRUE(help.window()->isVisible());
    EXPECT_TRUE(help.notice().contains(QStringLiteral("pliku pomocy"))) << help.notice().toStdString();
    EXPECT_TRUE(help.currentAnchor().isEmpty());
    EXPECT_TRUE(help.browser()->toPlainText().isEmpty());
    help.showContents();
    help.showIndex();
    EXPECT_FALSE(help.notice().isEmpty());
}

TEST(HelpWindow, UnknownTopicShowsANoticeOverTheContents)
{
    HelpWindow help(kHelpSource);
    help.showTopic(1234);
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("contents"));
    EXPECT_TRUE(help.notice().contains(QStringLiteral("1234"))) << help.notice().toStdString();
    // A known topic afterwards clears the notice.
    help.showTopic(2221);
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("ctx-2221"));
    EXPECT_TRUE(help.notice().isEmpty());
}

TEST(HelpWindow, StaysUsableOverAModalDialogAndOutlivesIt)
{
    HelpWindow help(kHelpSource);
    QDialog dialog;
    QWidget *parentWhileModal = nullptr;
    bool windowTransient = false;
    QTimer::singleShot(0, &dialog, [&] {
        help.showTopic(4040);
        parentWhileModal = help.window()->parentWidget();
        windowTransient = help.window()->windowHandle()
                          && help.window()->windowHandle()->transientParent() == dialog.windowHandle();
        dialog.reject();
    });
    dialog.exec();

    EXPECT_EQ(parentWhileModal, &dialog);
    EXPECT_TRUE(windowTransient);
    ASSERT_NE(help.window(), nullptr);
    EXPECT_EQ(help.window()->parentWidget(), nullptr);
    EXPECT_TRUE(help.window()->isVisible());
    EXPECT_TRUE(help.window()->isWindow());
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("ctx-4040"));
}
