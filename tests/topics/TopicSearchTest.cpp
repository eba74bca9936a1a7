// Finding a phrase in the topic library from the files: matching, order,
// resume point and the last-node / last-line marks of a hit.

#include "topics/TopicSearch.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(TopicSearch, MatchingIgnoresCaseWithPolishLettersAndKeepsBlanks)
{
    struct Case
    {
        const char *text;
        const char *phrase; // as typed; upper-cased as the search does
        bool matches;
    };
    const Case cases[] = {
        {"Ochrona przed POŻAREM", "pożar", true},
        {"ochrona przed pożarem", "POŻAR", true},
        {"Ochrona przed pozarem", "pożar", false},
        {"Zasady higieny pracy", " pracy", true},
        {"pracy w wysokości", " pracy", false},
        {"pracy w wysokości", "pracy", true},
        {"Łączność", "ŁąCZ", true},
        {"Praca", "praca ", false},
        {"Praca ", "praca ", true},
        {"cokolwiek", "", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(phraseMatches(QString::fromUtf8(c.text), QString::fromUtf8(c.phrase).toUpper()), c.matches)
            << c.text << " / '" << c.phrase << "'";
    }
}

namespace {

// Line r of the library holds the file "r.mdl" with the given node names;
// depths make a small tree so that pre-order differs from nothing trivial.
class TopicSearchLibrary : public ::testing::Test
{
protected:
    void addLine(const QString &title, const std::vector<std::pair<QByteArray, QString>> &nodes)
    {
        std::vector<TopicRecordSource> records;
        for (const auto &[depth, name] : nodes)
            records.push_back(topicRecord(depth, "0", "0", name));
        const QString file = QString::number(lines.size()) + QStringLiteral(".mdl");
        writeTopicFile(dir.file(file), title, records);
        lines.push_back({title, file});
    }

    SearchHit find(const QString &phrase, int line = 0, int node = 0)
    {
        return findInLibrary(dir.path(), lines, phrase.toUpper(), line, node);
    }

    TempDataDir dir;
    std::vector<SearchLine> lines;
};

} // namespace

TEST_F(TopicSearchLibrary, TitleBeatsNodesOfItsOwnLineAndResumeSkipsToTheNextTitle)
{
    addLine(QStringLiteral("Apteczka"), {{"0", QStringLiteral("Opatrunki")}});
    addLine(QStringLiteral("Bezpieczeństwo"), {{"0", QStringLiteral("Drabiny")}});
    addLine(QStringLiteral("Drabiny i rusztowania"),
            {{"0", QStringLiteral("a")}, {"1", QStringLiteral("b")}, {"1", QStringLiteral("c")},
             {"0", QStringLiteral("d")}, {"1", QStringLiteral("e")}, {"0", QStringLiteral("Drabina przystawna")}});
    addLine(QStringLiteral("Drabiny – ćwiczenia"), {});

    SearchHit hit = find(QStringLiteral("drabin"));
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.node, 0);

    hit = find(QStringLiteral("drabin"), 2, 0);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 2);
    EXPECT_EQ(hit.node, -1); // the title, not node 5
    EXPECT_FALSE(hit.lastLine);

    hit = find(QStringLiteral("drabin"), 3, 0);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 3);
    EXPECT_EQ(hit.node, -1);
    EXPECT_TRUE(hit.lastLine);
}

TEST_F(TopicSearchLibrary, NodesAreSearchedInPreOrderFromTheResumePoint)
{
    // Record 3 ("x-trzecia", depth 2) goes under record 1, the last node of
    // depth 1, so the pre-order is: korzeń, x-pierwsza, x-trzecia, drugi
    // korzeń, x-ostatnia.
    addLine(QStringLiteral("Tytuł"),
            {{"0", QStringLiteral("korzeń")}, {"1", QStringLiteral("x-pierwsza")}, {"0", QStringLiteral("drugi korzeń")},
             {"2", QStringLiteral("x-trzecia")}, {"0", QStringLiteral("x-ostatnia")}});
    addLine(QStringLiteral("Inny"), {{"0", QStringLiteral("x-w innym")}});

    struct Case
    {
        int line, node;
        int hitLine, hitNode;
        bool lastNode, lastLine;
    };
    const Case cases[] = {
        {0, 0, 0, 1, false, false}, {0, 2, 0, 2, false, false}, {0, 3, 0, 4, true, false},
        {1, 0, 1, 0, true, true},   {0, 5, 1, 0, true, true},
    };
    for (const Case &c : cases) {
        const SearchHit hit = find(QStringLiteral("X-"), c.line, c.node);
        SCOPED_TRACE(testing::Message() << "from " << c.line << "," << c.node);
        ASSERT_TRUE(hit.found);
        EXPECT_EQ(hit.line, c.hitLine);
        EXPECT_EQ(hit.node, c.hitNode);
        EXPECT_EQ(hit.nodeCount, c.hitLine == 0 ? 5 : 1);
        EXPECT_EQ(hit.lastNode, c.lastNode);
        EXPECT_EQ(hit.lastLine, c.lastLine);
    }
    EXPECT_EQ(find(QStringLiteral("trzecia")).node, 2);
    EXPECT_EQ(find(QStringLiteral("drugi")).node, 3);
    EXPECT_FALSE(find(QStringLiteral("x-"), 2, 0).found); // past the last line
}

TEST_F(TopicSearchLibrary, AnUnreadableFileLeavesOnlyItsTitle)
{
    addLine(QStringLiteral("Pierwszy"), {{"0", QStringLiteral("węzeł")}});
    lines.push_back({QStringLiteral("Zaginiony węzeł"), QStringLiteral("missing.mdl")});
    lines.push_back({QStringLiteral("Bez pliku"), QString()});
    addLine(QStringLiteral("Ostatni"), {{"0", QStringLiteral("Bez pliku – węzeł")}});

    SearchHit hit = find(QStringLiteral("węzeł"), 0, 1);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.node, -1);
    hit = find(QStringLiteral("bez pliku"), 0, 0);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 2);
    EXPECT_EQ(hit.node, -1);
    hit = find(QStringLiteral("bez pliku –"), 0, 0);
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 3);
    EXPECT_EQ(hit.node, 0);
    EXPECT_FALSE(find(QStringLiteral("nigdzie")).found);
}
