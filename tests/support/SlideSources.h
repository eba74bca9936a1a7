// Files a trainer imports, written in code: PDF decks (with bookmarks, with a
// password, without pages, damaged) through libharu, and pictures with or
// without an EXIF orientation.
#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <vector>

namespace testing_support {

struct PdfBookmark
{
    QString title; // ASCII
    int page = 0;  // 0-based
    int level = 0; // nested under the last bookmark one level up
};

// Writes a PDF of `pages` pages of the given size in points, each filled with
// a colour of its own; with a user password when one is given.
void writePdf(const QString &path, int pages, const std::vector<PdfBookmark> &bookmarks = {},
              QSizeF pageSize = QSizeF(720, 405), const char *password = nullptr);

// A PDF of the objects given (numbered from 1, the catalogue first), with
// its cross-reference table and trailer.
QByteArray pdfFromObjects(const std::vector<QByteArray> &objects);

// A one-page PDF (the page is object 2) whose outline (object 3) starts at
// object 5; the items, objects 5 on, hold the links given ("/Next 6 0 R").
QByteArray pdfWithOutline(const std::vector<QByteArray> &items);

// A one-page PDF whose page draws so many strokes that rendering it takes
// seconds.
QByteArray slowPagePdf();

// A well-formed PDF whose page tree holds no page.
QByteArray pdfWithoutPages();

// A JPEG with an APP1 "Exif" segment whose orientation tag holds the value
// (1 upright, 6 turned a quarter clockwise ...).
QByteArray jpegWithOrientation(const QByteArray &jpeg, int orientation);

// A PNG claiming the size: signature, header chunk, an empty data chunk and the end.
QByteArray pngHeaderOnly(quint32 width, quint32 height);

// A small picture in the format Qt writes under that name ("PNG", "BMP" ...).
QByteArray pictureBytes(int width, int height, const char *format, bool alpha = false);

} // namespace testing_support
