#include "documents/PdfDocument.h"

#include "documents/DocumentFont.h"
#include "store/WholeFile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace marbelo {

namespace {

constexpr int kResolution = 300;       // device units per inch
constexpr double kMarginMm = 18.0;
constexpr double kFooterMm = 8.0;      // room for the page number
constexpr double kCellPaddingMm = 1.5;
constexpr double kIndentMm = 4.0;
constexpr double kBodyPoints = 10.0;
constexpr double kFormPoints = 11.0;   // a form's printed words and the values on its lines
constexpr double kCaptionPoints = 7.0; // the captions beneath a form's lines
constexpr double kLogoHeightMm = 16.0;
constexpr double kLogoWidthMm = 60.0;
const QColor kStruckColour(0x80, 0x80, 0x80);
const QColor kHeaderShade(0xE8, 0xE8, 0xE8);

double mm(double millimetres)
{
    return millimetres * kResolution / 25.4;
}

// Cell text wraps between words, and inside a word only when the word alone
// is wider than its cell: a text is never cut off.
QTextOption cellOption(Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

QString cellText(const DocumentRow &row, std::size_t column)
{
    return column < static_cast<std::size_t>(row.cells.size()) ? row.cells[static_cast<qsizetype>(column)] : QString();
}

// The widest line of text, or (words) its widest word.
double widest(const QFontMetricsF &metrics, const QString &text, bool words)
{
    double width = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!words)
            width = std::max(width, metrics.horizontalAdvance(line));
        else
            for (const QString &word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                width = std::max(width, metrics.horizontalAdvance(word));
    }
    return width;
}

} // namespace

PdfDocument::PdfDocument(const QString &title, PageOrientation orientation)
    : m_buffer(std::make_unique<QBuffer>()), m_writer(nullptr)
{
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(kResolution);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                        orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                  : QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0)));
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

