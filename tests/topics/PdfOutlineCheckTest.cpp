// The bounded check a PDF's bookmarks pass before the PDF library walks them:
// finite outlines pass; loops, explosions, depth and anything it cannot read
// for sure do not.

#include "support/SlideSources.h"
#include "topics/import/PdfOutlineCheck.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// A one-item outline whose item (object 5) links to object 7, which an
// object stream (object 6) holds, FlateDecode-coded or as the filter says.
QByteArray withObjectStream(const QByteArray &item, const QByteArray &object7, const QByteArray &filter = "/FlateDecode")
{
    const QByteArray body = "7 0 " + object7;
    const QByteArray data = filter == "/FlateDecode" ? qCompress(body).mid(4) : body;
    return pdfFromObjects({"<< /Type /Catalog /Pages 4 0 R /Outlines 3 0 R >>",
                           "<< /Type /Page /Parent 4 0 R /MediaBox [0 0 72 40] >>", "<< /Type /Outlines /First 5 0 R >>",
                           "<< /Type /Pages /Kids [2 0 R] /Count 1 >>", "<< /Title (a) " + item + " >>",
                           "<< /Type /ObjStm /N 1 /First 4 /Filter " + filter + " /Length "
                               + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream"});
}

} // namespace

TEST(PdfOutlineCheck, LetsOnlyBoundedOutlinesThrough)
{
    std::vector<QByteArray> deep;
    for (int i = 0; i < kMaxOutlineDepth + 1; ++i)
        deep.push_back("/First " + QByteArray::number(i + 6) + " 0 R");
    deep.push_back({});
    const struct
    {
        const char *name;
        QByteArray pdf;
        bool bounded;
    } cases[] = {
        {"nested and siblings", pdfWithOutline({"/First 6 0 R /Next 7 0 R", "", ""}), true},
        {"/Next loop", pdfWithOutline({"/Next 6 0 R", "/Next 5 0 R"}), false},
        {"own /First", pdfWithOutline({"/First 5 0 R"}), false},
        {"escaped key", pdfWithOutline({"/N#65xt 5 0 R"}), false},
        {"loop through an inline item", pdfWithOutline({"/First << /Next 5 0 R >>"}), false},
        {"too deep", pdfWithOutline(deep), false},
        {"link to a missing object", pdfWithOutline({"/Next 9 0 R"}), false},
        {"item in an object stream", withObjectStream("/Next 7 0 R", "<< /Title (b) >>"), true},
        {"loop in an object stream", withObjectStream("/Next 7 0 R", "<< /Next 5 0 R >>"), false},
        {"object stream in an unknown coding", withObjectStream("", "<< >>", "/LZWDecode"), false},
        {"loop made by a later definition",
         pdfWithOutline({"/Next 6 0 R", ""}) + "6 0 obj\n<< /Next 5 0 R >>\nendobj\n", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(outlineIsBounded(c.pdf), c.bounded) << c.name;
}
