// The two pages of a certificate, each always exactly one page, so that a
// document of many certificates prints duplex with every reverse behind its
// own front. Text that does not fit is made smaller step by step, down to
// the smallest size still readable on paper; past that the front shortens
// its longest texts, and the reverse leaves out the programme's deeper levels
// (their hours stay in the headings above them) with a line saying so.
#pragma once

#include "courses/CertificateText.h"
#include "documents/PdfDocument.h"
#include "trainings/Programme.h"

#include <optional>
#include <vector>

namespace marbelo {

// The smallest text, as a share of the usual size (7 of 10 points).
constexpr double kSmallestCertificateText = 0.7;

// Draws the front on the document's current page, which it must start,
// filling the page: the places for the stamp and the signature at its foot.
void drawCertificateFront(PdfDocument &document, CertificateFront front);

// The reverse: the programme with its hours. Laid out once, at the first
// reverse drawn, and the same on every certificate of the document.
class CertificateReverse
{
public:
    // The programme as the certificate was issued with it.
    CertificateReverse(std::vector<ProgrammeRow> rows, const PlannedHours &total, const QString &typeName);
    // Draws the reverse on the document's current page, which it must start.
    void draw(PdfDocument &document);

private:
    struct Layout
    {
        std::vector<DocumentRow> rows;
        QString note;
        double scale = 1;
    };
    void drawAt(PdfDocument &document, const Layout &layout) const;
    std::optional<Layout> fitted(PdfDocument &document, int depth, std::size_t shown) const;
    Layout fit(PdfDocument &document) const;

    std::vector<ProgrammeRow> m_rows;
    PlannedHours m_total;
    QString m_typeName;
    std::optional<Layout> m_layout;
};

} // namespace marbelo
