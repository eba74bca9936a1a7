// The two pages of the first-run wizard: the greeting that offers to create
// the first training, and the page that explains how a presentation is made.
#pragma once

#include "common/ui/QelDialog.h"

#include <QList>
#include <QStringList>

class QFrame;
class QPushButton;

namespace marbelo {

// Results of the wizard pages (as the message boxes count them).
enum WizardResult { WizardClose = 2, WizardTraining = 6, WizardHelp = 7 };

// A pale yellow panel with a picture and blue text in a raised frame, and a
// row of buttons that each close the page with their own result. Esc and the
// close box give WizardClose; the focus starts on "Zamknij".
class FirstRunWizardBase : public QelDialog
{
    Q_OBJECT
public:
    void reject() override;

protected:
    struct Button
    {
        QString name;
        QString text;
        int result;
    };
    // `prefix` names the components (prefix + "Panel", "BodyPanel", "Image",
    // "Body1Label" ...); `lines` holds one entry per label, lines broken by "\n".
    FirstRunWizardBase(QWidget *owner, const QString &caption, int helpContext, const QString &prefix,
                   const QStringList &labels, const QList<Button> &buttons, int defaultResult);

    void formShow() override;

private:
    QFrame *m_bodyPanel = nullptr;
    QPushButton *m_closeButton = nullptr;
};

// " Kreator nowego szkolenia": "Szkolenie" (6, default), "Pomoc" (7), "Zamknij" (2);
// no buttons in the title bar.
class FirstRunWizard : public FirstRunWizardBase
{
    Q_OBJECT
public:
    explicit FirstRunWizard(QWidget *owner = nullptr);
};

// " Kreator nowej prezentacji": "Pomoc" (7), "Zamknij" (2, default); only the
// system menu and close box in the title bar.
class FirstRunWizardEnd : public FirstRunWizardBase
{
    Q_OBJECT
public:
    explicit FirstRunWizardEnd(QWidget *owner = nullptr);
};

} // namespace marbelo
