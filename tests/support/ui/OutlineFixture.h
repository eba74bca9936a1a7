// A window with one training whose outline is given, and a topic file of two
// topics with slides, for the copy, drop and outline editing tests.
#pragma once

#include "common/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "support/ui/MainWindowFixture.h"

#include <QTest>

namespace testing_support {

class OutlineWindowTest : public MainWindowTest
{
protected:
    static constexpr marbelo::ItemReference kChapter = 0x40000000;

    // Training 0 with the outline, and the topic file t.mdl.
    void makeTraining(const std::vector<marbelo::OutlineRecord> &outline)
    {
        const auto number = marbelo::appendTrainingRecord(dir.path(), {QStringLiteral("Szkolenie"), 0, 0});
        ASSERT_TRUE(number.has_value() && *number == 0);
        ASSERT_TRUE(marbelo::createTrainingFiles(dir.path(), 0));
        QString error;
        ASSERT_TRUE(marbelo::saveOutline(outlinePath(), outline, &error)) << error.toStdString();
        jpegA = makeJpeg(64, 48, 0xCC3333);
        jpegB = makeJpeg(40, 30, 0x33CC33);
        writeTopicFile(dir.file("t.mdl"), QStringLiteral("Tematy"),
                       {topicRecord("0", "1", "0", QStringLiteral("Rozdział tematów")),
                        topicRecord("1", "0", "1", QStringLiteral("Temat A"), jpegA),
                        topicRecord("1", "0", "1", QStringLiteral("Temat B"), jpegB)});
    }

    QString outlinePath() const { return dir.file(marbelo::outlineFileName(0)); }
    QString storePath() const { return dir.file(marbelo::imageStoreFileName(0)); }
    marbelo::PaneTree *outline() const { return outlineTree(); }

    static QTreeWidgetItem *named(const marbelo::PaneTree *tree, const QString &name)
    {
        for (QTreeWidgetItem *item : tree->flatItems()) {
            if (item->text(0) == name)
                return item;
        }
        ADD_FAILURE() << "no node " << name.toStdString();
        return nullptr;
    }
    QTreeWidgetItem *item(const QString &name) const { return named(outline(), name); }
    QTreeWidgetItem *topic(const QString &name) const { return named(moduleTree(), name); }

    void selectItem(const QString &name)
    {
        outline()->expandAll();
        clickItem(outline(), item(name));
    }
    void selectTopic(const QString &name)
    {
        moduleTree()->expandAll();
        clickItem(moduleTree(), topic(name));
    }

    // "level:name" of every record of the outline file.
    QStringList fileShape() const
    {
        std::vector<marbelo::OutlineRecord> records;
        QStringList out;
        if (!marbelo::readOutline(outlinePath(), &records))
            return {QStringLiteral("<unreadable>")};
        for (const auto &r : records)
            out << QString::number(r.level) + QLatin1Char(':') + r.name;
        return out;
    }
    // References of the outline file's records, in order.
    std::vector<marbelo::ItemReference> fileReferences() const
    {
        std::vector<marbelo::OutlineRecord> records;
        std::vector<marbelo::ItemReference> out;
        marbelo::readOutline(outlinePath(), &records);
        for (const auto &r : records)
            out.push_back(r.reference);
        return out;
    }

    // A point on the item's label.
    QPoint labelPoint(QTreeWidgetItem *node) const
    {
        outline()->scrollToItem(node);
        const QRect rect = outline()->visualItemRect(node);
        return {rect.left() + 3, rect.center().y()};
    }

    QByteArray jpegA;
    QByteArray jpegB;
};

} // namespace testing_support
