#include "platform/listview/ListView.h"

#include "platform/geometry/Twips.h"

#include <QHeaderView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

ListView::ListView(QWidget *parent) : QTableView(parent)
{
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    connect(this, &QAbstractItemView::clicked, this, [this] {
        if (!(m_pressModifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
            emit rowClicked();
    });
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
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), {}))
        return current.row();
    const std::vector<int> rows = selectedRows();
    return rows.empty() ? -1 : rows.front();
}

std::vector<int> ListView::selectedRows() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ListView::selectRange(int first, int last, int current)
{
    selectionModel()->setCurrentIndex(m_model.index(current, 0), QItemSelectionModel::NoUpdate);
    const QItemSelection rows(m_model.index(first, 0), m_model.index(last, m_model.columnCount() - 1));
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
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
    const bool extending = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (currentIndex().row() != before && !extending && selectedRow() >= 0)
        emit rowClicked();
}

void ListView::mousePressEvent(QMouseEvent *event)
{
    m_pressModifiers = event->modifiers();
    if (event->button() != Qt::RightButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_menuRefused = !pickRowForMenu(indexAt(event->position().toPoint()).row());
}

bool ListView::pickRowForMenu(int r)
{
    if (r < 0)
        return true;
    const std::vector<int> selected = selectedRows();
    if (selected.size() > 1 && std::binary_search(selected.begin(), selected.end(), r))
        return true;
    selectOnly(r);
    emit rowClicked();
    return selectedRow() == r;
}

void ListView::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    if (std::exchange(m_menuRefused, false) && event->reason() == QContextMenuEvent::Mouse)
        return;
    emit contextMenuWanted(event->globalPos());
}
