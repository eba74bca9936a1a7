#include "courses/ui/EmployersWindow.h"

#include "common/CommandTable.h"
#include "common/ui/CommandMenus.h"
#include "common/ui/HelpContext.h"
#include "common/ui/RecordTableView.h"
#include "courses/CourseService.h"
#include "courses/ui/CourseEditors.h"
#include "store/components/Messages.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace marbelo {

namespace {

constexpr int kEmployersHelpContext = 4180;

} // namespace

EmployersWindow::EmployersWindow(CourseService &service, Messages &messages, QWidget *owner)
    : QDialog(owner), m_service(service), m_messages(messages),
      m_history([this](const QString &why) { m_messages.inform(why); }),
      m_commands(std::make_unique<CommandMenus>(this))
{
    setObjectName(QStringLiteral("QelEmployersWindow"));
    setWindowTitle(QStringLiteral("Pracodawcy"));
    setHelpContext(this, kEmployersHelpContext);
    resize(960, 480);
    m_questions = {editEmployerForm};

    m_table = new EmployerTable(employerColumns(), this);
    m_view = new RecordTableView(this, "QelEmployerList", QStringLiteral("Pracodawcy"), m_table,
                                 QDir(service.dataDir()).filePath(QStringLiteral("Kursy.ini")));

    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("QelEmployersMenuBar"));
    m_commands->buildMainMenus(menuBar, CommandWindow::Employers, [](const QString &) {});
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("QelEmployersBar"));
    m_commands->fillTextToolBar(bar, MenuPlace::EmployersToolBar);
    m_commands->attachContextMenu(MenuPlace::EmployerListMenu, m_view);
    m_commands->applyShortcuts(CommandWindow::Employers, [this](ShortcutScope) { return this; });
    m_commands->connectCommand(Command::NewEmployer, this, [this] { newEmployer(); });
    m_commands->connectCommand(Command::EditEmployer, this, [this] { editEmployer(); });
    m_commands->connectCommand(Command::RemoveEmployer, this, [this] { removeEmployer(); });
    m_commands->connectCommand(Command::UndoEmployers, this, [this] { m_history.undo(); });
    m_commands->connectCommand(Command::RedoEmployers, this, [this] { m_history.redo(); });

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &EmployersWindow::refreshCommands);
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this] { editEmployer(); });
    connect(&m_history, &QUndoStack::indexChanged, this, [this] { reload(); });
    reload();
}

EmployersWindow::~EmployersWindow()
{
    // The history is cleared as it goes, after the table it would reload.
    m_history.disconnect(this);
}

const Employer *EmployersWindow::selectedEmployer() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : &m_table->rows()[std::size_t(rows.first().row())];
}

void EmployersWindow::selectEmployer(qint64 id)
{
    const int row = m_table->rowOf(id);
    if (row >= 0)
        m_view->selectRow(row);
    else
        m_view->clearSelection();
}

void EmployersWindow::reload()
{
    const qint64 selected = selectedEmployer() ? selectedEmployer()->id : 0;
    std::vector<Employer> employers;
    QString error;
    if (!m_service.employers(&employers, &error)) {
        m_messages.inform(error);
        return;
    }
    {
        const QSignalBlocker blocker(m_view->selectionModel());
        m_table->setRows(std::move(employers));
        selectEmployer(selected);
    }
    m_view->fitColumns();
    refreshCommands();
}

void EmployersWindow::refreshCommands()
{
    CommandConditions c;
    c.employerSelected = selectedEmployer() != nullptr;
    c.employersCanUndo = m_history.canUndo();
    c.employersCanRedo = m_history.canRedo();
    m_commands->applyStates(evaluateCommands(c));
    const std::pair<Command, QString> history[] = {
        {Command::UndoEmployers, historyCaption(QStringLiteral("Cofnij"), m_history.undoText())},
        {Command::RedoEmployers, historyCaption(QStringLiteral("Ponów"), m_history.redoText())}};
    for (const auto &[command, caption] : history)
        if (QAction *entry = m_commands->entries(command).mainMenu)
            entry->setText(caption);
}

void EmployersWindow::newEmployer()
{
    Employer employer;
    if (!m_questions.employer(this, &employer))
        return;
    QString error;
    auto edit = m_service.addEmployer(employer, &error);
    const qint64 id = edit ? edit->made : 0;
    if (m_history.record(std::move(edit), error))
        selectEmployer(id);
}

void EmployersWindow::editEmployer()
{
    if (!selectedEmployer())
        return;
    Employer changed = *selectedEmployer();
    const qint64 id = changed.id;
    if (!m_questions.employer(this, &changed))
        return;
    changed.id = id; // the form changes what was typed, never whose record it is
    QString error;
    if (m_history.record(m_service.changeEmployer(changed, &error), error))
        selectEmployer(id);
}

void EmployersWindow::removeEmployer()
{
    const Employer *employer = selectedEmployer();
    if (!employer
        || !m_messages.confirm(QStringLiteral("Usunąć pracodawcę %1?").arg(employer->name), DefaultAnswer::No))
        return;
    QString error;
    m_history.record(m_service.removeEmployer(employer->id, &error), error);
}

} // namespace marbelo
