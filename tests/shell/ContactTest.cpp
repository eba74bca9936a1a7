// The producer's addresses and the hand-over of URLs to the desktop.

#include "shell/Contact.h"

#include <gtest/gtest.h>

#include <QList>

using namespace marbelo;

TEST(Contact, MailUrlStartsANewMessageWithTheProgramAsSubject)
{
    const QUrl url = producerMailUrl();
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(url.toString().endsWith(QStringLiteral("?subject=Dravelo"))) << url.toString().toStdString();
    EXPECT_EQ(url.query(), QStringLiteral("subject=Dravelo"));
    // The address itself: one "@" with text on both sides.
    const QStringList parts = url.path().split(QLatin1Char('@'));
    ASSERT_EQ(parts.size(), 2);
    EXPECT_FALSE(parts[0].isEmpty());
    EXPECT_TRUE(parts[1].contains(QLatin1Char('.')));
}

TEST(Contact, WebUrlIsAnAbsoluteWebAddress)
{
    const QUrl url = producerWebUrl();
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), QStringLiteral("https"));
    EXPECT_FALSE(url.host().isEmpty());
}

TEST(Contact, OpenUrlGoesThroughTheReplaceableOpener)
{
    QList<QUrl> opened;
    setUrlOpenerForTests([&opened](const QUrl &url) { opened.append(url); });
    openUrl(producerWebUrl());
    openUrl(producerMailUrl());
    setUrlOpenerForTests({});

    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], producerWebUrl());
    EXPECT_EQ(opened[1], producerMailUrl());
}
