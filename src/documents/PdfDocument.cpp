#include "documents/PdfDocument.h"

#include "documents/DocumentFont.h"
#include "store/WholeFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <numeric>

namespace marbelo {

namespace {

constexpr int kResolution = 300;       // device units per inch
constexpr double kMarginMm = 18.0;
constexpr double kFooterMm = 8.0;      // room for the page number
constexpr double kCellPaddingMm = 1.5;
constexpr double kIndentMm = 4.0;
constexpr double kBodyPoints = 10.0;

double mm(double millimetres)
{
    return millimetres * kResolution / 25.4;
}

} // namespace

PdfDocument::PdfDocument(const QString &title)
    : m_buffer(std::make_unique<QBuffer>()), m_writer(nullptr)
{
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(kResolution);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Marbelo"));
    m_painter = std::make_unique<QPainter>(m_writer.get());
    m_painter->setFont(documentFont(kBodyPoints));
    m_y = mm(kMarginMm);
}

PdfDocument::~PdfDocument()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

double PdfDocument::textWidth() const
{
    return m_writer->width() - 2 * mm(kMarginMm);
}

double PdfDocument::scaled(double millimetres) const
{
    return mm(millimetres) * m_scale;
}

QFont PdfDocument::font(double points, bool bold) const
{
    return documentFont(points * m_scale, bold);
}

bool PdfDocument::makeRoom(double height)
{
    const double bottom = m_writer->height() - mm(kMarginMm) - mm(kFooterMm);
    const bool fits = m_y + height <= bottom;
    if (m_measuring) {
        m_overflow = m_overflow || !fits;
        return false;
    }
    if (fits || m_y <= mm(kMarginMm))
        return false;
    newPage();
    return true;
}

void PdfDocument::newPage()
{
    if (m_measuring) {
        m_overflow = true;
        return;
    }
    drawFooter();
    m_writer->newPage();
    ++m_pages;
    m_y = mm(kMarginMm);
}

void PdfDocument::drawFooter()
{
    m_painter->save();
    m_painter->setFont(documentFont(8));
    const QRectF foot(mm(kMarginMm), m_writer->height() - mm(kMarginMm) - mm(kFooterMm) / 2, textWidth(),
                      mm(kFooterMm));
    m_painter->drawText(foot, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Strona %1").arg(m_pages));
    m_painter->restore();
}

void PdfDocument::title(const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        m_painter->setFont(font(i == 0 ? 15 : 12, i == 0));
        const QRectF area(mm(kMarginMm), m_y, textWidth(), m_writer->height());
        const QRectF needed = m_painter->boundingRect(area, Qt::AlignHCenter | Qt::TextWordWrap, lines[i]);
        makeRoom(needed.height());
        if (!m_measuring)
            m_painter->drawText(QRectF(mm(kMarginMm), m_y, textWidth(), needed.height()),
                                Qt::AlignHCenter | Qt::TextWordWrap, lines[i]);
        m_y += needed.height() + scaled(2);
    }
    m_y += scaled(4);
    m_painter->setFont(font(kBodyPoints));
}

void PdfDocument::paragraph(const QString &text, bool bold)
{
    m_painter->setFont(font(kBodyPoints, bold));
    const QRectF area(mm(kMarginMm), m_y, textWidth(), m_writer->height());
    const QRectF needed = m_painter->boundingRect(area, Qt::AlignLeft | Qt::TextWordWrap, text);
    makeRoom(needed.height());
    if (!m_measuring)
        m_painter->drawText(QRectF(mm(kMarginMm), m_y, textWidth(), needed.height()),
                            Qt::AlignLeft | Qt::TextWordWrap, text);
    m_y += needed.height() + scaled(2);
    m_painter->setFont(font(kBodyPoints));
}

double PdfDocument::columnWidth(const std::vector<DocumentColumn> &columns, std::size_t column) const
{
    const int shares = std::accumulate(columns.begin(), columns.end(), 0,
                                       [](int sum, const DocumentColumn &c) { return sum + std::max(c.width, 1); });
    return textWidth() * std::max(columns[column].width, 1) / std::max(shares, 1);
}

double PdfDocument::rowHeight(const std::vector<DocumentColumn> &columns, const DocumentRow &row) const
{
    m_painter->setFont(font(kBodyPoints, row.bold));
    double height = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const double indent = c == static_cast<std::size_t>(row.indentedColumn) ? row.indent * scaled(kIndentMm) : 0;
        const double width = std::max(columnWidth(columns, c) - 2 * scaled(kCellPaddingMm) - indent, mm(2));
        const QString text = c < static_cast<std::size_t>(row.cells.size()) ? row.cells[static_cast<qsizetype>(c)] : QString();
        const QRectF needed = m_painter->boundingRect(QRectF(0, 0, width, m_writer->height()),
                                                      Qt::TextWordWrap, text);
        height = std::max(height, needed.height());
    }
    return height + 2 * scaled(kCellPaddingMm);
}

