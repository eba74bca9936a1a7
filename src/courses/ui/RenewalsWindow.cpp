#include "courses/ui/RenewalsWindow.h"

#include "common/CommandTable.h"
#include "common/ui/CommandMenus.h"
#include "common/ui/HelpContext.h"
#include "courses/ui/CourseEditors.h"
#include "courses/ui/CourseTables.h"
#include "courses/ui/RenewalTree.h"
#include "store/components/Messages.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSet>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace marbelo {

namespace {

constexpr int kRenewalsHelpContext = 2239;
constexpr int kDefaultMonths = 3;

} // namespace

RenewalsWindow::RenewalsWindow(CourseService &service, Messages &messages, QWidget *owner)
    : QDialog(owner), m_service(service), m_messages(messages), m_commands(std::make_unique<CommandMenus>(this))
{
    setObjectName(QStringLiteral("QelRenewalsWindow"));
    setWindowTitle(QStringLiteral("Odnowienia"));
    setHelpContext(this, kRenewalsHelpContext);
    resize(1000, 560);
    m_questions = {askSaveFile, editCourseForm};

    m_tree = new RenewalTree(this);
    m_sorted = new RenewalSort(this);
    m_sorted->setSourceModel(m_tree);
    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("QelRenewalsTree"));
    m_view->setAccessibleName(QStringLiteral("Odnowienia"));
    m_view->setModel(m_sorted);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setUniformRowHeights(true);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(RenewalTree::Due, Qt::AscendingOrder);

    // The period: from a day, so many months ahead.
    m_asOf = new QDateEdit(QDate::currentDate(), this);
    m_asOf->setObjectName(QStringLiteral("QelRenewalsAsOf"));
    m_asOf->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_asOf->setCalendarPopup(true);
    m_months = new QSpinBox(this);
    m_months->setObjectName(QStringLiteral("QelRenewalsMonths"));
    m_months->setRange(0, 120);
    m_months->setValue(kDefaultMonths);
    m_months->setSuffix(QStringLiteral(" mies."));
    auto *period = new QHBoxLayout;
    const std::pair<QString, QWidget *> fields[] = {{QStringLiteral("Na dzień"), m_asOf},
                                                   {QStringLiteral("Termin w ciągu"), m_months}};
    for (const auto &[label, field] : fields) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        field->setAccessibleName(label);
        period->addWidget(caption);
        period->addWidget(field);
    }
    period->addStretch(1);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("QelRenewalsSummary"));

    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("QelRenewalsMenuBar"));
    m_commands->buildMainMenus(menuBar, CommandWindow::Renewals, [](const QString &) {});
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("QelRenewalsBar"));
    m_commands->fillTextToolBar(bar, MenuPlace::RenewalsToolBar);
    m_commands->attachContextMenu(MenuPlace::RenewalsListMenu, m_view);
    m_commands->applyShortcuts(CommandWindow::Renewals, [this](ShortcutScope) { return this; });
    m_commands->connectCommand(Command::RenewalLetters, this, [this] {
        save(QStringLiteral("PDF (*.pdf)"), QStringLiteral(".pdf"),
             QStringLiteral("Wykaz szkoleń okresowych %1.pdf").arg(shortDate(m_asOf->date())));
    });
    m_commands->connectCommand(Command::RenewalsCsv, this, [this] {
        save(QStringLiteral("CSV (*.csv)"), QStringLiteral(".csv"),
             QStringLiteral("Odnowienia %1.csv").arg(shortDate(m_asOf->date())));
    });
    m_commands->connectCommand(Command::CourseFromRenewals, this, [this] { newCourse(); });

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(bar);
    layout->addLayout(period);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_summary);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &RenewalsWindow::refreshCommands);
    connect(m_asOf, &QDateEdit::dateChanged, this, &RenewalsWindow::reload);
    connect(m_months, &QSpinBox::valueChanged, this, &RenewalsWindow::reload);
    reload();
}

RenewalsWindow::~RenewalsWindow() = default;

