// An A4 document drawn with Qt's PDF writer: the page frame (margins, the
// page number at the foot unless switched off), the organiser's letterhead,
// a title, paragraphs, tables whose columns fit their texts and whose rows
// wrap, break over pages and repeat the table's header, and the parts of a
// printed form (fields written on dotted lines with their captions beneath,
// the places for a stamp and a signature). Every document (programme,
// attendance list, certificates, register, the exam's papers) is built from
// these parts and saved whole through writeDocument.
#pragma once

#include "documents/Letterhead.h"

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

enum class PageOrientation { Portrait, Landscape };

// How a column's width follows its texts: wrapped between words (never
// narrower than its longest word while the page allows), as wide as its
// widest text up to a third of the page (a name), or on one line whatever
// its width (a number, a date).
enum class ColumnFit { Wrap, Whole, OneLine };

struct DocumentColumn
{
    QString caption;
    int width = 1; // a share of the width the one-line columns leave
    bool alignRight = false;
    ColumnFit fit = ColumnFit::Wrap;
};

struct DocumentRow
{
    QStringList cells;
    bool bold = false;
    int indent = 0;         // steps the text of one cell is indented
    int indentedColumn = 0; // the cell indented
    bool struck = false;    // grey and struck through: an entry no longer in force
};

// One stretch of a form's line: the printed words before it, then a dotted
// line with the value written on it and its caption in small type beneath.
// A field of no width is printed words alone (the "r." closing a date).
struct FormField
{
    QString lead;
    QString value;
    QString caption;
    int width = 1;      // a share of the line's width the printed words leave
    bool blank = false; // room only, without a dotted line
};

class PdfDocument
{
public:
    // title: the document's title in its properties.
    explicit PdfDocument(const QString &title, PageOrientation orientation = PageOrientation::Portrait);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    // Pages without "Strona N" at the foot (a certificate's); the foot's room
    // is then the content's.
    void hidePageNumbers() { m_pageNumbers = false; }

    // The organiser's name and address beside its logo, ruled off below;
    // nothing for an empty letterhead.
    void letterhead(const Letterhead &letterhead);
    // A centred title block, one line of text per entry, the first larger
    // (firstPoints) and bold.
    void title(const QStringList &lines, double firstPoints = 15);
    void paragraph(const QString &text, bool bold = false);
    void table(const std::vector<DocumentColumn> &columns, const std::vector<DocumentRow> &rows);
    // One line of a form; the value wraps onto further dotted lines.
    void formLine(const std::vector<FormField> &fields);
    // Places side by side, each a blank room (for a stamp or a signature)
    // over a dotted line with its caption beneath.
    void formPlaces(const QStringList &captions);
    // Empty room of the height (at the current scale).
    void space(double millimetres);
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
    // The height content takes at the current scale, in millimetres; none
    // when it does not fit in what is left of this page. Only measures.
    std::optional<double> measuredHeight(const std::function<void()> &content);
    // What is left of this page, in millimetres.
    double roomLeft() const;
    // Draws what follows at scale times the usual sizes of text and spacing.
    void setScale(double scale) { m_scale = scale; }

private:
    double textWidth() const;
    double bottom() const;
    // A new page when height does not fit on this one; true when it did break.
    bool makeRoom(double height);
    void newPage();
    void drawFooter();
    std::vector<double> columnWidths(const std::vector<DocumentColumn> &columns,
                                     const std::vector<DocumentRow> &rows) const;
    double rowHeight(const std::vector<double> &widths, const DocumentRow &row) const;
    void drawRow(const std::vector<DocumentColumn> &columns, const std::vector<double> &widths,
                 const DocumentRow &row, double height, bool header);
    double indentOf(const DocumentRow &row, std::size_t column) const;
    double cellTextWidth(const std::vector<double> &widths, const DocumentRow &row, std::size_t column) const;
    void dottedLine(double x, double y, double width);
    double scaled(double millimetres) const;
    QFont font(double points, bool bold = false) const;

    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    double m_y = 0; // where the next block begins, in device units
    int m_pages = 1;
    double m_scale = 1;
    bool m_pageNumbers = true;
    bool m_measuring = false; // fittingScale: advance without drawing
    bool m_overflow = false;  // while measuring: the content passed the page's foot
};

// Saves a document's bytes whole through a save file; false with an error
// text when the file keeps what it had (or stays absent).
bool writeDocument(const QString &path, const QByteArray &pdf, QString *error);

} // namespace marbelo