void PdfDocument::drawRow(const std::vector<DocumentColumn> &columns, const DocumentRow &row, double height)
{
    if (m_measuring) {
        m_y += height;
        return;
    }
    m_painter->setFont(font(kBodyPoints, row.bold));
    double x = mm(kMarginMm);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const double width = columnWidth(columns, c);
        m_painter->drawRect(QRectF(x, m_y, width, height));
        const double indent = c == static_cast<std::size_t>(row.indentedColumn) ? row.indent * scaled(kIndentMm) : 0;
        const QRectF inside(x + scaled(kCellPaddingMm) + indent, m_y + scaled(kCellPaddingMm),
                            std::max(width - 2 * scaled(kCellPaddingMm) - indent, mm(2)),
                            height - 2 * scaled(kCellPaddingMm));
        const QString text = c < static_cast<std::size_t>(row.cells.size()) ? row.cells[static_cast<qsizetype>(c)] : QString();
        m_painter->drawText(inside, Qt::TextWordWrap | (columns[c].alignRight ? Qt::AlignRight : Qt::AlignLeft),
                            text);
        x += width;
    }
    m_y += height;
}

void PdfDocument::table(const std::vector<DocumentColumn> &columns, const std::vector<DocumentRow> &rows)
{
    if (columns.empty())
        return;
    DocumentRow header;
    header.bold = true;
    for (const DocumentColumn &column : columns)
        header.cells << column.caption;
    const double headerHeight = rowHeight(columns, header);
    // The header never stands alone at a page's foot.
    makeRoom(headerHeight + (rows.empty() ? 0 : rowHeight(columns, rows.front())));
    drawRow(columns, header, headerHeight);
    for (const DocumentRow &row : rows) {
        if (m_overflow)
            break; // measuring, and already past the page
        const double height = rowHeight(columns, row);
        if (makeRoom(height))
            drawRow(columns, header, headerHeight);
        drawRow(columns, row, height);
    }
    m_y += scaled(4);
    m_painter->setFont(font(kBodyPoints));
}

std::optional<double> PdfDocument::fittingScale(const std::function<void()> &content, double floor)
{
    const double top = m_y;
    const double kept = m_scale;
    std::optional<double> found;
    m_measuring = true;
    for (int step = 0; !found && 1.0 - 0.05 * step >= floor - 1e-9; ++step) {
        m_scale = 1.0 - 0.05 * step;
        m_overflow = false;
        m_y = top;
        content();
        if (!m_overflow)
            found = m_scale;
    }
    m_measuring = false;
    m_overflow = false;
    m_y = top;
    m_scale = kept;
    m_painter->setFont(font(kBodyPoints));
    return found;
}

QByteArray PdfDocument::finish()
{
    if (!m_painter->isActive())
        return QByteArray();
    drawFooter();
    if (!m_painter->end())
        return QByteArray();
    return m_buffer->data();
}

bool writeDocument(const QString &path, const QByteArray &pdf, QString *error)
{
    if (pdf.isEmpty()) {
        if (error)
            *error = fileNotWritten(path, QStringLiteral("nie udało się przygotować dokumentu"));
        return false;
    }
    return writeWholeFile(path, pdf, error);
}

} // namespace marbelo