double PdfDocument::bottom() const
{
    return m_writer->height() - mm(kMarginMm) - (m_pageNumbers ? mm(kFooterMm) : 0);
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
    const bool fits = m_y + height <= bottom();
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
    if (!m_pageNumbers)
        return;
    m_painter->save();
    m_painter->setFont(documentFont(8));
    const QRectF foot(mm(kMarginMm), m_writer->height() - mm(kMarginMm) - mm(kFooterMm) / 2, textWidth(),
                      mm(kFooterMm));
    m_painter->drawText(foot, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Strona %1").arg(m_pages));
    m_painter->restore();
}

void PdfDocument::letterhead(const Letterhead &letterhead)
{
    if (letterhead.isEmpty())
        return;
    // The logo decoded no larger than it prints (at the writer's resolution),
    // its aspect kept; a picture that does not decode is left out.
    QImage logo;
    if (!letterhead.logo.isEmpty()) {
        QBuffer bytes;
        bytes.setData(letterhead.logo);
        QImageReader reader(&bytes);
        const QSize size = reader.size();
        if (size.isValid() && !size.isEmpty()) {
            const QSizeF fitted =
                QSizeF(size).scaled(QSizeF(scaled(kLogoWidthMm), scaled(kLogoHeightMm)), Qt::KeepAspectRatio);
            if (fitted.width() < size.width())
                reader.setScaledSize(fitted.toSize().expandedTo(QSize(1, 1)));
            logo = reader.read();
        }
    }
    const QSizeF logoBox(scaled(kLogoWidthMm), scaled(kLogoHeightMm));
    const QSizeF logoSize = logo.isNull() ? QSizeF() : QSizeF(logo.size()).scaled(logoBox, Qt::KeepAspectRatio);
    const double textLeft = mm(kMarginMm) + (logo.isNull() ? 0 : logoSize.width() + scaled(5));
    const double width = mm(kMarginMm) + textWidth() - textLeft;
    const QTextOption option = cellOption(Qt::AlignLeft);
    m_painter->setFont(font(13, true));
    const QRectF area(0, 0, width, m_writer->height());
    const double nameHeight = m_painter->boundingRect(area, letterhead.name, option).height();
    m_painter->setFont(font(9.5));
    const double addressHeight =
        letterhead.address.isEmpty() ? 0 : m_painter->boundingRect(area, letterhead.address, option).height();
    const double block = std::max(logoSize.height(), nameHeight + addressHeight);
    makeRoom(block + scaled(8));
    if (!m_measuring) {
        if (!logo.isNull())
            m_painter->drawImage(QRectF(QPointF(mm(kMarginMm), m_y + (block - logoSize.height()) / 2), logoSize), logo);
        const double top = m_y + (block - nameHeight - addressHeight) / 2;
        m_painter->setFont(font(13, true));
        m_painter->drawText(QRectF(textLeft, top, width, nameHeight), letterhead.name, option);
        m_painter->setFont(font(9.5));
        m_painter->drawText(QRectF(textLeft, top + nameHeight, width, addressHeight), letterhead.address, option);
        m_painter->save();
        m_painter->setPen(QPen(Qt::black, mm(0.3)));
        m_painter->drawLine(QPointF(mm(kMarginMm), m_y + block + scaled(2)),
                            QPointF(mm(kMarginMm) + textWidth(), m_y + block + scaled(2)));
        m_painter->restore();
    }
    m_y += block + scaled(8);
    m_painter->setFont(font(kBodyPoints));
}

void PdfDocument::title(const QStringList &lines, double firstPoints)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        m_painter->setFont(font(i == 0 ? firstPoints : 12, i == 0));
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

void PdfDocument::space(double millimetres)
{
    m_y += scaled(millimetres);
}

// The one-line columns as wide as their widest text; the others share what
// is left by their shares, none narrower than its longest word (a whole
// column: its widest text, up to a third of the page) while the page
// allows. Wider than the page in all, every column gives up its share.
std::vector<double> PdfDocument::columnWidths(const std::vector<DocumentColumn> &columns,
                                              const std::vector<DocumentRow> &rows) const
{
    const QFontMetricsF regular(font(kBodyPoints), m_writer.get());
    const QFontMetricsF bold(font(kBodyPoints, true), m_writer.get());
    const std::size_t count = columns.size();
    std::vector<double> need(count, 0);
    for (std::size_t c = 0; c < count; ++c) {
        double word = widest(bold, columns[c].caption, true);
        double whole = 0;
        for (const DocumentRow &row : rows) {
            const QString text = cellText(row, c);
            const double indent = indentOf(row, c);
            const QFontMetricsF &metrics = row.bold ? bold : regular;
            word = std::max(word, widest(metrics, text, true) + indent);
            whole = std::max(whole, widest(metrics, text, false) + indent);
        }
        need[c] = columns[c].fit == ColumnFit::OneLine ? std::max(word, whole)
                : columns[c].fit == ColumnFit::Whole   ? std::max(word, std::min(whole, textWidth() / 3))
                                                       : word;
        need[c] += 2 * scaled(kCellPaddingMm) + scaled(0.5); // the half millimetre against rounding
    }
    std::vector<bool> fixed(count);
    for (std::size_t c = 0; c < count; ++c)
        fixed[c] = columns[c].fit == ColumnFit::OneLine;
    std::vector<double> widths(count, 0);
    for (bool changed = true; changed;) {
        changed = false;
        double left = textWidth();
        int shares = 0;
        for (std::size_t c = 0; c < count; ++c) {
            if (fixed[c])
                left -= need[c];
            else
                shares += std::max(columns[c].width, 1);
        }
        for (std::size_t c = 0; c < count; ++c) {
            widths[c] = fixed[c] || left <= 0 ? need[c] : left * std::max(columns[c].width, 1) / std::max(shares, 1);
            if (!fixed[c] && widths[c] < need[c] && left > 0) {
                fixed[c] = true;
                changed = true;
            }
        }
    }
    double total = 0;
    for (double width : widths)
        total += width;
    const bool allFixed = std::all_of(fixed.begin(), fixed.end(), [](bool f) { return f; });
    if (total > textWidth() || (total < textWidth() && allFixed)) {
        // Wider than the page: every column gives up alike; narrower (all on
        // one line): the table still spans the page.
        for (double &width : widths)
            width *= textWidth() / total;
    }
    return widths;
}

double PdfDocument::indentOf(const DocumentRow &row, std::size_t column) const
{
    return column == static_cast<std::size_t>(row.indentedColumn) ? row.indent * scaled(kIndentMm) : 0;
}

double PdfDocument::cellTextWidth(const std::vector<double> &widths, const DocumentRow &row, std::size_t column) const
{
    return std::max(widths[column] - 2 * scaled(kCellPaddingMm) - indentOf(row, column), mm(2));
}

double PdfDocument::rowHeight(const std::vector<double> &widths, const DocumentRow &row) const
{
    m_painter->setFont(font(kBodyPoints, row.bold));
    double height = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const QString text = cellText(row, c);
        const QRectF needed = m_painter->boundingRect(QRectF(0, 0, cellTextWidth(widths, row, c), m_writer->height()),
                                                      text, cellOption(Qt::AlignLeft));
        height = std::max(height, needed.height());
    }
    return height + 2 * scaled(kCellPaddingMm);
}

