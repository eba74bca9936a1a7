#include "shell/ui/PaneFrame.h"

#include "common/ui/HelpContext.h"

#include <QLabel>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace marbelo {

namespace {

constexpr int kListBlockHeight = 120;
constexpr int kCaptionHeight = 20;

} // namespace

QToolButton *makeToolButton(QToolBar *bar, const char *objectName, int image, const QString &hint, int helpContext)
{
    auto *b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setIcon(paneImage("toolbar", image));
    b->setIconSize(QSize(32, 32));
    b->setAutoRaise(true);
    b->setFixedSize(40, 38);
    b->setToolTip(shortHint(hint));
    b->setProperty("hint", longHint(hint));
    setHelpContext(b, helpContext);
    return b;
}

QWidget *captionedBlock(const char *blockName, const char *captionName, const QString &caption, QWidget *control,
                        const QString &hint, int help)
{
    auto *panel = new QWidget;
    panel->setObjectName(QString::fromLatin1(blockName));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *strip = new QLabel(caption, panel);
    strip->setObjectName(QString::fromLatin1(captionName));
    strip->setFixedHeight(kCaptionHeight);
    strip->setFrameShape(QFrame::Panel);
    strip->setFrameShadow(QFrame::Raised);
    strip->setIndent(4);
    layout->addWidget(strip);
    layout->addWidget(control, 1);
    for (QWidget *w : {static_cast<QWidget *>(strip), control}) {
        setHelpContext(w, help);
        w->setProperty("hint", hint);
    }
    control->setAccessibleName(caption);
    return panel;
}

QWidget *column(const char *name, const char *splitterName, QWidget *top, QWidget *bottom)
{
    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->setObjectName(QString::fromLatin1(splitterName));
    splitter->addWidget(top);
    splitter->addWidget(bottom);
    splitter->setSizes({kListBlockHeight, 400});
    auto *panel = new QWidget;
    panel->setObjectName(QString::fromLatin1(name));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    return panel;
}

} // namespace marbelo
