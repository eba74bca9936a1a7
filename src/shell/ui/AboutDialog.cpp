#include "shell/ui/AboutDialog.h"

#include "common/ui/HelpContext.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>

namespace marbelo {

namespace {

constexpr int kClientWidth = 352;
constexpr int kAboutHelpContext = 4000;

// The program's icon: a pale yellow sheet with a blue frame and the letter M.
QPixmap programIcon()
{
    QPixmap pixmap(33, 33);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(1.5, 1.5, 30, 30), 5, 5);
    painter.fillPath(sheet, kPaleYellow);
    painter.setPen(QPen(QColor(0, 64, 160), 2));
    painter.drawPath(sheet);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(20);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 33, 33), Qt::AlignCenter, QStringLiteral("M"));
    return pixmap;
}

} // namespace

AboutDialog::AboutDialog(QWidget *owner, const QString &dataDir)
    : QelDialog(owner, QStringLiteral("O programie ..."), kAboutHelpContext, QSize(kClientWidth, kShortHeight))
{
    setObjectName(QStringLiteral("QelAboutForm"));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("QelAboutProgramIcon"));
    icon->setGeometry(16, 16, 33, 33);
    icon->setPixmap(programIcon());
    icon->setCursor(Qt::PointingHandCursor);

    QLabel *name = addLabel("QelAboutNameLabel", {80, 12}, QStringLiteral("Marbelo"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->adjustSize();
    addLabel("QelAboutVersionLabel", {80, 26}, QStringLiteral("wersja 1.0, sierpień 2005"));

    QLabel *author = addLabel("QelAboutAuthorLabel", {80, 48}, QStringLiteral("Autor"));
    QFont underlined = author->font();
    underlined.setUnderline(true);
    author->setFont(underlined);
    author->adjustSize();
    m_authorName = addLabel("QelAboutAuthorName", {80, 68}, QString());
    m_authorName->setGeometry(80, 68, 267, 29);
    m_authorName->setWordWrap(true);
    m_authorName->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QLabel *producer = addLabel("QelAboutProducerLabel", {80, 104}, QStringLiteral("Producent"));
    producer->setFont(underlined);
    producer->adjustSize();
    m_producerName = addLabel("QelAboutProducerName", {80, 124}, QString());
    m_producerName->setGeometry(80, 124, 267, 29);
    m_producerName->setWordWrap(true);
    m_producerName->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("QelAboutButtonsBevel"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 238, 337, 2);

    QPushButton *helpButton = addButton("QelAboutHelpButton", {8, 248}, QStringLiteral("Pomoc"));
    QPushButton *historyButton = addButton("QelAboutHistoryButton", {192, 248}, QStringLiteral("Historia"));
    m_closeButton = addButton("QelAboutCloseButton", {270, 248}, QStringLiteral("Zamknij"));
    m_closeButton->setDefault(true);

    m_historyMemo = new QPlainTextEdit(this);
    m_historyMemo->setObjectName(QStringLiteral("QelAboutHistoryMemo"));
    m_historyMemo->setGeometry(8, 288, 337, 113);
    m_historyMemo->setReadOnly(true);
    m_historyMemo->setTabChangesFocus(true);
    QString history = QStringLiteral("22-08-2005 \nUkończenie prac nad programem w wersji 1.0.\n-----");
    if (!dataDir.isEmpty())
        history += QStringLiteral("\nDane programu: ") + QDir::toNativeSeparators(dataDir);
    m_historyMemo->setPlainText(history);

    setTabOrder(m_closeButton, historyButton);
    setTabOrder(historyButton, helpButton);
    setTabOrder(helpButton, m_historyMemo);
    // Out of sight, the history takes no focus; it joins the tab order when shown.
    m_historyMemo->setFocusPolicy(Qt::NoFocus);

    connect(helpButton, &QPushButton::clicked, this, &QelDialog::openHelp);
    connect(historyButton, &QPushButton::clicked, this, &AboutDialog::toggleHistory);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);

    finishLayout();
}

QLabel *AboutDialog::addLabel(const char *name, QPoint place, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->move(place);
    label->adjustSize();
    return label;
}

QPushButton *AboutDialog::addButton(const char *name, QPoint place, const QString &text)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(QRect(place, QSize(75, 25)));
    return button;
}

void AboutDialog::formShow()
{
    m_authorName->setText(QStringLiteral("Zespół Marbelo\nprojekt i wykonanie programu"));
    m_producerName->setText(QStringLiteral("Tavo Sp. z o.o."));
    paintPaleYellow(m_historyMemo);
    m_closeButton->setFocus();
}

void AboutDialog::toggleHistory()
{
    const bool show = !historyShown();
    setFixedSize(kClientWidth, show ? kTallHeight : kShortHeight);
    m_historyMemo->setFocusPolicy(show ? Qt::StrongFocus : Qt::NoFocus);
    if (!show && m_historyMemo->hasFocus())
        m_closeButton->setFocus();
}

} // namespace marbelo