void PdfDocument::drawRow(const std::vector<DocumentColumn> &columns, const std::vector<double> &widths,
                          const DocumentRow &row, double height, bool header)
{
    if (m_measuring) {
        m_y += height;
        return;
    }
    m_painter->save();
    QFont cellFont = font(kBodyPoints, row.bold);
    cellFont.setStrikeOut(row.struck);
    m_painter->setFont(cellFont);
    double x = mm(kMarginMm);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const QRectF cell(x, m_y, widths[c], height);
        m_painter->setPen(QPen(Qt::black, mm(0.2)));
        m_painter->setBrush(header ? QBrush(kHeaderShade) : QBrush(Qt::NoBrush));
        m_painter->drawRect(cell);
        const double indent = indentOf(row, c);
        const QRectF inside(x + scaled(kCellPaddingMm) + indent, m_y + scaled(kCellPaddingMm),
                            cellTextWidth(widths, row, c), height - 2 * scaled(kCellPaddingMm));
        const QString text = cellText(row, c);
        m_painter->setPen(row.struck ? kStruckColour : QColor(Qt::black));
        const Qt::Alignment alignment = header                 ? Qt::AlignHCenter
                                        : columns[c].alignRight ? Qt::AlignRight
                                                                : Qt::AlignLeft;
        m_painter->drawText(inside, text, cellOption(alignment));
        x += widths[c];
    }
    m_painter->restore();
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
    const std::vector<double> widths = columnWidths(columns, rows);
    const double headerHeight = rowHeight(widths, header);
    // The header never stands alone at a page's foot.
    makeRoom(headerHeight + (rows.empty() ? 0 : rowHeight(widths, rows.front())));
    drawRow(columns, widths, header, headerHeight, true);
    for (const DocumentRow &row : rows) {
        if (m_overflow)
            break; // measuring, and already past the page
        const double height = rowHeight(widths, row);
        if (makeRoom(height))
            drawRow(columns, widths, header, headerHeight, true);
        drawRow(columns, widths, row, height, false);
    }
    m_y += scaled(4);
    m_painter->setFont(font(kBodyPoints));
}

void PdfDocument::dottedLine(double x, double y, double width)
{
    if (m_measuring)
        return;
    m_painter->save();
    QPen pen(Qt::black, mm(0.3) * std::max(m_scale, 0.8));
    pen.setCapStyle(Qt::RoundCap);
    pen.setDashPattern({0.01, 3.0}); // round dots, in pen widths
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(x, y), QPointF(x + width, y));
    m_painter->restore();
}

