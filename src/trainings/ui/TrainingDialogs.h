// The three training dialogs: new training, new training from another one and
// rename training. One layout: a name, a training type, OK / Anuluj / Pomoc.
#pragma once

#include "common/ui/QelDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace marbelo {

class TrainingDialogBase : public QelDialog
{
    Q_OBJECT
public:
    // The name exactly as typed (blanks around it kept).
    void setName(const QString &name);
    QString name() const;
    // Selects the entry of a training type; a number outside 0..5 leaves
    // nothing selected. Does not re-evaluate the OK button.
    void selectType(int type);
    // Number of the chosen training type, -1 when none is chosen.
    int chosenType() const;

protected:
    // `prefix` names the components: prefix + "NameEdit", "TypeEdit", "OkButton" ...
    // With `okNeedsType` the OK button also waits for a chosen type.
    TrainingDialogBase(QWidget *owner, const QString &prefix, const QString &caption, int helpContext,
                    const QString &okText, bool okNeedsType);

    void formShow() override;

private:
    void updateOkButton();

    QLineEdit *m_nameEdit;
    QComboBox *m_typeEdit;
    QPushButton *m_okButton;
    bool m_okNeedsType;
};

// "Nowe szkolenie": starts with an empty name and the first training type.
class NewTrainingDialog : public TrainingDialogBase
{
    Q_OBJECT
public:
    explicit NewTrainingDialog(QWidget *owner = nullptr);
};

// "Nowe szkolenie od ...": the caller fills in the source training's name and type.
class NewTrainingFromDialog : public TrainingDialogBase
{
    Q_OBJECT
public:
    explicit NewTrainingFromDialog(QWidget *owner = nullptr);
};

// "Popraw szkolenie": the caller fills in the training's name and type; OK
// needs only a name.
class RenameTrainingDialog : public TrainingDialogBase
{
    Q_OBJECT
public:
    explicit RenameTrainingDialog(QWidget *owner = nullptr);
};

} // namespace marbelo
