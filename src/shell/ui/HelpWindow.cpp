#include "shell/ui/HelpWindow.h"

#include "common/ProgramName.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace marbelo {

namespace {

// A help document is a few hundred kilobytes; anything far larger is not ours.
constexpr qint64 kMaxHelpFileSize = 16 * 1024 * 1024;

QSet<QString> anchorsOf(const QTextDocument &document)
{
    QSet<QString> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QStringList names = it.fragment().charFormat().anchorNames();
            for (const QString &name : names)
                anchors.insert(name);
        }
    }
    return anchors;
}

} // namespace

// The help window itself: navigation buttons, a notice strip and the text.
// While a modal dialog is open the window becomes that dialog's child window,
// so that the modal dialog does not block it; when the dialog closes it is
// a window of its own again.
class HelpView : public QWidget
{
public:
    HelpView()
    {
        setWindowTitle(QString::fromLatin1(kProgramName) + QStringLiteral(" - Pomoc"));
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(640, 560);

        auto *back = new QPushButton(QStringLiteral("Wstecz"), this);
        auto *forward = new QPushButton(QStringLiteral("Dalej"), this);
        auto *contents = new QPushButton(QStringLiteral("Spis treści"), this);
        auto *index = new QPushButton(QStringLiteral("Indeks"), this);
        m_notice = new QLabel(this);
        m_notice->setObjectName(QStringLiteral("HelpNotice"));
        m_notice->setWordWrap(true);
        m_notice->setMargin(6);
        m_notice->hide();
        paintPaleYellow(m_notice);
        m_browser = new QTextBrowser(this);
        m_browser->setObjectName(QStringLiteral("HelpBrowser"));
        m_browser->setOpenExternalLinks(false);
        m_browser->setAccessibleName(QStringLiteral("Pomoc"));

        auto *buttons = new QHBoxLayout;
        buttons->addWidget(back);
        buttons->addWidget(forward);
        buttons->addSpacing(12);
        buttons->addWidget(contents);
        buttons->addWidget(index);
        buttons->addStretch();
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(m_notice);
        layout->addWidget(m_browser, 1);

        back->setEnabled(false);
        forward->setEnabled(false);
        QObject::connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        QObject::connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
        QObject::connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
        QObject::connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
        QObject::connect(contents, &QPushButton::clicked, this, [this] { go(QStringLiteral("contents")); });
        QObject::connect(index, &QPushButton::clicked, this, [this] { go(QStringLiteral("index")); });
        QObject::connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) {
            m_anchor = url.fragment();
            setNotice(QString());
        });
    }

    QTextBrowser *browser() const { return m_browser; }
    QString anchor() const { return m_anchor; }
    QString notice() const { return m_notice->text(); }
    bool hasAnchor(const QString &name) const { return m_anchors.contains(name); }

    // Reads the help document unless it is already shown; false when it
    // cannot be read (the window then shows a notice).
    bool load(const QString &path)
    {
        if (m_loaded)
            return true;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxHelpFileSize) {
            m_browser->clear();
            m_anchors.clear();
            m_anchor.clear();
            setNotice(QStringLiteral("Nie można otworzyć pliku pomocy „%1”. Pomoc programu jest niedostępna.")
                          .arg(QDir::toNativeSeparators(path)));
            return false;
        }
        m_browser->setHtml(QString::fromUtf8(file.readAll()));
        m_browser->clearHistory();
        m_anchors = anchorsOf(*m_browser->document());
        m_loaded = true;
        return true;
    }

    // Shows the section under the anchor (a link within the document, so
    // that "Wstecz" returns to where the reader was).
    void go(const QString &name)
    {
        QUrl url;
        url.setFragment(name);
        m_browser->setSource(url);
        m_anchor = name;
    }

    void setNotice(const QString &text)
    {
        m_notice->setText(text);
        m_notice->setVisible(!text.isEmpty());
    }

    // Shows and raises the window above whatever is active now.
    void present()
    {
        followModal();
        show();
        raise();
        activateWindow();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Hide) {
            // The modal dialog closes; the help stays open on its own.
            const bool shown = isVisible();
            reparent(nullptr);
            if (shown)
                show();
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    void followModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == this || modal == parentWidget())
            return;
        reparent(modal);
    }

    void reparent(QWidget *owner)
    {
        const QPoint place = pos();
        const QSize extent = size();
        if (QWidget *old = parentWidget())
            old->removeEventFilter(this);
        setParent(owner, Qt::Window);
        if (owner)
            owner->installEventFilter(this);
        resize(extent);
        if (m_placed)
            move(place);
    }

    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        m_placed = true;
    }

    QTextBrowser *m_browser;
    QLabel *m_notice;
    QSet<QString> m_anchors;
    QString m_anchor;
    bool m_loaded = false;
    bool m_placed = false;
};

HelpWindow::HelpWindow(QString helpFile) : m_helpFile(std::move(helpFile)) {}

HelpWindow::~HelpWindow()
{
    delete m_view.data();
}

QString HelpWindow::topicAnchor(int context)
{
    return QStringLiteral("ctx-%1").arg(context);
}

void HelpWindow::showTopic(int context)
{
    open(topicAnchor(context),
         QStringLiteral("Brak opisu tematu pomocy nr %1. Wyświetlono spis treści.").arg(context));
}

void HelpWindow::showContents()
{
    open(QStringLiteral("contents"), QStringLiteral("Brak spisu treści w pliku pomocy."));
}

void HelpWindow::showIndex()
{
    open(QStringLiteral("index"), QStringLiteral("Brak indeksu w pliku pomocy. Wyświetlono spis treści."));
}

void HelpWindow::open(const QString &anchor, const QString &missingNotice)
{
    if (!m_view)
        m_view = new HelpView;
    m_view->present();
    if (!m_view->load(m_helpFile))
        return;
    if (m_view->hasAnchor(anchor)) {
        m_view->go(anchor);
        return;
    }
    m_view->go(QStringLiteral("contents"));
    m_view->setNotice(missingNotice);
}

QWidget *HelpWindow::window() const
{
    return m_view.data();
}

QTextBrowser *HelpWindow::browser() const
{
    return m_view ? m_view->browser() : nullptr;
}

QString HelpWindow::currentAnchor() const
{
    return m_view ? m_view->anchor() : QString();
}

QString HelpWindow::notice() const
{
    return m_view ? m_view->notice() : QString();
}

} // namespace marbelo
