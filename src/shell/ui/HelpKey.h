// The F1 key anywhere in the program: opens the help topic of the highlighted
// menu entry, or else of the focused control or its nearest parent with one.
#pragma once

#include <QObject>

namespace marbelo {

class HelpKey : public QObject
{
    Q_OBJECT
public:
    explicit HelpKey(QObject *parent = nullptr);

    // Creates the filter as a child of the application and installs it there.
    static HelpKey *install();

    // The help context F1 opens at this moment; 0 when there is none or when
    // the active window handles F1 itself (dynamic property "ownsF1").
    static int currentContext();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace marbelo
