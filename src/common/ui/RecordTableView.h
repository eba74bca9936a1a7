// A read-only table of records, a whole row selected at a time, whose columns
// fit their contents until the user drags one; the widths the user leaves
// are kept in a settings file and come back the next time the table opens.
#pragma once

#include <QString>
#include <QTableView>

namespace marbelo {

class RecordTableView : public QTableView
{
    Q_OBJECT
public:
    // widthsFile: the INI file the widths are kept in, under the object's name.
    RecordTableView(QWidget *parent, const char *objectName, const QString &accessibleName, QAbstractItemModel *model,
                    const QString &widthsFile);
    ~RecordTableView() override;

    // After new rows: the columns fit them, unless the user chose the widths.
    void fitColumns();

private:
    QString m_widthsFile;
    bool m_userSized = false;
    bool m_fitting = false;
};

} // namespace marbelo
