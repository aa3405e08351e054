#include "lernstand/window/klasse/ClassTableModel.h"
#include "lernstand/window/klasse/PupilTableModel.h"
#include "tests/support/ClassPupils.h"
#include "tests/support/ScopedVariable.h"

#include <QFont>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>

#include <ctime>

namespace {

using Found = JournalReading::Found;

// Ben's answers, Anna's unreadable copy, Anna, and Cem who has not answered yet.
std::shared_ptr<const ClassOverview> Class() {
    return std::make_shared<ClassOverview>(OverviewOf(
        {{Pupil("Ben", "Ben", {"2x2:r900 r900 r900 r900 r900 r900 r900 r900 r900 f"},
                Found::Answers, 24 * 30),
          Pupil("halb", "", {}, Found::Unreadable),
          Pupil("Anna", "Anna", {"7x8:f", "3x4:r900 r900 r900"}), Pupil("Cem", "Cem", {})},
         false},
        std::chrono::seconds(3)));
}

// Forty pupils "Kind 00" to "Kind 39", each with answers as many as the number says and one,
// but for those the changes give another count or leave out (-1).
std::shared_ptr<const ClassOverview> Forty(const std::map<int, int>& changes = {}) {
    ClassFolder folder;
    for (int pupil = 0; pupil <= 40; ++pupil) {
        const auto change = changes.find(pupil);
        const int answers = change != changes.end() ? change->second : pupil < 40 ? pupil + 1 : -1;
        if (answers < 0) {
            continue;
        }
        std::string words;
        for (int answer = 0; answer < answers; ++answer) {
            words += " f";
        }
        const QString name = QStringLiteral("Kind %1").arg(pupil, 2, 10, QLatin1Char('0'));
        folder.pupils.push_back(Pupil(name.toStdString(), name.toStdString(), {"7x8:" + words}));
    }
    return std::make_shared<ClassOverview>(OverviewOf(std::move(folder), std::chrono::seconds(3)));
}

} // namespace

