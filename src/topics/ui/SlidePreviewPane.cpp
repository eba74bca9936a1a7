#include "topics/ui/SlidePreviewPane.h"

#include "common/ui/HelpContext.h"
#include "store/SlideFile.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/components/JpegDecoder.h"
#include "store/components/Stream.h"
#include "topics/PreviewLayout.h"
#include "topics/ui/PreviewWidgets.h"

namespace marbelo {

SlidePreviewPane::SlidePreviewPane(const QString &dataDir, CommandFrame &frame, QWidget *parent)
    : QWidget(parent), m_dataDir(dataDir), m_frame(frame)
{
    setObjectName(QStringLiteral("QelViewBodyPanel"));
    m_image = new SlideImage(this);
    m_image->setObjectName(QStringLiteral("QelViewImage"));
    m_image->setGeometry(0, 0, 0, 0);
    const QColor face = palette().color(QPalette::Button);
    const struct { const char *name; const char *text; QColor shadow; } labels[3] = {
        {"Qel3DLabel1", "Mar", face}, {"Qel3DLabel2", "be", Qt::gray}, {"Qel3DLabel3", "lo", Qt::gray}};
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        m_labels[i] = new TitleLabel(QString::fromLatin1(labels[i].text), labels[i].shadow, this);
        m_labels[i]->setObjectName(QString::fromLatin1(labels[i].name));
        m_labels[i]->setGeometry(0, 0, 0, kTitleLabelHeight);
    }
    for (QWidget *w : {static_cast<QWidget *>(m_image), static_cast<QWidget *>(m_labels[0]),
                       static_cast<QWidget *>(m_labels[1]), static_cast<QWidget *>(m_labels[2])}) {
        setHelpContext(w, 2600);
        w->setProperty("hint", QStringLiteral("Okienko podglądu tematu szczegółowego"));
    }
}

void SlidePreviewPane::startUp()
{
    for (QWidget *label : m_labels)
        paintPaleYellow(label);
    m_slideShown = false;
}

void SlidePreviewPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void SlidePreviewPane::relayout()
{
    paintPaleYellow(this);
    const PreviewLayout layout = layoutPreview(size(), m_slideShown, m_image->pictureSize());
    m_image->setGeometry(layout.image);
    m_image->setVisible(!layout.image.isEmpty());
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        m_labels[i]->setGeometry(0, layout.labelTop[i], layout.labelWidth, kTitleLabelHeight);
        m_labels[i]->setVisible(layout.labelWidth > 0);
    }
}

void SlidePreviewPane::showTitle()
{
    m_slideShown = false;
    relayout();
}

bool SlidePreviewPane::showThroughViewJpg(const QByteArray &coded)
{
    QByteArray jpeg;
    const bool written = passThroughFile(m_dataDir + kViewJpgName, coded, &jpeg);
    // Decoded once, at the size the pane will show it; a slide that cannot be
    // shown whole is not shown at all.
    const QSize shownSize = layoutPreview(size(), true, jpegImageSize(jpeg)).image.size();
    const bool shown = written && m_image->loadJpeg(jpeg, shownSize);
    if (!shown)
        m_image->clear();
    m_slideShown = shown;
    relayout();
    return shown;
}

void SlidePreviewPane::showSlideOf(ItemReference reference, const QString &path)
{
    if (!hasSlide(reference)) {
        showTitle();
    } else {
        std::unique_ptr<Stream> file = openStream(path, OpenMode::Read);
        if (!path.isEmpty() && file) {
            QByteArray coded;
            const bool read = readSlideBlock(*file, static_cast<std::int32_t>(slideOffset(reference)), &coded);
            file.reset();
            if (read) {
                showThroughViewJpg(coded);
            } else {
                // A block that cannot be read is shown as no slide, never as the previous one.
                m_image->clear();
                showTitle();
            }
        }
    }
    m_frame.refreshCommands();
}

} // namespace marbelo
