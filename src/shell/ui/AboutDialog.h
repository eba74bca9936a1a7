// The About box: program name and version, author and producer, and the
// version history that "Historia" shows below the buttons and hides again.
#pragma once

#include "common/ui/QelDialog.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace marbelo {

class AboutDialog : public QelDialog
{
    Q_OBJECT
public:
    // Client heights: the history lies below the bottom edge, or is shown whole.
    static constexpr int kShortHeight = 281;
    static constexpr int kTallHeight = 409;

    // dataDir: the data folder, named at the end of the history.
    explicit AboutDialog(QWidget *owner, const QString &dataDir = QString());

    bool historyShown() const { return height() > kShortHeight; }

public slots:
    void toggleHistory();

protected:
    void formShow() override;

private:
    QLabel *addLabel(const char *name, QPoint place, const QString &text);
    QPushButton *addButton(const char *name, QPoint place, const QString &text);

    QLabel *m_authorName;
    QLabel *m_producerName;
    QPushButton *m_closeButton;
    QPlainTextEdit *m_historyMemo;
};

} // namespace marbelo
