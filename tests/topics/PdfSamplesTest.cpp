// Real PDF files (decks and manuals from Debian's documentation packages, a
// photo PDF, and damaged and encrypted variants): every page is one slide in
// page order, and every bookmark qpdf lists is one record, in qpdf's order,
// under the parent qpdf gives it, naming the slide of its page when it is the
// last bookmark of that page. Files no reader should take are refused.

#include "topics/import/PdfSlides.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <map>

#include <gtest/gtest.h>

using namespace marbelo;

namespace {

const QString kSamples = QStringLiteral(MARBELO_SAMPLES_DIR "/pdf/");

struct Bookmark
{
    QString title;
    int level = 0;
    int page = -1; // 0-based
    int parent = -1;
};

struct Reference
{
    int pages = 0;
    std::vector<Bookmark> bookmarks; // in outline order
};

// The pages and bookmarks of a file as qpdf lists them.
Reference qpdfRead(const QString &path)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--json=2"), QStringLiteral("--json-key=outlines"),
                                        QStringLiteral("--json-key=pages"), path});
    EXPECT_TRUE(qpdf.waitForFinished(60000)) << "qpdf did not run; scripts/install-deps.sh installs it";
    const QJsonObject json = QJsonDocument::fromJson(qpdf.readAllStandardOutput()).object();
    Reference reference;
    std::map<QString, int> pageOfObject;
    const QJsonArray pages = json.value(QStringLiteral("pages")).toArray();
    for (qsizetype i = 0; i < pages.size(); ++i)
        pageOfObject[pages[i].toObject().value(QStringLiteral("object")).toString()] = int(i);
    reference.pages = int(pages.size());
    const auto walk = [&](const auto &self, const QJsonArray &items, int level, int parent) -> void {
        for (const QJsonValue &value : items) {
            const QJsonObject item = value.toObject();
            Bookmark bookmark{item.value(QStringLiteral("title")).toString(), level, -1, parent};
            const QJsonValue position = item.value(QStringLiteral("destpageposfrom1"));
            QJsonValue dest = item.value(QStringLiteral("dest"));
            if (dest.isObject())
                dest = dest.toObject().value(QStringLiteral("/D"));
            if (position.isDouble())
                bookmark.page = position.toInt() - 1;
            else if (dest.isArray() && pageOfObject.count(dest.toArray().first().toString()))
                bookmark.page = pageOfObject[dest.toArray().first().toString()];
            reference.bookmarks.push_back(bookmark);
            self(self, item.value(QStringLiteral("kids")).toArray(), level + 1, int(reference.bookmarks.size()) - 1);
        }
    };
    walk(walk, json.value(QStringLiteral("outlines")).toArray(), 0, -1);
    return reference;
}

struct Sample
{
    const char *file;
    const char *readAs; // the file qpdf is asked about (a damaged one's source); null: refused
    const char *reason; // for a refused file, what the message says
};

class PdfSamples : public testing::TestWithParam<Sample>
{};

