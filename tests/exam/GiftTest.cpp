// GIFT exchange: a table of tricky inputs, each read, written and read again
// into the same questions; unsupported kinds and broken questions are
// reported with their line and leave nothing behind.

#include "exam/Gift.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace marbelo::exam;

namespace {

struct GiftCase
{
    const char *name;
    const char *gift;
    std::vector<Question> questions;
    std::vector<int> problemLines;
    int markupQuestions = 0;
};

const QStringList kAbc = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};

std::vector<GiftCase> giftCases()
{
    const QString t = QStringLiteral("Temat");
    return {
        {"plain", "$CATEGORY: Temat\n\nPytanie? {=a ~b ~c}\n", {{t, {}, {}, "Pytanie?", kAbc, 0}}, {}},
        {"title_and_lines",
         "$CATEGORY: Temat\n::T1::Pierwsza\n linia\n{\n~a\n~b\n=c\n}\n",
         {{t, {}, "T1", "Pierwsza linia", kAbc, 2}},
         {}},
        {"escapes",
         "$CATEGORY: Temat\n::a\\:\\:b::Ile \\{to\\}\\= 1\\~2\\#? {=x\\=y ~\\\\ ~z\\:}\n",
         {{t, {}, "a::b", "Ile {to}= 1~2#?", {"x=y", "\\", "z:"}, 0}},
         {}},
        {"newline_escape", "$CATEGORY: Temat\nA\\nB {=a ~b ~c ~d}\n", {{t, {}, {}, "A\nB", {"a", "b", "c", "d"}, 0}}, {}},
        {"polish_detail_comments",
         "\xEF\xBB\xBF// komentarz\n$CATEGORY: Pierwsza pomoc/Oparzenia i rany\n\n"
         "// o pytaniu\nCzym schładzać oparzenie? {\n=Chłodną wodą # tak\n~Lodem\n~Masłem\n}\n",
         {{"Pierwsza pomoc", "Oparzenia i rany", {}, "Czym schładzać oparzenie?", {"Chłodną wodą", "Lodem", "Masłem"}, 0}},
         {}},
        {"slash_in_name",
         "$CATEGORY: $course$/top/BHP//PPOŻ/Gaśnice\n\n[html]Q {=a ~b ~c}\n",
         {{"BHP/PPOŻ", "Gaśnice", {}, "Q", kAbc, 0}},
         {}},
        {"unsupported_kinds",
         "$CATEGORY: Temat\n\nTF {T}\n\nEsej {}\n\nIle? {#3:1}\n\nPara {=a -> 1 =b -> 2 =c -> 3}\n\n"
         "Krótka {=tak =yes}\n\nWaga {~%50%a ~%50%b ~c}\n\nLuka {=a ~b ~c} koniec\n\nOpis bez odpowiedzi\n\n"
         "Dobre {=a ~b ~c}\n",
         {{t, {}, {}, "Dobre", kAbc, 0}},
         {3, 5, 7, 9, 11, 13, 15, 17}},
        {"broken_questions",
         "Bez kategorii {=a ~b ~c}\n\n$CATEGORY: Temat\n\nBez dobrej {~a ~b ~c}\n\nDwie dobre {=a =b ~c}\n\n"
         "Za mało {=a ~b}\n\nZa dużo {=a ~b ~c ~d ~e}\n\nNiedomknięte {=a ~b ~c\n\n::Tytuł bez końca {=a ~b ~c}\n\n"
         "Takie same {=a ~a ~c}\n",
         {},
         {1, 5, 7, 9, 11, 13, 15, 17}},
        {"slash_at_edges", "$CATEGORY: A// / //B\n\nQ {=a ~b ~c}\n", {{"A/", "/B", {}, "Q", kAbc, 0}}, {}},
        {"crlf_and_tabs", "$CATEGORY: Temat\r\n\r\n\tP {\r\n\t=a\r\n\t~b\r\n\t~c\r\n}\r\n", {{t, {}, {}, "P", kAbc, 0}}, {}},
        {"comment_like_text", "$CATEGORY: Temat\n\n[plain]//x {=a ~b ~c}\n", {{t, {}, {}, "//x", kAbc, 0}}, {}},
        {"arrow_in_answer",
         "$CATEGORY: Temat\n\nMenu? {=archivo->diseño ~b ~c}\n",
         {{t, {}, {}, "Menu?", {"archivo->diseño", "b", "c"}, 0}},
         {}},
        {"arrow_in_feedback",
         "$CATEGORY: Temat\n\nQ {~a#x->y ~b =c ####<p><!--<var>1</var>--></p>}\n",
         {{t, {}, {}, "Q", kAbc, 2}},
         {}},
        {"format_markers",
         "$CATEGORY: Temat\n\n::T::[markdown]Q {~[plain]a =[moodle]b ~[html]<i>c</i>#[html]<b>x</b>}\n",
         {{t, {}, "T", "Q", kAbc, 1}},
         {},
         1},
        {"marker_or_weight_kept_as_text",
         "$CATEGORY: Temat\n\n[plain][html]Q {~[plain][plain]a =<b>b</b> ~[moodle]%c}\n",
         {{t, {}, {}, "[html]Q", {"[plain]a", "<b>b</b>", "%c"}, 1}},
         {}},
        {"html_references_and_breaks",
         "$CATEGORY: Temat\n\n[html]<p>Ile &amp;  <a href\\=\"x\">to</a>?</p>\n<br />&lt;b&gt;&nbsp;&oacute;&\\#261;&\\#x142;&bogus; {\n"
         "=a<br>b ~&quot;c&quot; ~d}\n",
         {{t, {}, {}, "Ile & to?\n<b> óął&bogus;", {"a\nb", "\"c\"", "d"}, 0}},
         {},
         1},
    };
}

