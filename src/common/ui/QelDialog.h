// Base of every dialog: fixed size, centred on its owner, sees keys before
// its controls (releasing Esc anywhere closes it with Cancel), and carries a
// help context that its "Pomoc" button and F1 open.
#pragma once

#include <QDialog>

namespace marbelo {

class QelDialog : public QDialog
{
    Q_OBJECT
public:
    QelDialog(QWidget *owner, const QString &caption, int helpContext, QSize clientSize);

    int helpContextNumber() const { return m_helpContext; }

public slots:
    // Opens the dialog's own help topic; the dialog stays open.
    void openHelp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Gives every child the dialog's help context, and lets the dialog see
    // their keys first. Call at the end of the constructor.
    void finishLayout();
    // Prepares the dialog's contents and focus each time it is shown.
    virtual void formShow() {}

private:
    int m_helpContext;
};

} // namespace marbelo