class ClassModelsTest : public QObject {
    Q_OBJECT

private slots:
    void pupilsSortByTheirFigures_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("names");
        const QString halb = QStringLiteral("halb.sqlite – nicht lesbar (Grund)");
        QTest::newRow("Name") << 0 << false << "Anna, Ben, Cem, " + halb;
        QTest::newRow("Antworten: 10 after 4") << 1 << false << halb + ", Cem, Anna, Ben";
        QTest::newRow("Antworten, descending") << 1 << true << "Ben, Anna, Cem, " + halb;
        QTest::newRow("richtig: no share before any") << 2 << false << halb + ", Cem, Anna, Ben";
        QTest::newRow("Tage") << 3 << false << halb + ", Cem, Ben, Anna";
        QTest::newRow("zuletzt: by the day, not its text")
            << 4 << false << halb + ", Cem, Anna, Ben";
        QTest::newRow("sicher") << 5 << true << "Ben, Anna, Cem, " + halb;
        QTest::newRow("üben") << 6 << true << "Anna, Ben, Cem, " + halb;
    }

    // As the class window sorts them when a column heading is clicked.
    void pupilsSortByTheirFigures() {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QString, names);
        PupilTableModel pupils;
        pupils.SetOverview(Class());
        QSortFilterProxyModel sorted;
        sorted.setSourceModel(&pupils);
        sorted.setSortRole(PupilTableModel::kSortRole);
        sorted.setSortLocaleAware(true);
        sorted.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QStringList shown;
        for (int row = 0; row < sorted.rowCount(); ++row) {
            shown << sorted.index(row, 0).data().toString();
        }
        QCOMPARE(shown.join(u", "), names);
    }

    void pupilCells_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("tip");
        QTest::newRow("a pupil") << 2 << QStringLiteral("Anna|4|75 %|1|08.12.2026|1|1")
                                 << QStringLiteral("/media/STICK/Anna.sqlite");
        QTest::newRow("no answers yet")
            << 3 << QStringLiteral("Cem|0||0||0|0") << QStringLiteral("/media/STICK/Cem.sqlite");
        QTest::newRow("not read, and why")
            << 1 << QStringLiteral("halb.sqlite – nicht lesbar (Grund)||||||")
            << QStringLiteral("/media/STICK/halb.sqlite\nnicht lesbar (Grund)");
    }

    void pupilCells() {
        QFETCH(int, row);
        QFETCH(QString, texts);
        QFETCH(QString, tip);
        const ScopedVariable zone("TZ", "CET-1");
        tzset();
        PupilTableModel pupils;
        pupils.SetOverview(Class());
        QStringList shown;
        for (int column = 0; column < pupils.columnCount(); ++column) {
            shown << pupils.index(row, column).data().toString();
        }
        QCOMPARE(shown.join(u'|'), texts);
        QCOMPARE(pupils.index(row, 4).data(Qt::ToolTipRole).toString(), tip);
        // A file that is not counted stands apart.
        QCOMPARE(pupils.index(row, 0).data(Qt::FontRole).value<QFont>().italic(), row == 1);
    }

    // A pupil's new copy, a new pupil and one gone change only their own rows: the table stays
    // sorted, the chosen pupil chosen, and the view where it was scrolled to.
    void updatingPupilsKeepsSortSelectionAndScroll() {
        PupilTableModel pupils;
        pupils.SetOverview(Forty());
        QSortFilterProxyModel sorted;
        sorted.setSourceModel(&pupils);
        sorted.setSortRole(PupilTableModel::kSortRole);
        QTableView view;
        view.setModel(&sorted);
        view.setSortingEnabled(true);
        view.sortByColumn(1, Qt::DescendingOrder);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.resize(400, 300);
        view.show();
        const auto rowOf = [&sorted](const QString& name) {
            return sorted.match(sorted.index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly)
                .value(0);
        };
        view.selectionModel()->select(rowOf(QStringLiteral("Kind 20")),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view.verticalScrollBar()->setValue(12);
        const QSignalSpy reset(&pupils, &QAbstractItemModel::modelAboutToBeReset);
        const QSignalSpy changed(&pupils, &QAbstractItemModel::dataChanged);

        // Kind 05 handed in 60 answers, Kind 30 left, Kind 40 came with three.
        pupils.SetOverview(Forty({{5, 60}, {30, -1}, {40, 3}}));
        QCOMPARE(reset.count(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 5);
        QCOMPARE(sorted.rowCount(), 40);
        QStringList order;
        for (int row = 0; row < sorted.rowCount(); ++row) {
            order << sorted.index(row, 0).data().toString();
        }
        QCOMPARE(order.first(), QStringLiteral("Kind 05"));
        QVERIFY(!order.contains(QStringLiteral("Kind 30")));
        QCOMPARE(order.at(order.indexOf(QStringLiteral("Kind 40")) - 1), QStringLiteral("Kind 02"));
        for (int row = 1; row < sorted.rowCount(); ++row) {
            QVERIFY(sorted.index(row - 1, 1).data(PupilTableModel::kSortRole).toLongLong() >=
                    sorted.index(row, 1).data(PupilTableModel::kSortRole).toLongLong());
        }
        const QModelIndexList selected = view.selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).data().toString(), QStringLiteral("Kind 20"));
        QCOMPARE(view.verticalScrollBar()->value(), 12);
    }

    void classTableCountsPupilsWhoPractise() {
        ClassFacts facts;
        facts.pupils = 3;
        facts.practising.at(FactIndex({7, 8})) = 2;
        ClassTableModel table;
        table.SetFacts(facts);
        const QModelIndex sevenEights = table.index(7, 6);
        QCOMPARE(sevenEights.data().toString(), QStringLiteral("2"));
        QCOMPARE(sevenEights.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("7 · 8: 2 von 3 üben"));
        QCOMPARE(sevenEights.data(ClassTableModel::kShareRole).toDouble(), 2.0 / 3);
        // Nobody practises it: an empty box, on paper too.
        QCOMPARE(table.index(0, 0).data().toString(), QString());
        QCOMPARE(table.index(0, 0).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("1 · 1: 0 von 3 üben"));
    }
};

QTEST_MAIN(ClassModelsTest)
#include "ClassModelsTest.moc"
