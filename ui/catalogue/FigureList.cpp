#include "ui/catalogue/FigureList.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Keyset.h"
#include "platform/database/Recordset.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/common/NumberText.h"

#include <QElapsedTimer>

namespace {

using namespace FigureColumns;

// The cells read with the keys: the number, which finds a row, and the name
// and thumbnail, which the new-figure proposal compares with every row.
constexpr int kKnownCells = kThumbnailCell;

class FigureRows : public RowSource
{
public:
    FigureRows(std::shared_ptr<const Keyset> keys, bool cartesian, QString origin)
        : m_keys(std::move(keys)), m_cartesian(cartesian), m_origin(std::move(origin))
    {
    }

    QString text(int place) const override { return numberText(place + 1); }
    QVariant storedKey(int place) const override { return m_keys->keyText(place, kNumberCell - 1); }
    bool hasStoredKey(int) const override { return true; } // a text, if an empty one
    int knownCellCount() const override { return kKnownCells; }
    QString knownCell(int place, int cell) const override { return m_keys->keyText(place, cell - 1); }

    std::optional<QStringList> readCells(int place) const override
    {
        // A paint asks for many rows at once: after a failure the others
        // fail at once too, instead of each waiting for a lock to go.
        if (m_sinceFailure.isValid() && !m_sinceFailure.hasExpired(kQuietAfterFailureMs))
            return std::nullopt;
        try {
            // The connection of now: another window may have reopened the file.
            if (!gConn || gConn->fileIdentity() != m_origin) {
                m_failure = QStringLiteral("图版数据库文件已被另一个文件替换，请重新载入列表");
                return std::nullopt;
            }
            Recordset record;
            m_keys->readRecord(place, record, gConn);
            if (record.recordCount() == 0 || !holdsListedFigure(record, place)) {
                // The rowid went to another record (one deleted, another added);
                // the figure is the one with the listed number, if any.
                record.open(CatalogueStatements::figureByNumber(m_keys->keyText(place, kNumberCell - 1)), gConn);
            }
            if (record.recordCount() == 0) {
                m_failure = QStringLiteral("图版 %1 已经不在图版数据库中（可能已被另一个程序删除或改号）")
                                .arg(m_keys->keyText(place, kNumberCell - 1));
                return std::nullopt;
            }
            return figureCells(record, m_cartesian);
        } catch (const DbError &e) {
            m_failure = e.cause();
            m_sinceFailure.start();
            return std::nullopt;
        }
    }

    QString readFailure() const override { return m_failure; }

private:
    bool holdsListedFigure(const Recordset &record, int place) const
    {
        for (int cell = 1; cell <= kKnownCells; ++cell) {
            if (record.text(kFields[cell - 1]) != m_keys->keyText(place, cell - 1))
                return false;
        }
        return true;
    }

    static constexpr qint64 kQuietAfterFailureMs = 5000;

    std::shared_ptr<const Keyset> m_keys;
    bool m_cartesian;
    QString m_origin; // the file the keys were read from
    mutable QString m_failure;
    mutable QElapsedTimer m_sinceFailure;
};

} // namespace

FigureList readFigureList(const SqlStatement &select, const std::shared_ptr<Connection> &connection, bool cartesian)
{
    auto keys = std::make_shared<Keyset>();
    keys->open(select, connection, kFields.mid(0, kKnownCells));
    FigureList list;
    list.rows.resize(static_cast<size_t>(keys->count()));
    for (int i = 0; i < keys->count(); ++i)
        list.rows[static_cast<size_t>(i)].unreadPlace = i;
    list.source = std::make_shared<FigureRows>(std::move(keys), cartesian, connection->fileIdentity());
    return list;
}

QStringList figureCells(const Recordset &record, bool cartesian)
{
    QStringList cells;
    cells.reserve(kCellCount);
    for (int cell = 1; cell <= kCellCount; ++cell)
        cells << figureCell(record, cartesian, cell);
    return cells;
}

QString figureCell(const Recordset &record, bool cartesian, int cell)
{
    return cartesian || !isCartesianOnly(cell) ? record.text(kFields[cell - 1]) : QString();
}
