// An A4 document drawn with Qt's PDF writer: the page frame (margins, the
// page number at the foot), a title, paragraphs, and tables with column
// widths whose rows wrap, break over pages and repeat the table's header.
// Every document (programme, attendance list, certificates, register) is
// built from these parts and saved whole through writeDocument.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QBuffer;
class QFont;
class QPainter;
class QPdfWriter;

namespace marbelo {

struct DocumentColumn
{
    QString caption;
    int width = 1; // a share of the text width
    bool alignRight = false;
};

struct DocumentRow
{
    QStringList cells;
    bool bold = false;
    int indent = 0;         // steps the text of one cell is indented
    int indentedColumn = 0; // the cell indented
};

class PdfDocument
{
public:
    // title: the document's title in its properties.
    explicit PdfDocument(const QString &title);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    // A centred title block, one line of text per entry, the first larger.
    void title(const QStringList &lines);
    void paragraph(const QString &text, bool bold = false);
    void table(const std::vector<DocumentColumn> &columns, const std::vector<DocumentRow> &rows);
    // Starts a new page (one per day of an attendance list, one per side of
    // a certificate).
    void pageBreak() { newPage(); }
    // Ends the document; its PDF bytes (empty when drawing failed).
    QByteArray finish();
    int pageCount() const { return m_pages; }

    // The largest scale of the text, from 1 down to floor in steps of 0.05,
    // at which content (drawing calls on this document) fits in what is
    // left of this page; none when it fits at none. Only measures: nothing
    // is drawn, and the document stays as it was.
    std::optional<double> fittingScale(const std::function<void()> &content, double floor);
    // Draws what follows at scale times the usual sizes of text and spacing.
    void setScale(double scale) { m_scale = scale; }

private:
    double textWidth() const;
    // A new page when height does not fit on this one; true when it did break.
    bool makeRoom(double height);
    void newPage();
    void drawFooter();
    double rowHeight(const std::vector<DocumentColumn> &columns, const DocumentRow &row) const;
    void drawRow(const std::vector<DocumentColumn> &columns, const DocumentRow &row, double height);
    double columnWidth(const std::vector<DocumentColumn> &columns, std::size_t column) const;
    double scaled(double millimetres) const;
    QFont font(double points, bool bold = false) const;

    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    double m_y = 0; // where the next block begins, in device units
    int m_pages = 1;
    double m_scale = 1;
    bool m_measuring = false; // fittingScale: advance without drawing
    bool m_overflow = false;  // while measuring: the content passed the page's foot
};

// Saves a document's bytes whole through a save file; false with an error
// text when the file keeps what it had (or stays absent).
bool writeDocument(const QString &path, const QByteArray &pdf, QString *error);

} // namespace marbelo
