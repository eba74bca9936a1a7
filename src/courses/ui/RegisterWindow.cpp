#include "courses/ui/RegisterWindow.h"

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

constexpr int kRegisterHelpContext = 2238;

} // namespace

RegisterWindow::RegisterWindow(CourseService &service, Messages &messages, QWidget *owner)
    : QDialog(owner), m_service(service), m_messages(messages), m_commands(std::make_unique<CommandMenus>(this))
{
    setObjectName(QStringLiteral("QelRegisterWindow"));
    setWindowTitle(QStringLiteral("Rejestr zaświadczeń"));
    setHelpContext(this, kRegisterHelpContext);
    resize(960, 560);
    m_questions = {askSaveFile, cancelReasonForm};

    m_table = new RegisterTable(registerColumns(), this);
    m_table->setMuted([](const RegisterEntry &e) { return e.cancelled; });
    m_view = new RecordTableView(this, "QelRegisterList", QStringLiteral("Rejestr zaświadczeń"), m_table,
                                 QDir(service.dataDir()).filePath(QStringLiteral("Kursy.ini")));

    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("QelRegisterMenuBar"));
    m_commands->buildMainMenus(menuBar, CommandWindow::Register, [](const QString &) {});
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("QelRegisterBar"));
    m_commands->fillTextToolBar(bar, MenuPlace::RegisterToolBar);
    m_commands->attachContextMenu(MenuPlace::RegisterListMenu, m_view);
    m_commands->applyShortcuts(CommandWindow::Register, [this](ShortcutScope) { return this; });
    m_commands->connectCommand(Command::SaveRegister, this, [this] { saveRegister(); });
    m_commands->connectCommand(Command::CancelRegisterEntry, this, [this] { cancelEntry(); });

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &RegisterWindow::refreshCommands);
    reload();
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::selectEntry(int row)
{
    m_view->selectRow(row);
}

const RegisterEntry *RegisterWindow::selectedEntry() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : &m_table->rows()[std::size_t(rows.first().row())];
}

void RegisterWindow::reload()
{
    const int row = m_view->selectionModel()->selectedRows().isEmpty()
                        ? -1
                        : m_view->selectionModel()->selectedRows().first().row();
    std::vector<RegisterEntry> entries;
    QString error;
    if (!m_service.registerEntries(&entries, &error)) {
        m_messages.inform(error);
        return;
    }
    m_table->setRows(std::move(entries));
    m_view->fitColumns();
    if (row >= 0 && row < m_table->rowCount())
        m_view->selectRow(row);
    refreshCommands();
}

void RegisterWindow::refreshCommands()
{
    CommandConditions c;
    c.registerEntryInForce = selectedEntry() && !selectedEntry()->cancelled;
    m_commands->applyStates(evaluateCommands(c));
}

void RegisterWindow::saveRegister()
{
    const QString path = m_questions.savePath(this, QStringLiteral("PDF (*.pdf);;CSV (*.csv)"),
                                              QStringLiteral("Rejestr zaświadczeń.pdf"));
    QString error;
    if (!path.isEmpty() && !m_service.saveRegister(path, &error))
        m_messages.inform(error);
}

void RegisterWindow::cancelEntry()
{
    const RegisterEntry *entry = selectedEntry();
    if (!entry || entry->cancelled)
        return;
    const RegisterEntry chosen = *entry;
    const QString reason = m_questions.cancelReason(this, chosen.number);
    if (reason.trimmed().isEmpty()
        || !m_messages.confirm(QStringLiteral("Anulować zaświadczenie nr %1 (%2)? Numer zostanie w rejestrze jako "
                                              "„anulowane”.")
                                   .arg(chosen.number, chosen.participantName),
                               DefaultAnswer::No))
        return;
    QString error;
    if (!m_service.cancelCertificate(chosen.number, reason, &error))
        m_messages.inform(error);
    reload();
}

} // namespace marbelo
