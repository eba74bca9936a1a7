#include "common/ui/DialogParts.h"

#include "store/components/ui/Cp1250Validator.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace marbelo {

QString fileDialogStartDirectory()
{
    const QString root = QStringLiteral("C:/");
    return QDir(root).exists() && QDir::isAbsolutePath(root) ? root : QDir::homePath();
}

QPushButton *addButton(QWidget *parent, const QString &name, const QString &text, QPoint pos)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(pos.x(), pos.y(), kButtonWidth, kButtonHeight);
    return button;
}

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, QPoint pos)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(pos);
    label->adjustSize();
    return label;
}

QFrame *addBevel(QWidget *parent, const QString &name, QPoint pos, int width)
{
    auto *bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(pos.x(), pos.y(), width, 2);
    return bevel;
}

QLineEdit *addNameEdit(QWidget *parent, const QString &name, QLabel *label, const QRect &geometry)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setMaxLength(kNameLength);
    edit->setValidator(new Cp1250Validator(edit));
    label->setBuddy(edit);
    edit->setAccessibleName(label->text());
    return edit;
}

void shrinkFontToFit(const QList<QWidget *> &widgets, const std::function<int()> &neededWidth, int width)
{
    if (widgets.isEmpty())
        return;
    QFont font = widgets.first()->font();
    const bool inPixels = font.pointSizeF() <= 0;
    while (neededWidth() > width) {
        if (inPixels) {
            if (font.pixelSize() <= 8)
                return;
            font.setPixelSize(font.pixelSize() - 1);
        } else {
            if (font.pointSizeF() <= 6)
                return;
            font.setPointSizeF(font.pointSizeF() - 0.5);
        }
        for (QWidget *widget : widgets)
            widget->setFont(font);
    }
}

bool isBlankName(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

} // namespace marbelo
