#include "platform/listview/ListView.h"

#include "platform/geometry/Twips.h"

#include <QHeaderView>
#include <QKeyEvent>

ListView::ListView(QWidget *parent) : QTableView(parent)
{
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // Fixed row heights keep long lists fast: the view never measures rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    // Narrow columns (27 px for 406 twips) keep their width instead of the style's minimum.
    horizontalHeader()->setMinimumSectionSize(1);
    connect(this, &QAbstractItemView::clicked, this, &ListView::rowClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, &ListView::rowDoubleClicked);
}

void ListView::setColumns(const QList<QPair<QString, int>> &captionsAndWidthsInTwips)
{
    QStringList captions;
    for (const auto &column : captionsAndWidthsInTwips)
        captions << column.first;
    m_model.setHeaders(captions);
    for (int c = 0; c < captionsAndWidthsInTwips.size(); ++c)
        setColumnWidth(c, twipsToPixels(captionsAndWidthsInTwips[c].second));
}

void ListView::setRows(std::vector<ListRow> rows, std::shared_ptr<const RowSource> source)
{
    m_model.replaceRows(std::move(rows), std::move(source));
    if (count() > 0)
        selectOnly(0);
}

int ListView::addRow(ListRow row)
{
    return m_model.appendRow(std::move(row));
}

int ListView::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListView::selectOnly(int r)
{
    const QModelIndex index = m_model.index(r, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableView::scrollTo(index.siblingAtColumn(0), hint);
}

void ListView::keyPressEvent(QKeyEvent *event)
{
    const int before = currentIndex().row();
    QTableView::keyPressEvent(event);
    if (currentIndex().row() != before && selectedRow() >= 0)
        emit rowClicked();
}
