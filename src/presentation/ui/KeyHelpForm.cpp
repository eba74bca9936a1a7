#include "presentation/ui/KeyHelpForm.h"

#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace marbelo {

TQelHelpForm::TQelHelpForm(QWidget *owner) : QelDialog(owner, QStringLiteral(" Pomoc"), 4090, QSize(392, 215))
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("QelHelpPanel"));
    m_panel->setGeometry(8, 8, 377, 161);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(1);

    QList<QWidget *> labels;
    labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody1Label"),
             QStringLiteral("Prezentację obslugujemy za pomocą nastepujących klawiszy:"), QPoint(8, 8));
    labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody2Label"),
             QStringLiteral("Kolejny temat prezentacji - klawisze \"Space\", strzałka w doł lub w prawo, \n"
                            "klawisz strona w dół."),
             QPoint(8, 32));
    labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody3Label"),
             QStringLiteral("Poprzedni temat prezentacji - strzałka w górę lub w lewo, klawisz strona \n"
                            "w górę."),
             QPoint(8, 72));
    labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody4Label"), QStringLiteral("Okienko pomocy - klawisz \"F1\"."),
             QPoint(8, 112));
    labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody5Label"),
             QStringLiteral("Zakończenie prezentacji - klawisz \"Esc\"."), QPoint(8, 136));

    // Every line shows whole inside the panel, 8 pixels from either side.
    const auto widest = [&labels] {
        int width = 0;
        for (const QWidget *label : labels)
            width = std::max(width, label->sizeHint().width());
        return width;
    };
    shrinkFontToFit(labels, widest, m_panel->width() - 16);
    for (QWidget *label : labels)
        label->adjustSize();

    addBevel(this, QStringLiteral("QelHelpBevel"), QPoint(8, 176), 377);
    QPushButton *close =
        addButton(this, QStringLiteral("QelHelpCloseButton"), QStringLiteral("Zamknij"), QPoint(310, 184));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    finishLayout();
}

void TQelHelpForm::formShow()
{
    paintPaleYellow(m_panel);
}

} // namespace marbelo
