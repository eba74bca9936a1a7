// Building blocks shared by the small dialogs: buttons of the standard size,
// labels, bevel lines, the name edit and the blank-name test of their OK
// buttons, and where the file dialogs start.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace marbelo {

// Size of every dialog button.
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// Longest name a record stores.
constexpr int kNameLength = 128;

// Where the file dialogs start when no file was chosen yet: "C:\" where it
// exists, the user's home directory elsewhere.
QString fileDialogStartDirectory();

QPushButton *addButton(QWidget *parent, const QString &name, const QString &text, QPoint pos);
QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, QPoint pos);
// A sunken horizontal line.
QFrame *addBevel(QWidget *parent, const QString &name, QPoint pos, int width);
// A single-line edit for a name: at most 128 characters, only text that
// Windows-1250 can hold; carries its label's text for screen readers.
QLineEdit *addNameEdit(QWidget *parent, const QString &name, QLabel *label, const QRect &geometry);

// Lowers the font size of the widgets, half a point at a time and not below
// 6 points, while `neededWidth` says they need more than `width` pixels. The
// fixed layouts are drawn for a small dialog font; this keeps captions whole
// where the desktop's font is larger.
void shrinkFontToFit(const QList<QWidget *> &widgets, const std::function<int()> &neededWidth, int width);

// True when nothing is left of the text once all leading and trailing
// characters of code 32 or less are taken away (blanks, tabs, line breaks,
// other control characters). Other characters, even other spaces, count.
bool isBlankName(const QString &text);

} // namespace marbelo
