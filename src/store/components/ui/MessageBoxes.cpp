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

void MessageBoxes::inform(const QString &text)
{
    QMessageBox box(QMessageBox::Information, title(), text, QMessageBox::Ok, m_owner);
    box.exec();
}

bool MessageBoxes::confirm(const QString &text, DefaultAnswer defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nie"));
    return box.exec() == QMessageBox::Yes;
}

} // namespace marbelo
