#include "presentation/ui/PdfLayoutDialog.h"

#include "common/ui/DialogParts.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

namespace marbelo {

namespace {

// The help context of the command and of this dialog.
constexpr int kPdfHelpContext = 2250;

QRadioButton *addChoice(QWidget *parent, const QString &name, const QString &text, QPoint pos)
{
    auto *button = new QRadioButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(pos.x(), pos.y(), 377, 20);
    return button;
}

} // namespace

PdfLayoutDialog::PdfLayoutDialog(QWidget *owner)
    : QelDialog(owner, QStringLiteral("Zapisz jako PDF"), kPdfHelpContext, QSize(392, 105))
{
    m_slidesButton = addChoice(this, QStringLiteral("QelPdfSlidesRadioButton"), QStringLiteral("Slajdy"), QPoint(8, 10));
    m_handoutsButton = addChoice(this, QStringLiteral("QelPdfHandoutsRadioButton"),
                                 QStringLiteral("Materiały dla uczestników"), QPoint(8, 36));
    auto *choices = new QButtonGroup(this);
    choices->addButton(m_slidesButton);
    choices->addButton(m_handoutsButton);
    m_slidesButton->setChecked(true);

    addBevel(this, QStringLiteral("QelPdfBevel"), QPoint(8, 66), 377);
    QPushButton *ok = addButton(this, QStringLiteral("QelPdfOkButton"), QStringLiteral("Zapisz"), QPoint(150, 72));
    QPushButton *cancel = addButton(this, QStringLiteral("QelPdfCancelButton"), QStringLiteral("Anuluj"), QPoint(230, 72));
    QPushButton *help = addButton(this, QStringLiteral("QelPdfHelpButton"), QStringLiteral("Pomoc"), QPoint(310, 72));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &QelDialog::openHelp);
    finishLayout();
}

PdfLayout PdfLayoutDialog::layout() const
{
    return m_handoutsButton->isChecked() ? PdfLayout::Handouts : PdfLayout::Slides;
}

} // namespace marbelo
