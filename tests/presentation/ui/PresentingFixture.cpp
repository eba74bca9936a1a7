#include "presentation/ui/PresentingFixture.h"

#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace marbelo;

namespace testing_support {

QColor closeColour(const QColor &c)
{
    const auto snap = [](int v) {
        const int levels[] = {0, 0x20, 0xCC, 255};
        int best = 0;
        for (const int l : levels)
            best = std::abs(v - l) < std::abs(v - best) ? l : best;
        return best;
    };
    return QColor(snap(c.red()), snap(c.green()), snap(c.blue()));
}

void PresentingFixture::openView(const std::vector<QByteArray> &jpegs)
{
    QByteArray file;
    for (const QByteArray &jpeg : jpegs)
        file += blockBytes(BCodeToStr(jpeg));
    const QString path = dir.file(QStringLiteral("Pokaz.pnn"));
    writeFile(path, file);
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    ASSERT_TRUE(stream);
    std::vector<BlockInfo> slides = indexBlocks(*stream, 0);
    view = std::make_unique<ViewForm>(std::move(stream), std::move(slides), messages);
    view->show();
}

void PresentingFixture::releaseKey(Qt::Key key, QWidget *to)
{
    QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(to ? to : view.get(), &event);
}

void PresentingFixture::releaseButton(Qt::MouseButton button, QWidget *to)
{
    QWidget *target = to ? to : view->canvas();
    const QPointF at(10, 10);
    QMouseEvent event(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), button, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QColor PresentingFixture::centreColour() const
{
    const QImage shot = view->canvas()->grab().toImage();
    return closeColour(shot.pixelColor(shot.width() / 2, shot.height() / 2));
}

} // namespace testing_support
