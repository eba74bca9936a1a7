#include "exam/ui/ExamForms.h"

#include "common/ui/HelpContext.h"
#include "exam/Draw.h"
#include "exam/ScormPackage.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace marbelo::exam {

namespace {

constexpr int kMaxQuestions = 200;

enum Column { Name, VariantColumn, Letters, Points };

QDialogButtonBox *okCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QSpinBox *spin(QDialog *dialog, const char *objectName, const QString &label, int maximum, int value)
{
    auto *box = new QSpinBox(dialog);
    box->setObjectName(QLatin1String(objectName));
    box->setAccessibleName(label);
    box->setRange(1, maximum);
    box->setValue(value);
    return box;
}

} // namespace

bool testSizeForm(QWidget *owner, int *count, int *variants)
{
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("QelPrepareTestDialog"));
    dialog.setWindowTitle(QStringLiteral("Przygotuj test"));
    setHelpContext(&dialog, kTestSizeHelp);
    auto *form = new QFormLayout(&dialog);
    QSpinBox *questions = spin(&dialog, "QelTestQuestionCount", QStringLiteral("Liczba pytań"), kMaxQuestions, *count);
    QSpinBox *variantCount =
        spin(&dialog, "QelTestVariantCount", QStringLiteral("Liczba wariantów"), kMaxVariantCount, *variants);
    form->addRow(questions->accessibleName(), questions);
    form->addRow(variantCount->accessibleName(), variantCount);
    form->addRow(okCancel(&dialog));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *count = questions->value();
    *variants = variantCount->value();
    return true;
}

bool selfCheckForm(QWidget *owner, int *count, int *passMark)
{
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("QelScormDialog"));
    dialog.setWindowTitle(QStringLiteral("Pakiet e-learningowy (SCORM)"));
    setHelpContext(&dialog, kScormHelp);
    auto *form = new QFormLayout(&dialog);
    QSpinBox *questions = spin(&dialog, "QelScormQuestionCount", QStringLiteral("Pytania testu do samosprawdzenia"),
                               kMaxSelfCheckQuestions, *count);
    QSpinBox *mark = spin(&dialog, "QelScormPassMark", QStringLiteral("Próg zaliczenia (%)"), 100, *passMark);
    form->addRow(questions->accessibleName(), questions);
    form->addRow(mark->accessibleName(), mark);
    form->addRow(okCancel(&dialog));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *count = questions->value();
    *passMark = mark->value();
    return true;
}

bool resultsForm(QWidget *owner, const std::vector<Participant> &participants, int questions,
                 std::vector<ResultEntry> *entries)
{
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("QelExamResultsDialog"));
    dialog.setWindowTitle(QStringLiteral("Wyniki egzaminu"));
    setHelpContext(&dialog, kResultsHelp);
    dialog.resize(640, 420);
    auto *layout = new QVBoxLayout(&dialog);
    auto *hint = new QLabel(QStringLiteral("Wpisz wariant i litery zaznaczone na arkuszu jednym ciągiem, np. ABCAD "
                                           "(„-” brak odpowiedzi, „X” kilka zaznaczeń), albo sam wynik w punktach."),
                            &dialog);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *table = new QTableWidget(int(participants.size()), 4, &dialog);
    table->setObjectName(QStringLiteral("QelExamResultsTable"));
    table->setAccessibleName(QStringLiteral("Wyniki egzaminu"));
    table->setHorizontalHeaderLabels({QStringLiteral("Uczestnik"), QStringLiteral("Wariant"),
                                      QStringLiteral("Zaznaczone odpowiedzi"), QStringLiteral("Punkty")});
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    entries->resize(participants.size());
    for (std::size_t i = 0; i < participants.size(); ++i) {
        const ResultEntry &entry = (*entries)[i];
        auto *name = new QTableWidgetItem(participants[i].surname + QLatin1Char(' ') + participants[i].firstName);
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        table->setItem(int(i), Name, name);
        table->setItem(int(i), VariantColumn, new QTableWidgetItem(entry.variant));
        table->setItem(int(i), Letters, new QTableWidgetItem(entry.letters));
        table->setItem(int(i), Points,
                       new QTableWidgetItem(entry.letters.isEmpty() && entry.points >= 0
                                                ? QString::number(entry.points)
                                                : QString()));
    }
    table->resizeColumnToContents(Name);
    // The letters of a whole test show without scrolling, in a font where
    // each letter has the same width, so a missed one is seen.
    QFont letters = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int row = 0; row < table->rowCount(); ++row)
        table->item(row, Letters)->setFont(letters);
    const int lettersWidth = QFontMetrics(letters).horizontalAdvance(QString(std::max(questions, 10) + 2, u'W'));
    table->setColumnWidth(Letters, std::max(lettersWidth, table->horizontalHeader()->sectionSizeHint(Letters)));
    table->resizeColumnToContents(VariantColumn);
    dialog.resize(std::max(dialog.width(), table->horizontalHeader()->length() + 120), dialog.height());
    layout->addWidget(table);
    layout->addWidget(okCancel(&dialog));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    for (std::size_t i = 0; i < participants.size(); ++i) {
        ResultEntry &entry = (*entries)[i];
        entry.participant = participants[i].id;
        entry.letters = table->item(int(i), Letters)->text().trimmed();
        entry.variant = table->item(int(i), VariantColumn)->text().trimmed();
        const QString points = table->item(int(i), Points)->text().trimmed();
        bool number = false;
        entry.points = points.toInt(&number);
        if (!entry.letters.isEmpty() || points.isEmpty())
            entry.points = -1;
        else if (!number || entry.points < 0)
            entry.points = -2; // refused by the scoring, which says why
        if (entry.letters.isEmpty() && !points.isEmpty())
            entry.variant.clear();
    }
    return true;
}

} // namespace marbelo::exam
