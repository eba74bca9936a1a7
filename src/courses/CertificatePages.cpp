#include "courses/CertificatePages.h"


#include <algorithm>

namespace marbelo {

namespace {

constexpr double kLineGapMm = 3.0;   // between the lines of the front at the least
constexpr double kMostExtraMm = 9.0; // more than this between two lines goes above the places at the foot

QString hours(int quarters)
{
    return hoursText(quarters, QLatin1Char(','));
}

// A row of the reverse; blank hours where they do not count.
DocumentRow hoursRow(const QString &number, const QString &name, const PlannedHours &h, bool bold, int level,
                     bool shown = true)
{
    return {{number, name, shown ? hours(h.theory) : QString(), shown ? hours(h.exercises) : QString()}, bold, level, 1};
}

// The text cut to about two thirds of its length, marked as cut.
QString shortened(const QString &text)
{
    qsizetype keep = text.size() * 2 / 3;
    if (keep > 0 && text.at(keep).isLowSurrogate())
        --keep;
    return text.left(keep) + QChar(0x2026);
}

} // namespace

void drawCertificateFront(PdfDocument &document, CertificateFront front)
{
    // gap: the room above each line of the form; foot: above the places at the foot.
    const auto content = [&](double gap, double foot) {
        document.title(front.title, 20);
        for (const std::vector<FormField> &line : front.lines) {
            document.space(gap);
            document.formLine(line);
        }
        document.space(foot);
        document.formPlaces(front.places);
    };
    const auto least = [&] { content(kLineGapMm, kLineGapMm); };
    std::vector<FormField *> fields;
    for (std::vector<FormField> &line : front.lines)
        for (FormField &field : line)
            fields.push_back(&field);
    std::optional<double> scale;
    // Free texts (the purpose, the organiser) can be of any length: past the
    // smallest size the longest is shortened until the front fits.
    for (int round = 0; round < 64 && !(scale = document.fittingScale(least, kSmallestCertificateText)); ++round) {
        FormField *longest = *std::max_element(fields.begin(), fields.end(), [](const FormField *a, const FormField *b) {
            return a->value.size() < b->value.size();
        });
        longest->value = shortened(longest->value);
    }
    document.setScale(scale.value_or(kSmallestCertificateText));
    // The page is filled: the room left spreads between the lines, up to a
    // point, and the rest goes above the places for the stamp and the
    // signature, which so stand at the page's foot. A millimetre is kept
    // against rounding.
    const double used = document.measuredHeight(least).value_or(document.roomLeft());
    const double free = std::max(document.roomLeft() - used - 1.0, 0.0);
    const double lines = static_cast<double>(front.lines.size());
    const double extra = std::min(free / (lines + 2), kMostExtraMm);
    const double factor = scale.value_or(kSmallestCertificateText);
    content(kLineGapMm + extra / factor, kLineGapMm + (free - lines * extra) / factor);
    document.setScale(1);
}

CertificateReverse::CertificateReverse(std::vector<ProgrammeRow> rows, const PlannedHours &total,
                                       const QString &typeName)
    : m_rows(std::move(rows)), m_total(total), m_typeName(typeName)
{
}

void CertificateReverse::drawAt(PdfDocument &document, const Layout &layout) const
{
    document.title({QStringLiteral("Program szkolenia"), m_typeName});
    document.table({{QStringLiteral("Lp."), 1, false, ColumnFit::OneLine},
                    {QStringLiteral("Temat szkolenia"), 1, false},
                    {QStringLiteral("Zajęcia teoretyczne"), 1, true, ColumnFit::OneLine},
                    {QStringLiteral("Ćwiczenia"), 1, true, ColumnFit::OneLine}},
                   layout.rows);
    document.paragraph(QStringLiteral("Łączna liczba godzin szkolenia: %1 (1 godzina lekcyjna = 45 minut).")
                           .arg(hours(m_total.total())));
    if (!layout.note.isEmpty())
        document.paragraph(layout.note);
}

// The headings above depth levels, the first shown of the first level with
// theirs and the rest of the first level summed in one row, then the total;
// none when that does not fit the page even at the smallest size.
std::optional<CertificateReverse::Layout> CertificateReverse::fitted(PdfDocument &document, int depth,
                                                                      std::size_t shown) const
{
    Layout layout;
    std::size_t topics = 0;
    PlannedHours rest;
    QString firstLeft, lastLeft;
    bool deeperLeft = false;
    for (const ProgrammeRow &row : m_rows) {
        topics += row.level == 0 ? 1 : 0;
        if (topics > shown) {
            if (row.level == 0) {
                rest += row.hours;
                firstLeft = firstLeft.isEmpty() ? row.number : firstLeft;
                lastLeft = row.number;
            }
        } else if (row.level < depth) {
            layout.rows.push_back(hoursRow(row.number, row.name, row.hours, row.level == 0, row.level, hoursShown(row)));
        } else {
            deeperLeft = true;
        }
    }
    if (!firstLeft.isEmpty()) {
        layout.rows.push_back(hoursRow(QString(), QStringLiteral("Tematy od %1 do %2").arg(firstLeft, lastLeft),
                                       rest, true, 0));
        layout.note = QStringLiteral("Tematy od %1 do %2 podano łącznie, by program zmieścił się na jednej "
                                     "stronie; pełny program zawiera dokument „Program szkolenia”.")
                          .arg(firstLeft, lastLeft);
    } else if (deeperLeft) {
        layout.note = QStringLiteral("Pominięto tematy %1. i dalszych poziomów, by program zmieścił się na jednej "
                                     "stronie; ich godziny wliczono do tematów nadrzędnych.")
                          .arg(depth + 1);
    }
    layout.rows.push_back(hoursRow(QString(), QStringLiteral("Razem"), m_total, true, 0));
    const std::optional<double> scale =
        document.fittingScale([&] { drawAt(document, layout); }, kSmallestCertificateText);
    if (!scale)
        return std::nullopt;
    layout.scale = *scale;
    return layout;
}

CertificateReverse::Layout CertificateReverse::fit(PdfDocument &document) const
{
    int deepest = 0;
    std::size_t firstLevel = 0;
    for (const ProgrammeRow &row : m_rows) {
        deepest = std::max(deepest, row.level);
        firstLevel += row.level == 0 ? 1 : 0;
    }
    // Every level, then the first two, then the first alone.
    int tried = deepest + 2;
    for (int depth : {deepest + 1, 2, 1}) {
        if (depth >= tried)
            continue;
        tried = depth;
        if (std::optional<Layout> layout = fitted(document, depth, firstLevel))
            return *layout;
    }
    // Still too long: as many first-level headings as fit, the rest in one row.
    std::size_t low = 0, high = firstLevel; // low always fits (checked last), high does not
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        (fitted(document, 1, middle) ? low : high) = middle;
    }
    std::optional<Layout> layout = fitted(document, 1, low);
    if (!layout) {
        layout = Layout{};
        layout->rows.push_back(hoursRow(QString(), QStringLiteral("Razem"), m_total, true, 0));
        layout->scale = kSmallestCertificateText;
    }
    return *layout;
}

void CertificateReverse::draw(PdfDocument &document)
{
    if (!m_layout)
        m_layout = fit(document);
    document.setScale(m_layout->scale);
    drawAt(document, *m_layout);
    document.setScale(1);
}

} // namespace marbelo