void PdfDocument::formLine(const std::vector<FormField> &fields)
{
    if (fields.empty())
        return;
    const QFont leadFont = font(kFormPoints);
    const QFont valueFont = font(kFormPoints, true);
    const QFont captionFont = font(kCaptionPoints);
    const QFontMetricsF lead(leadFont, m_writer.get());
    const QFontMetricsF value(valueFont, m_writer.get());
    const double gap = scaled(1.5);
    // The printed words take their width; the dotted lines share the rest.
    double printed = 0;
    int shares = 0;
    for (const FormField &field : fields) {
        printed += field.lead.isEmpty() ? 0 : lead.horizontalAdvance(field.lead) + gap;
        printed += field.width > 0 ? gap : 0;
        shares += std::max(field.width, 0);
    }
    const double free = std::max(textWidth() - printed, mm(20));
    const QTextOption centred = cellOption(Qt::AlignHCenter);
    const QTextOption leadOption = cellOption(Qt::AlignLeft);
    // Each field's lines of value and caption height.
    std::vector<int> lines(fields.size(), 0);
    std::vector<double> lineWidths(fields.size(), 0);
    double captionHeight = 0;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (fields[f].width <= 0)
            continue;
        lineWidths[f] = free * fields[f].width / std::max(shares, 1);
        m_painter->setFont(valueFont);
        const QRectF area(0, 0, lineWidths[f], m_writer->height());
        const double height =
            fields[f].value.isEmpty() ? 0 : m_painter->boundingRect(area, fields[f].value, centred).height();
        lines[f] = std::max(1, static_cast<int>(std::lround(height / value.lineSpacing())));
        m_painter->setFont(captionFont);
        if (!fields[f].caption.isEmpty())
            captionHeight = std::max(captionHeight, m_painter->boundingRect(area, fields[f].caption, centred).height());
    }
    const int deepest = *std::max_element(lines.begin(), lines.end());
    const double height = std::max(deepest, 1) * value.lineSpacing() + scaled(0.6) + captionHeight;
    makeRoom(height);
    if (!m_measuring) {
        double x = mm(kMarginMm);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const FormField &field = fields[f];
            if (!field.lead.isEmpty()) {
                m_painter->setFont(leadFont);
                const double width = lead.horizontalAdvance(field.lead) + gap;
                m_painter->drawText(QRectF(x, m_y + (value.ascent() - lead.ascent()), width + gap, lead.lineSpacing()),
                                    field.lead, leadOption);
                x += width;
            }
            if (field.width <= 0)
                continue;
            x += gap / 2;
            if (field.blank) {
                x += lineWidths[f] + gap / 2;
                continue;
            }
            m_painter->setFont(valueFont);
            m_painter->drawText(QRectF(x, m_y, lineWidths[f], lines[f] * value.lineSpacing()), field.value, centred);
            for (int line = 0; line < lines[f]; ++line)
                dottedLine(x, m_y + line * value.lineSpacing() + value.ascent() + value.descent() * 0.6, lineWidths[f]);
            m_painter->setFont(captionFont);
            const double captionTop = m_y + lines[f] * value.lineSpacing() + scaled(0.6);
            m_painter->drawText(QRectF(x, captionTop, lineWidths[f], captionHeight), field.caption, centred);
            x += lineWidths[f] + gap / 2;
        }
    }
    m_y += height;
    m_painter->setFont(font(kBodyPoints));
}

void PdfDocument::formPlaces(const QStringList &captions)
{
    if (captions.isEmpty())
        return;
    const double column = textWidth() / captions.size();
    const double line = column * 0.8;
    const double captionWidth = column - mm(4);
    const double room = scaled(20); // for the stamp or the signature
    m_painter->setFont(font(kCaptionPoints));
    const QTextOption centred = cellOption(Qt::AlignHCenter);
    double captionHeight = 0;
    for (const QString &caption : captions)
        captionHeight = std::max(captionHeight, m_painter->boundingRect(QRectF(0, 0, captionWidth, m_writer->height()),
                                                                        caption, centred).height());
    makeRoom(room + scaled(1) + captionHeight);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const double left = mm(kMarginMm) + i * column;
        dottedLine(left + (column - line) / 2, m_y + room, line);
        if (!m_measuring)
            m_painter->drawText(QRectF(left + (column - captionWidth) / 2, m_y + room + scaled(1), captionWidth,
                                       captionHeight),
                                captions[i], centred);
    }
    m_y += room + scaled(1) + captionHeight;
    m_painter->setFont(font(kBodyPoints));
}

std::optional<double> PdfDocument::measuredHeight(const std::function<void()> &content)
{
    const double top = m_y;
    m_measuring = true;
    m_overflow = false;
    content();
    const double height = m_y - top;
    const bool overflow = m_overflow;
    m_measuring = false;
    m_overflow = false;
    m_y = top;
    m_painter->setFont(font(kBodyPoints));
    if (overflow)
        return std::nullopt;
    return height / mm(1);
}

double PdfDocument::roomLeft() const
{
    return (bottom() - m_y) / mm(1);
}

std::optional<double> PdfDocument::fittingScale(const std::function<void()> &content, double floor)
{
    const double kept = m_scale;
    std::optional<double> found;
    for (int step = 0; !found && 1.0 - 0.05 * step >= floor - 1e-9; ++step) {
        m_scale = 1.0 - 0.05 * step;
        if (measuredHeight(content))
            found = m_scale;
    }
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