class GiftTest : public ::testing::TestWithParam<GiftCase>
{
};

TEST_P(GiftTest, ReadsWritesAndReadsAgain)
{
    const GiftCase &row = GetParam();
    const GiftContents first = readGift(QByteArray(row.gift));
    ASSERT_TRUE(first.error.isEmpty());
    EXPECT_EQ(first.questions, row.questions);
    std::vector<int> lines;
    for (const GiftProblem &problem : first.problems) {
        EXPECT_FALSE(problem.message.isEmpty());
        lines.push_back(problem.line);
    }
    EXPECT_EQ(lines, row.problemLines);
    EXPECT_EQ(first.markupQuestions, row.markupQuestions);

    const QByteArray written = giftBytes(first.questions);
    const GiftContents again = readGift(written);
    EXPECT_EQ(again.questions, first.questions) << written.toStdString();
    EXPECT_TRUE(again.problems.empty()) << written.toStdString();
    EXPECT_EQ(giftBytes(again.questions), written);
}

INSTANTIATE_TEST_SUITE_P(Cases, GiftTest, ::testing::ValuesIn(giftCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(GiftBytes, RefusesTextThatIsNotUtf8)
{
    const GiftContents contents = readGift(QByteArray("$CATEGORY: Temat\n\nPytanie \xB9? {=a ~b ~c}\n"));
    EXPECT_FALSE(contents.error.isEmpty());
    EXPECT_TRUE(contents.questions.empty());
}

} // namespace

namespace {

// The shipped demo questions read without a problem, ten or more for each
// demo topic, named by the topic's title and a detailed topic it has.
TEST(DemoQuestions, CoverEveryDemoTopic)
{
    QFile gift(QString::fromUtf8(MARBELO_DEMO_DIR "/questions/Pytania.gift"));
    ASSERT_TRUE(gift.open(QIODevice::ReadOnly));
    const GiftContents contents = readGift(gift.readAll());
    EXPECT_TRUE(contents.problems.empty()) << contents.problems.front().line;
    const QStringList sources = QDir(QString::fromUtf8(MARBELO_DEMO_DIR "/topics")).entryList({QStringLiteral("*.txt")});
    ASSERT_EQ(sources.size(), 7);
    for (const QString &name : sources) {
        QFile source(QString::fromUtf8(MARBELO_DEMO_DIR "/topics/") + name);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n');
        int count = 0;
        for (const Question &q : contents.questions) {
            if (q.topic != lines[0])
                continue;
            ++count;
            EXPECT_TRUE(q.detail.isEmpty() || lines.filter(QStringLiteral("\t") + q.detail).size() > 0) << q.detail.toStdString();
        }
        EXPECT_GE(count, 10) << name.toStdString();
    }
}

} // namespace
