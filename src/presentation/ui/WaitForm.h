// The small modeless "please wait" window shown while a presentation is
// being composed or exported. It has no controls and handles no input.
#pragma once

#include <QWidget>

namespace marbelo {

class WaitForm : public QWidget
{
    Q_OBJECT
public:
    // Shown centred on the owner's window (or on the screen without owner).
    explicit WaitForm(QWidget *owner = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace marbelo
