// The slide preview pane: the picture of the selected topic or outline item,
// or the three title labels when there is none to show. Slides reach the
// picture through View.jpg, written, loaded and deleted at once.
#pragma once

#include "common/ui/PaneInterfaces.h"

#include <QWidget>

#include <array>

namespace marbelo {

class CommandFrame;
class SlideImage;
class TitleLabel;

class SlidePreviewPane : public QWidget, public SlidePreview
{
    Q_OBJECT
public:
    SlidePreviewPane(const QString &dataDir, CommandFrame &frame, QWidget *parent = nullptr);

    // Start of the program: pale yellow panes, no slide shown.
    void startUp();
    bool slideShown() const { return m_slideShown; }

    void showSlideOf(ItemReference reference, const QString &path) override;
    void showTitle() override;
    void relayout() override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Writes the decoded slide to View.jpg, loads it into the picture and
    // deletes the file; false when nothing could be shown.
    bool showThroughViewJpg(const QByteArray &coded);

    QString m_dataDir;
    CommandFrame &m_frame;
    SlideImage *m_image = nullptr;
    std::array<TitleLabel *, 3> m_labels{};
    bool m_slideShown = false; // a slide, not the title labels, is shown
};

} // namespace marbelo