QAction *RenewalsWindow::command(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void RenewalsWindow::setPeriod(const QDate &asOf, int months)
{
    {
        const QSignalBlocker dateBlocker(m_asOf);
        const QSignalBlocker monthsBlocker(m_months);
        m_asOf->setDate(asOf);
        m_months->setValue(months);
    }
    reload();
}

std::optional<MadeCourse> RenewalsWindow::takeMadeCourse()
{
    return std::exchange(m_made, std::nullopt);
}

void RenewalsWindow::reload()
{
    std::vector<Renewal> renewals;
    QString error;
    if (!m_service.renewals(m_asOf->date(), m_months->value(), &renewals, &error)) {
        m_messages.inform(error);
        return;
    }
    const auto overdue = std::count_if(renewals.begin(), renewals.end(), [](const Renewal &r) { return r.overdue; });
    m_tree->setRenewals(renewals);
    m_view->expandAll();
    // An employer's row tells its name and counts across the whole width.
    for (int row = 0; row < m_sorted->rowCount(); ++row)
        m_view->setFirstColumnSpanned(row, QModelIndex(), true);
    m_view->header()->resizeSection(RenewalTree::Due, fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000"))
                                                          + m_view->indentation() * 2);
    for (int column = RenewalTree::State; column < RenewalTree::ColumnCount; ++column)
        m_view->resizeColumnToContents(column);
    m_summary->setText(renewals.empty() ? QStringLiteral("Nikomu nie mija w tym czasie termin szkolenia okresowego.")
                                        : QStringLiteral("Osób: %1, w tym zaległych: %2.")
                                              .arg(renewals.size())
                                              .arg(overdue));
    refreshCommands();
}

void RenewalsWindow::refreshCommands()
{
    CommandConditions c;
    c.renewalsListed = m_tree->rowCount() > 0;
    c.renewalsSelected = m_view->selectionModel()->hasSelection();
    m_commands->applyStates(evaluateCommands(c));
}

std::vector<Renewal> RenewalsWindow::chosen(bool allWhenNone) const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    const QSet<QModelIndex> selected(rows.begin(), rows.end());
    std::vector<Renewal> people;
    for (int g = 0; g < m_sorted->rowCount(); ++g) {
        const QModelIndex group = m_sorted->index(g, 0);
        const bool whole = selected.contains(group) || (selected.isEmpty() && allWhenNone);
        for (int p = 0; p < m_sorted->rowCount(group); ++p) {
            const QModelIndex person = m_sorted->index(p, 0, group);
            if (whole || selected.contains(person))
                people.push_back(*m_tree->renewalAt(m_sorted->mapToSource(person)));
        }
    }
    return people;
}

void RenewalsWindow::save(const QString &filter, const QString &suffix, const QString &proposed)
{
    const std::vector<Renewal> people = chosen(true);
    QString path = m_questions.savePath(this, filter, proposed);
    if (path.isEmpty())
        return;
    // The service tells the kind of file by the name's ending.
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    QString error;
    if (!m_service.saveRenewals(people, m_asOf->date(), path, &error))
        m_messages.inform(error);
}

void RenewalsWindow::newCourse()
{
    const std::vector<Renewal> people = chosen(false);
    if (people.empty())
        return;
    const CertificateFact &first = people.front().fact;
    const auto all = [&](auto same) { return std::all_of(people.begin(), people.end(), same); };
    Course course = m_service.newCourse(first.training);
    if (all([&](const Renewal &r) { return r.fact.employer.id == first.employer.id; }))
        course.employer = first.employer.id;
    QString error;
    // People of several trainings: the service refuses them before anything is asked or made.
    if (all([&](const Renewal &r) { return r.fact.training == first.training; })) {
        std::vector<Employer> employers;
        if (!m_service.employers(&employers, &error)) {
            m_messages.inform(error);
            return;
        }
        if (!m_questions.course(this, &course, employers))
            return;
    }
    auto edit = m_service.addCourseFor(course, people, &error);
    if (!edit) {
        m_messages.inform(error);
        return;
    }
    m_made = MadeCourse{first.training, edit->made, std::move(*edit)};
    accept();
}

} // namespace marbelo
