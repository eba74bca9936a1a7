#include "presentation/ui/OutlineItemDialogs.h"

#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace marbelo {

namespace {

QRadioButton *addRadio(QWidget *parent, const QString &name, const QString &text)
{
    auto *radio = new QRadioButton(text, parent);
    radio->setObjectName(name);
    return radio;
}

// Spreads the widgets over one row: the first at its left end, the last at its
// right end, each as wide as its caption needs.
void layOutRow(const QList<QWidget *> &widgets, const QRect &row)
{
    const auto needed = [&widgets] {
        int sum = 0;
        for (const QWidget *widget : widgets)
            sum += widget->sizeHint().width();
        return sum;
    };
    shrinkFontToFit(widgets, needed, row.width());
    const int gap = widgets.size() > 1 ? std::max(0, int((row.width() - needed()) / (widgets.size() - 1))) : 0;
    int x = row.left();
    for (QWidget *widget : widgets) {
        widget->setGeometry(x, row.top(), widget->sizeHint().width(), row.height());
        x += widget->width() + gap;
    }
}

} // namespace

NewItemDialog::NewItemDialog(QWidget *owner)
    : QelDialog(owner, QStringLiteral(" Nowa pozycja w prezentacji"), 4040, QSize(392, 105))
{
    QLabel *label = addLabel(this, QStringLiteral("QelNewViewNameLabel"), QStringLiteral("Nazwa"), QPoint(8, 12));
    m_nameEdit = addNameEdit(this, QStringLiteral("QelNewViewNameEdit"), label, QRect(64, 8, 321, 22));

    m_chapterButton = addRadio(this, QStringLiteral("QelNewView1RadioButton"), QStringLiteral("Utwórz jako rozdział"));
    // The first choice shows its caption left of the circle.
    m_chapterButton->setLayoutDirection(Qt::RightToLeft);
    m_sectionButton = addRadio(this, QStringLiteral("QelNewView2RadioButton"), QStringLiteral("Utwórz jako dział"));
    m_subsectionButton =
        addRadio(this, QStringLiteral("QelNewView3RadioButton"), QStringLiteral("Utwórz jako poddział"));
    layOutRow({m_chapterButton, m_sectionButton, m_subsectionButton}, QRect(8, 38, 377, 20));
    m_choices = new QButtonGroup(this);
    m_choices->setExclusive(true);
    m_choices->addButton(m_chapterButton, int(NewItemKind::Chapter));
    m_choices->addButton(m_sectionButton, int(NewItemKind::Section));
    m_choices->addButton(m_subsectionButton, int(NewItemKind::Subsection));

    addBevel(this, QStringLiteral("QelNewViewBevel"), QPoint(8, 66), 377);
    m_okButton = addButton(this, QStringLiteral("QelNewViewOkButton"), QStringLiteral("Utwórz"), QPoint(150, 72));
    QPushButton *cancel =
        addButton(this, QStringLiteral("QelNewViewCancelButton"), QStringLiteral("Anuluj"), QPoint(230, 72));
    QPushButton *helpButton =
        addButton(this, QStringLiteral("QelNewViewHelpButton"), QStringLiteral("Pomoc"), QPoint(310, 72));
    m_okButton->setDefault(true);

    setTabOrder(m_nameEdit, m_chapterButton);
    setTabOrder(m_chapterButton, m_sectionButton);
    setTabOrder(m_sectionButton, m_subsectionButton);
    setTabOrder(m_subsectionButton, m_okButton);
    setTabOrder(m_okButton, cancel);
    setTabOrder(cancel, helpButton);

    connect(m_nameEdit, &QLineEdit::textChanged, this, &NewItemDialog::updateOkButton);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &QelDialog::openHelp);

    setUp(OutlineState::Empty);
    updateOkButton();
    finishLayout();
}

void NewItemDialog::setUp(OutlineState state)
{
    // A subsection needs a selected item that is not a chapter; with such an
    // item selected the section is proposed, otherwise the chapter.
    const bool itemSelected = state == OutlineState::HeadingSelected || state == OutlineState::ItemSelected;
    m_chapterButton->setEnabled(true);
    m_sectionButton->setEnabled(true);
    m_subsectionButton->setEnabled(state == OutlineState::ItemSelected);
    (itemSelected ? m_sectionButton : m_chapterButton)->setChecked(true);
}

bool NewItemDialog::eventFilter(QObject *watched, QEvent *event)
{
    // As in the classic dialogs only the checked choice is a Tab stop: Tab
    // entering the group lands on it, and the arrow keys move within the group.
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        auto *radio = qobject_cast<QRadioButton *>(watched);
        QAbstractButton *checked = m_choices->checkedButton();
        if (radio && checked && radio != checked && checked->isEnabled()
            && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            checked->setFocus(reason);
            return true;
        }
    }
    return QelDialog::eventFilter(watched, event);
}

NewItemDialog::NewItemKind NewItemDialog::choice() const
{
    if (m_subsectionButton->isChecked())
        return NewItemKind::Subsection;
    if (m_sectionButton->isChecked())
        return NewItemKind::Section;
    return NewItemKind::Chapter;
}

QString NewItemDialog::name() const
{
    return m_nameEdit->text();
}

void NewItemDialog::formShow()
{
    paintPaleYellow(m_nameEdit);
    updateOkButton();
    m_nameEdit->setFocus();
}

void NewItemDialog::updateOkButton()
{
    m_okButton->setEnabled(!isBlankName(m_nameEdit->text()));
}

RenameItemDialog::RenameItemDialog(QWidget *owner)
    : QelDialog(owner, QStringLiteral(" Popraw pozycję w prezentacji"), 4050, QSize(392, 73))
{
    QLabel *label =
        addLabel(this, QStringLiteral("QelCorectViewNameLabel"), QStringLiteral("Nazwa"), QPoint(8, 12));
    m_nameEdit = addNameEdit(this, QStringLiteral("QelCorectViewNameEdit"), label, QRect(64, 8, 321, 22));

    addBevel(this, QStringLiteral("QelCorectViewBevel"), QPoint(8, 35), 377);
    m_okButton = addButton(this, QStringLiteral("QelCorectViewOkButton"), QStringLiteral("Popraw"), QPoint(150, 40));
    QPushButton *cancel =
        addButton(this, QStringLiteral("QelCorectViewCancelButton"), QStringLiteral("Anuluj"), QPoint(230, 40));
    QPushButton *helpButton =
        addButton(this, QStringLiteral("QelCorectViewHelpButton"), QStringLiteral("Pomoc"), QPoint(310, 40));
    m_okButton->setDefault(true);

    setTabOrder(m_nameEdit, helpButton);
    setTabOrder(helpButton, cancel);
    setTabOrder(cancel, m_okButton);

    connect(m_nameEdit, &QLineEdit::textChanged, this, &RenameItemDialog::updateOkButton);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &QelDialog::openHelp);

    updateOkButton();
    finishLayout();
}

void RenameItemDialog::setName(const QString &name)
{
    m_nameEdit->setText(name);
}

QString RenameItemDialog::name() const
{
    return m_nameEdit->text();
}

void RenameItemDialog::formShow()
{
    paintPaleYellow(m_nameEdit);
    updateOkButton();
    m_nameEdit->setFocus();
}

void RenameItemDialog::updateOkButton()
{
    m_okButton->setEnabled(!isBlankName(m_nameEdit->text()));
}

} // namespace marbelo