TEST_P(PdfSamples, ReadAsQpdfReadsThem)
{
    const Sample sample = GetParam();
    PdfDeckPtr deck;
    int pages = 0;
    const ImportResult opened = openPdfDeck(kSamples + QLatin1String(sample.file), &deck, &pages);
    if (!sample.readAs) {
        EXPECT_EQ(opened.status, ImportStatus::Failed);
        EXPECT_TRUE(opened.message.contains(QLatin1String(sample.file))) << opened.message.toStdString();
        EXPECT_TRUE(opened.message.contains(QString::fromUtf8(sample.reason))) << opened.message.toStdString();
        return;
    }
    ASSERT_TRUE(opened.ok()) << opened.message.toStdString();
    const Reference reference = qpdfRead(kSamples + QLatin1String(sample.readAs));
    ASSERT_EQ(pages, reference.pages);
    const std::vector<ImportedSlide> records = pdfRecords(*deck);

    // The tree the records make: a record's parent is the last record before
    // it one level up.
    std::vector<int> parentOf(records.size(), -1), lastAtDepth;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int depth = records[i].depth;
        ASSERT_LE(depth, int(lastAtDepth.size())) << i;
        parentOf[i] = depth > 0 ? lastAtDepth[std::size_t(depth - 1)] : -1;
        lastAtDepth.resize(std::size_t(depth));
        lastAtDepth.push_back(int(i));
    }

    // Pages in order; the bookmarks in qpdf's order (these files list them in
    // page order), the rest numbered.
    std::map<int, int> lastBookmarkOfPage;
    for (std::size_t b = 0; b < reference.bookmarks.size(); ++b)
        if (reference.bookmarks[b].page >= 0)
            lastBookmarkOfPage[reference.bookmarks[b].page] = int(b);
    std::vector<int> recordOfBookmark;
    int nextPage = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ImportedSlide &record = records[i];
        if (!record.heading) {
            ASSERT_EQ(record.page, nextPage) << i;
            ++nextPage;
            if (!lastBookmarkOfPage.count(record.page)) {
                EXPECT_EQ(record.name, QStringLiteral("Slajd %1").arg(record.page + 1));
                continue;
            }
            EXPECT_EQ(int(recordOfBookmark.size()), lastBookmarkOfPage[record.page]) << record.name.toStdString();
        }
        const std::size_t b = recordOfBookmark.size();
        ASSERT_LT(b, reference.bookmarks.size()) << record.name.toStdString();
        EXPECT_EQ(record.name, singleLineName(reference.bookmarks[b].title)) << i;
        recordOfBookmark.push_back(int(i));
    }
    EXPECT_EQ(nextPage, pages);
    ASSERT_EQ(recordOfBookmark.size(), reference.bookmarks.size());

    // Nesting: qpdf's parent, or for a bookmark deeper than a topic nests,
    // its ancestor on the deepest level a topic has.
    for (std::size_t b = 0; b < reference.bookmarks.size(); ++b) {
        int parent = reference.bookmarks[b].parent;
        while (parent >= 0 && reference.bookmarks[std::size_t(parent)].level >= kMaxSlideDepth)
            parent = reference.bookmarks[std::size_t(parent)].parent;
        const int expected = parent < 0 ? -1 : recordOfBookmark[std::size_t(parent)];
        EXPECT_EQ(parentOf[std::size_t(recordOfBookmark[b])], expected) << reference.bookmarks[b].title.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, PdfSamples,
    testing::Values(Sample{"beamer-conference-talk-43.pdf", "beamer-conference-talk-43.pdf", nullptr},
                    Sample{"beamer-lecture-43.pdf", "beamer-lecture-43.pdf", nullptr},
                    Sample{"beameruserguide.pdf", "beameruserguide.pdf", nullptr},
                    Sample{"lshort-pl.pdf", "lshort-pl.pdf", nullptr},
                    Sample{"shared-mime-info-spec.pdf", "shared-mime-info-spec.pdf", nullptr},
                    Sample{"klingtnet-presentation169.pdf", "klingtnet-presentation169.pdf", nullptr},
                    Sample{"photo-2pages.pdf", "photo-2pages.pdf", nullptr},
                    Sample{"encrypted-owner.pdf", "encrypted-owner.pdf", nullptr},
                    Sample{"damaged-xref.pdf", "damaged-xref.pdf", nullptr},
                    Sample{"broken-startxref.pdf", "beamer-conference-talk-43.pdf", nullptr},
                    Sample{"truncated.pdf", nullptr, "uszkodzony"},
                    Sample{"encrypted-user.pdf", nullptr, "chroniony hasłem"},
                    Sample{"empty.pdf", nullptr, "nie zawiera żadnej strony"},
                    Sample{"not-a-pdf.pdf", nullptr, "uszkodzony"}));

} // namespace
