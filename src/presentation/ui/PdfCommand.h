// The dialogs of "Zapisz jako PDF", kept by the main window for as long as it
// lives (the save dialog remembers the last name chosen). Tests put a scripted
// save dialog in place of the file dialog.
#pragma once

#include "presentation/ui/FileSaveDialog.h"

#include <QObject>

namespace marbelo {

class PdfCommandDialogs : public QObject
{
    Q_OBJECT
public:
    explicit PdfCommandDialogs(QWidget *window);

    // The dialogs of the window, made on first use.
    static PdfCommandDialogs &of(QWidget *window);

    SaveDialog &saveDialog() { return m_replacement ? *m_replacement : m_fileDialog; }
    // The save dialog of "Program szkolenia (PDF)..." (the same replacement in tests).
    SaveDialog &programmeDialog() { return m_replacement ? *m_replacement : m_programmeDialog; }
    void setSaveDialog(SaveDialog *dialog) { m_replacement = dialog; }

private:
    FileSaveDialog m_fileDialog;
    FileSaveDialog m_programmeDialog;
    SaveDialog *m_replacement = nullptr;
};

} // namespace marbelo
