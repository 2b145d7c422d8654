#include "ui/catalogue/FigureListChanges.h"

#include "platform/listview/ListModel.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/common/CatalogueChanges.h"
#include "ui/common/RowEditing.h"

FigureListChanges::FigureListChanges(const ListModel &list)
{
    for (int row : markedRows(list))
        m_marked.emplace_hint(m_marked.end(), row, Before{list.tag(row), list.storedKey(row)}); // rows come in order
}

void FigureListChanges::announce(const ListModel &list, const std::vector<int> &written) const
{
    CatalogueChanges &changes = CatalogueChanges::instance();
    for (int row : written) {
        const auto before = m_marked.find(row);
        if (before == m_marked.end())
            continue;
        const QString stored = before->second.storedKey.toString();
        if (before->second.tag == RowState::Deleted) {
            if (before->second.storedKey.isValid())
                emit changes.figureDeleted(stored);
            continue;
        }
        const QString number = list.cell(row, FigureColumns::kNumberCell);
        if (before->second.storedKey.isValid() && stored != number)
            emit changes.figureRenamed(stored, number);
        emit changes.figureWritten(number);
    }
}
