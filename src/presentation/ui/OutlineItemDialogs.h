// The outline item dialogs: a new chapter, section or subsection, and the
// new name of an item.
#pragma once

#include "common/ui/QelDialog.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace marbelo {

// "Nowa pozycja w prezentacji": a name and what to create.
class NewItemDialog : public QelDialog
{
    Q_OBJECT
public:
    // The outline the new item goes into, which decides what is offered.
    enum class OutlineState { Empty, HeadingSelected, ItemSelected, NoneSelected };
    enum class NewItemKind { Chapter, Section, Subsection };

    explicit NewItemDialog(QWidget *owner = nullptr);

    // Enables and checks the three choices for the outline's state.
    void setUp(OutlineState state);
    NewItemKind choice() const;
    // The name exactly as typed.
    QString name() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void formShow() override;

private:
    void updateOkButton();

    QLineEdit *m_nameEdit;
    QRadioButton *m_chapterButton;
    QRadioButton *m_sectionButton;
    QRadioButton *m_subsectionButton;
    QButtonGroup *m_choices;
    QPushButton *m_okButton;
};

// "Popraw pozycję w prezentacji": the item's new name.
class RenameItemDialog : public QelDialog
{
    Q_OBJECT
public:
    explicit RenameItemDialog(QWidget *owner = nullptr);

    void setName(const QString &name);
    // The name exactly as typed.
    QString name() const;

protected:
    void formShow() override;

private:
    void updateOkButton();

    QLineEdit *m_nameEdit;
    QPushButton *m_okButton;
};

} // namespace marbelo
