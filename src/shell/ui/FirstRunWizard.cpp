#include "shell/ui/FirstRunWizard.h"

#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace marbelo {

namespace {

// Help context of the raised frame around the text of both pages.
constexpr int kPicturePanelContext = 5500;
constexpr int kMargin = 8;
constexpr int kPictureSize = 48;
constexpr int kFrameInset = 4;

// A small picture of a presentation board with a pointer, drawn in code.
class WizardPicture : public QWidget
{
public:
    explicit WizardPicture(QWidget *parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF board(4, 4, width() - 8, height() - 16);
        painter.setPen(QPen(QColor(0, 0, 128), 2));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(board, 3, 3);
        painter.setPen(QPen(Qt::blue, 2));
        for (int line = 0; line < 3; ++line) {
            const qreal y = board.top() + 8 + line * 8;
            painter.drawLine(QPointF(board.left() + 6, y), QPointF(board.right() - 6 - line * 6, y));
        }
        painter.setPen(QPen(QColor(0, 0, 128), 2));
        painter.drawLine(QPointF(board.center().x(), board.bottom()), QPointF(board.center().x() - 8, height() - 2));
        painter.drawLine(QPointF(board.center().x(), board.bottom()), QPointF(board.center().x() + 8, height() - 2));
    }
};

} // namespace

FirstRunWizardBase::FirstRunWizardBase(QWidget *owner, const QString &caption, int helpContext, const QString &prefix,
                               const QStringList &labels, const QList<Button> &buttons, int defaultResult)
    : QelDialog(owner, caption, helpContext, QSize(392, 215))
{
    auto *framePanel = new QFrame(this);
    framePanel->setObjectName(prefix + QLatin1String("Panel"));
    framePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setHelpContext(framePanel, kPicturePanelContext);

    m_bodyPanel = new QFrame(framePanel);
    m_bodyPanel->setObjectName(prefix + QLatin1String("BodyPanel"));

    auto *picture = new WizardPicture(m_bodyPanel);
    picture->setObjectName(prefix + QLatin1String("Image"));
    picture->setGeometry(kMargin, kMargin, kPictureSize, kPictureSize);

    // The labels stand one under the other right of the picture; the panel
    // grows to hold the widest of them in the font in use.
    QPalette blueText = palette();
    blueText.setColor(QPalette::WindowText, Qt::blue);
    const int textLeft = kMargin + kPictureSize + kMargin;
    int y = kMargin;
    int textWidth = 0;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        QLabel *label = addLabel(m_bodyPanel, prefix + QStringLiteral("Body%1Label").arg(i + 1), labels.at(i),
                                 QPoint(textLeft, y));
        label->setPalette(blueText);
        textWidth = std::max(textWidth, label->width());
        y += label->height() + kMargin;
    }
    const QSize body(textLeft + textWidth + kMargin, std::max(y, kMargin + kPictureSize + kMargin));
    m_bodyPanel->setGeometry(kFrameInset, kFrameInset, body.width(), body.height());
    framePanel->setGeometry(kMargin, kMargin, body.width() + 2 * kFrameInset, body.height() + 2 * kFrameInset);

    const int width = std::max<int>(framePanel->width() + 2 * kMargin,
                                    kMargin + int(buttons.size()) * (kButtonWidth + 5) - 5 + kMargin);
    const int buttonTop = framePanel->geometry().bottom() + 1 + kMargin;
    int x = width - kMargin - int(buttons.size()) * (kButtonWidth + 5) + 5;
    QWidget *previous = nullptr;
    for (const Button &entry : buttons) {
        QPushButton *button = addButton(this, entry.name, entry.text, QPoint(x, buttonTop));
        x += kButtonWidth + 5;
        const int result = entry.result;
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        button->setDefault(result == defaultResult);
        if (result == WizardClose)
            m_closeButton = button;
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
    setFixedSize(width, buttonTop + kButtonHeight + kMargin);
    finishLayout();
}

void FirstRunWizardBase::reject()
{
    // Esc, the close box and "Zamknij" all end the page the same way.
    done(WizardClose);
}

void FirstRunWizardBase::formShow()
{
    paintPaleYellow(m_bodyPanel);
    if (m_closeButton)
        m_closeButton->setFocus();
}

FirstRunWizard::FirstRunWizard(QWidget *owner)
    : FirstRunWizardBase(owner, QStringLiteral(" Kreator nowego szkolenia"), 4100, QStringLiteral("QelWizard"),
                     {QStringLiteral("Dziękujemy za zainstalowanie programu \"Marbelo\". Liczymy, że spełni on "
                                     "Państwa oczekiwania."),
                      QStringLiteral("Aby rozpocząć pracę z programem proponujemy:"),
                      QStringLiteral("- utworzenie nowego szkolenia - wybierz przycisk \"Szkolenie\","),
                      QStringLiteral("- zapoznanie się z ideą programu korzystając z systemu pomocy - wybierz "
                                     "przycisk \"Pomoc\","),
                      QStringLiteral("- przycisk \"Zamknij\" zamyka to okienko i uruchamia program.")},
                     {{QStringLiteral("QelWizardTrainingButton"), QStringLiteral("Szkolenie"), WizardTraining},
                      {QStringLiteral("QelWizardHelpButton"), QStringLiteral("Pomoc"), WizardHelp},
                      {QStringLiteral("QelWizardCloseButton"), QStringLiteral("Zamknij"), WizardClose}},
                     WizardTraining)
{
    // No buttons in the title bar at all.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

FirstRunWizardEnd::FirstRunWizardEnd(QWidget *owner)
    : FirstRunWizardBase(
          owner, QStringLiteral(" Kreator nowej prezentacji"), 4110, QStringLiteral("QelWizard2"),
          {QStringLiteral("Nowe szkolenie zostało poprawnie utworzone. Kolejnym etapem jest\n"
                          "utworzenie prezentacji do szkolenia."),
           QStringLiteral("Do dyspozycji mamy wszystkie funkcje znajdujące się w menu \"Prezentacje\".\n"
                          "Tworzenie prezentacji zaczynamy od utworzenia działów i poddziałów \n"
                          "tematycznych. Tak utworzony szkielet prezentacji wypełniamy tematami \n"
                          "szczegółowymi. Wypełniać możemy korzystając z funkcji \"Kopiuj temat\" \n"
                          "albo zwyczajnie \"chwytając\" myszką i \"przeciągając\" w konkretne miejsce \n"
                          "prezentacji. Szczegółowe opisy funkcji znajdują się w systemie pomocy. ")},
          {{QStringLiteral("QelWizard2HelpButton"), QStringLiteral("Pomoc"), WizardHelp},
           {QStringLiteral("QelWizard2CloseButton"), QStringLiteral("Zamknij"), WizardClose}},
          WizardClose)
{
    // Only the system menu with its close box.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

} // namespace marbelo
