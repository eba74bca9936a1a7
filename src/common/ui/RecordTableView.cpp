#include "common/ui/RecordTableView.h"

#include <QHeaderView>
#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace marbelo {

RecordTableView::RecordTableView(QWidget *parent, const char *objectName, const QString &accessibleName,
                                 QAbstractItemModel *model, const QString &widthsFile)
    : QTableView(parent), m_widthsFile(widthsFile)
{
    setObjectName(QLatin1String(objectName));
    setAccessibleName(accessibleName);
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    QHeaderView *header = horizontalHeader();
    header->setStretchLastSection(true);
    const QStringList widths = QSettings(m_widthsFile, QSettings::IniFormat).value(this->objectName()).toStringList();
    if (widths.size() == header->count()) {
        for (int column = 0; column < header->count(); ++column)
            header->resizeSection(column, std::clamp(widths[column].toInt(), 24, 1000));
        m_userSized = true;
    }
    // A width the user drags is kept; the last column only follows the window.
    connect(header, &QHeaderView::sectionResized, this, [this, header](int column) {
        if (!m_fitting && column < header->count() - 1)
            m_userSized = true;
    });
}

RecordTableView::~RecordTableView()
{
    if (!m_userSized)
        return;
    QStringList widths;
    for (int column = 0; column < horizontalHeader()->count(); ++column)
        widths << QString::number(horizontalHeader()->sectionSize(column));
    QSettings(m_widthsFile, QSettings::IniFormat).setValue(objectName(), widths);
}

void RecordTableView::fitColumns()
{
    if (m_userSized)
        return;
    m_fitting = true;
    resizeColumnsToContents();
    m_fitting = false;
}

} // namespace marbelo
