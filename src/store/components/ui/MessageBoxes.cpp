#include "store/components/ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace marbelo {

namespace {
QString title()
{
    return QApplication::applicationDisplayName().isEmpty() ? QApplication::applicationName()
                                                            : QApplication::applicationDisplayName();
}
} // namespace

int MessageBoxes::InformationMessage(const QString &text, int, int, int)
{
    QMessageBox box(QMessageBox::Information, title(), text, QMessageBox::Ok, m_owner);
    box.exec();
    return 1;
}

int MessageBoxes::Confirmation2Message(const QString &text, int, int, int defaultButton)
{
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No, m_owner);
    // The last number picks the default answer: 1 = "Nie", otherwise "Tak".
    box.setDefaultButton(defaultButton == 1 ? QMessageBox::No : QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nie"));
    return box.exec() == QMessageBox::Yes ? kAnswerYes : 7;
}

} // namespace marbelo
