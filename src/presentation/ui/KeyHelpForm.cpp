#include "presentation/ui/KeyHelpForm.h"

#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace marbelo {

namespace {

// The keys added after the first five lines, one line each.
const QString kMoreKeys[] = {
    QStringLiteral("Pierwszy i ostatni temat - klawisze \"Home\" i \"End\"."),
    QStringLiteral("Temat o podanym numerze - cyfry numeru, potem klawisz \"Enter\"."),
    QStringLiteral("Czarny ekran - klawisz \"B\" lub \".\", biały ekran - \"W\" lub \",\"."),
    QStringLiteral("Powrót do tematu - dowolny klawisz lub kliknięcie."),
    QStringLiteral("Przegląd slajdów - \"G\" lub \"Tab\"; strzałki, \"Enter\", \"Esc\"."),
    QStringLiteral("Zachowanie proporcji slajdu - klawisz \"P\"."),
    QStringLiteral("Czas od początku od nowa (konsola prezentera) - \"R\"."),
    QStringLiteral("Mysz: lewy przycisk - kolejny temat, prawy - poprzedni."),
};
constexpr int kLineHeight = 24;
constexpr int kAddedHeight = int(std::size(kMoreKeys)) * kLineHeight;

} // namespace

KeyHelpForm::KeyHelpForm(QWidget *owner) : QelDialog(owner, QStringLiteral(" Pomoc"), 4090, QSize(392, 215 + kAddedHeight))
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("QelHelpPanel"));
    m_panel->setGeometry(8, 8, 377, 161 + kAddedHeight);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(1);

    QList<QWidget *> labels;
    labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody1Label"),
             QStringLiteral("Prezentację obsługujemy za pomocą następujących klawiszy:"), QPoint(8, 8));
    labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody2Label"),
             QStringLiteral("Kolejny temat prezentacji - klawisze \"Spacja\", strzałka w dół lub w prawo, \n"
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
    for (int i = 0; i < int(std::size(kMoreKeys)); ++i)
        labels << addLabel(m_panel, QStringLiteral("QelViewerHelpBody%1Label").arg(i + 6), kMoreKeys[i],
                           QPoint(8, 160 + i * kLineHeight));

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

    addBevel(this, QStringLiteral("QelHelpBevel"), QPoint(8, 176 + kAddedHeight), 377);
    QPushButton *close =
        addButton(this, QStringLiteral("QelHelpCloseButton"), QStringLiteral("Zamknij"), QPoint(310, 184 + kAddedHeight));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    finishLayout();
}

void KeyHelpForm::formShow()
{
    paintPaleYellow(m_panel);
}

} // namespace marbelo
