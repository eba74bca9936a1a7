// The full-screen preview window " Podgląd prezentacji": shows the slides of a
// presentation file one at a time, stepped by keys and mouse buttons. Used by
// the program's preview and by the player of exported presentations.
#pragma once

#include "presentation/SlideStepper.h"
#include "store/SlideBlocks.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace marbelo {

class Messages;
class SlideImage;
class Stream;

class TQelViewForm : public QDialog
{
    Q_OBJECT
public:
    // Shows the blocks of the open presentation file; each slide is decoded
    // through workDir + "View.jpg". The end of the preview is confirmed
    // through messages.
    TQelViewForm(std::unique_ptr<Stream> presentation, std::vector<BlockInfo> slides, Messages &messages,
                 const QString &workDir, QWidget *owner = nullptr);
    ~TQelViewForm() override;

    int currentSlide() const { return m_stepper.current(); }
    int slideCount() const { return m_stepper.count(); }
    bool pointerHidden() const { return m_pointerHidden; }
    SlideImage *QelViewImage = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void FormKeyUp(QKeyEvent *event);
    bool FormCloseQuery();
    void QelViewImageMouseUp(Qt::MouseButton button);
    void ShowCurrentSlide();
    void act(SlideAction action);
    void showPointer();
    void hidePointer();

    std::unique_ptr<Stream> m_presentation;
    std::vector<BlockInfo> m_slides;
    Messages &m_messages;
    QString m_workDir;
    SlideStepper m_stepper;
    bool m_pointerHidden = false;
};

} // namespace marbelo
