// The e-learning package's table of contents: which slide each chapter and
// section leads to. The package as a whole is checked in its browser test.

#include "exam/ScormPackage.h"
#include "trainings/OutlineTree.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace marbelo::exam;

namespace {

constexpr ItemReference kHeading = 0x40000000;
constexpr ItemReference kSlide = 0x100; // any slide offset

struct ContentsCase
{
    const char *what;
    std::vector<OutlineRecord> outline;
    bool frontPage;
    int slides;
    std::vector<std::pair<QString, int>> expected; // name, first slide
};

class ScormContentsTest : public ::testing::TestWithParam<ContentsCase>
{
};

TEST_P(ScormContentsTest, EachHeadingLeadsToTheFirstSlideAfterIt)
{
    const ContentsCase &c = GetParam();
    std::vector<std::pair<QString, int>> found;
    for (const ScormTocEntry &entry : scormContents(OutlineTree::fromRecords(c.outline), c.frontPage, c.slides))
        found.emplace_back(entry.name, entry.slide);
    EXPECT_EQ(found, c.expected);
}

const QString A = QStringLiteral("Rozdział A"), B = QStringLiteral("Dział B"), C = QStringLiteral("Rozdział C");

INSTANTIATE_TEST_SUITE_P(
    Outlines, ScormContentsTest,
    ::testing::Values(
        ContentsCase{"front page first", {{A, 0, kHeading}, {QStringLiteral("t"), 1, kSlide}}, true, 2, {{A, 1}}},
        ContentsCase{"no front page", {{A, 0, kHeading}, {QStringLiteral("t"), 1, kSlide}}, false, 1, {{A, 0}}},
        ContentsCase{"nested headings share a slide",
                     {{A, 0, kHeading}, {B, 1, 0}, {QStringLiteral("t"), 2, kSlide}, {C, 0, kHeading},
                      {QStringLiteral("u"), 1, kSlide}},
                     false, 2, {{A, 0}, {B, 0}, {C, 1}}},
        ContentsCase{"a heading at the end leads to the last slide",
                     {{QStringLiteral("t"), 0, kSlide}, {A, 0, kHeading}}, true, 2, {{A, 1}}},
        ContentsCase{"no slides, no contents", {{A, 0, kHeading}}, false, 0, {}}),
    [](const ::testing::TestParamInfo<ContentsCase> &info) { return "case" + std::to_string(info.index); });

} // namespace
