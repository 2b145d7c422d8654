// A long list's rows read from their source only when a row is needed whole:
// shown, changed, or asked for a cell the source does not know without reading.
#include "platform/listview/ListModel.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Place p has text "p+1", stored key "K<p>", known cells "N<p>" and "M<p>",
// and when read the cells "N<p>" "M<p>" "c3-<p>" "c4-<p>"; place `gone` has none.
class CountingSource : public RowSource
{
public:
    mutable QList<int> reads;
    int gone = -1;

    QString text(int place) const override { return QString::number(place + 1); }
    QVariant storedKey(int place) const override { return QStringLiteral("K%1").arg(place); }
    int knownCellCount() const override { return 2; }
    QString knownCell(int place, int cell) const override
    {
        return (cell == 1 ? QStringLiteral("N%1") : QStringLiteral("M%1")).arg(place);
    }
    QString readFailure() const override { return QStringLiteral("gone"); }
    std::optional<QStringList> readCells(int place) const override
    {
        reads << place;
        if (place == gone)
            return std::nullopt;
        return QStringList{knownCell(place, 1), knownCell(place, 2), QStringLiteral("c3-%1").arg(place),
                           QStringLiteral("c4-%1").arg(place)};
    }
};

std::vector<ListRow> unreadRows(int count)
{
    std::vector<ListRow> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        rows[static_cast<size_t>(i)].unreadPlace = i;
    return rows;
}

} // namespace

class ListModelTest : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreReadOnceWhenNeededWhole()
    {
        auto source = std::make_shared<CountingSource>();
        ListModel model;
        model.setHeaders({"序号", "a", "b", "c", "d"});
        model.replaceRows(unreadRows(6), source);

        for (int r = 0; r < 6; ++r) {
            QCOMPARE(model.text(r), QString::number(r + 1));
            QCOMPARE(model.storedKey(r), QVariant(QStringLiteral("K%1").arg(r)));
            QCOMPARE(model.cell(r, 2), QStringLiteral("M%1").arg(r));
            QCOMPARE(model.tag(r), 0);
        }
        model.setTag(0, 2);
        QCOMPARE(model.tag(0), 2);
        QVERIFY(source->reads.isEmpty());

        QCOMPARE(model.cell(2, 4), QStringLiteral("c4-2"));
        QCOMPARE(model.cell(2, 3), QStringLiteral("c3-2"));
        QCOMPARE(model.data(model.index(3, 1), Qt::DisplayRole).toString(), QStringLiteral("N3"));
        QCOMPARE(source->reads, QList<int>({2}));
        QCOMPARE(model.data(model.index(3, 3), Qt::DisplayRole).toString(), QStringLiteral("c3-3")); // painting reads
        QCOMPARE(source->reads, QList<int>({2, 3}));

        // A change reads the row first, so the cells it does not change are there.
        model.setCell(4, 1, QStringLiteral("改"));
        QCOMPARE(model.cell(4, 1), QStringLiteral("改"));
        QCOMPARE(model.cell(4, 3), QStringLiteral("c3-4"));
        model.setStoredKey(5, QStringLiteral("新"));
        QCOMPARE(model.storedKey(5), QVariant(QStringLiteral("新")));
        QCOMPARE(model.text(5), QStringLiteral("6"));
        QCOMPARE(source->reads, QList<int>({2, 3, 4, 5}));

        // Rows keep their places when rows before them go.
        QVERIFY(model.removeRows(0, 2));
        QCOMPARE(model.text(0), QStringLiteral("3"));
        QCOMPARE(model.cell(0, 4), QStringLiteral("c4-2"));
        QCOMPARE(model.rows().size(), size_t(4));
        QCOMPARE(source->reads, QList<int>({2, 3, 4, 5}));
    }

    // A row that cannot be read now shows what it came with, says why, and
    // is read when it can be again; a change takes it as it is.
    void aRowThatCannotBeReadKeepsWhatItCameWith()
    {
        auto source = std::make_shared<CountingSource>();
        source->gone = 1;
        ListModel model;
        model.replaceRows(unreadRows(3), source);
        QVERIFY(model.cell(1, 3).isEmpty());
        QCOMPARE(model.cell(1, 1), QStringLiteral("N1"));
        QCOMPARE(model.cell(1, 2), QStringLiteral("M1"));
        QCOMPARE(model.text(1), QStringLiteral("2"));
        QCOMPARE(model.storedKey(1), QVariant(QStringLiteral("K1")));
        QVERIFY(!model.isRead(1));
        QCOMPARE(model.readFailure(), QStringLiteral("gone"));
        QCOMPARE(model.row(1).cells, QStringList({"N1", "M1"}));
        source->gone = -1;
        QVERIFY(model.isRead(1));
        QCOMPARE(model.cell(1, 4), QStringLiteral("c4-1"));
        const qsizetype reads = source->reads.size();
        source->gone = 2;
        model.setCell(2, 3, QStringLiteral("改"));
        QCOMPARE(model.row(2).cells, QStringList({"N2", "M2", "改"}));
        QVERIFY(model.isRead(2));
        QCOMPARE(source->reads.size(), reads + 1);
        source->reads.clear();

        // Rows of a new list owe the old source nothing.
        ListRow plain;
        plain.cells = {QStringLiteral("x")};
        std::vector<ListRow> plainRows;
        plainRows.push_back(plain);
        model.replaceRows(std::move(plainRows));
        QCOMPARE(model.cell(0, 1), QStringLiteral("x"));
        QVERIFY(source->reads.isEmpty());
    }

    // Changes made while held reach the views once, as one range covering
    // every one of them, when the outermost hold ends; none goes untold.
    void heldChangesAreToldOnceAsOneRange()
    {
        ListModel model;
        model.setHeaders({QStringLiteral("号"), QStringLiteral("甲"), QStringLiteral("乙")});
        std::vector<ListRow> rows(10);
        model.replaceRows(std::move(rows));
        QSignalSpy told(&model, &QAbstractItemModel::dataChanged);
        {
            const ListModel::HeldChanges outer(model);
            model.setText(7, QStringLiteral("8"));
            {
                const ListModel::HeldChanges inner(model);
                model.setCell(5, 2, QStringLiteral("改"));
                model.setStoredKey(3, 4);
            }
            QCOMPARE(told.count(), 0);
        }
        QCOMPARE(told.count(), 1);
        const auto topLeft = told[0][0].value<QModelIndex>(), bottomRight = told[0][1].value<QModelIndex>();
        QCOMPARE(QPair(topLeft.row(), topLeft.column()), QPair(3, 0));
        QCOMPARE(QPair(bottomRight.row(), bottomRight.column()), QPair(7, 2));
        model.setText(1, QStringLiteral("2")); // no hold: told at once
        QCOMPARE(told.count(), 2);
        { const ListModel::HeldChanges nothing(model); }
        QCOMPARE(told.count(), 2);
    }
};

QTEST_GUILESS_MAIN(ListModelTest)
#include "tst_list_model.moc"
