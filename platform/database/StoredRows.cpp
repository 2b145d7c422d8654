#include "platform/database/StoredRows.h"

#include "platform/database/ColumnKind.h"
#include "platform/database/StorageClass.h"

#include <cstring>
#include <limits>

namespace {

// Blocks grow from small (a save reads one row at a time) to 1 MB (a list).
constexpr size_t kFirstBlockSize = 4096, kLargestBlockSize = size_t(1) << 20;

} // namespace

void StoredRows::clear(int fieldCount)
{
    m_fieldCount = fieldCount;
    std::vector<qint64>().swap(m_rowIds);
    std::vector<Value>().swap(m_values);
    m_blocks.clear();
    m_blockUsed = m_blockSize = 0;
}

void StoredRows::appendRow(qint64 rowId)
{
    m_rowIds.push_back(rowId);
    m_values.resize(m_values.size() + size_t(m_fieldCount));
}

const char *StoredRows::keep(const char *data, size_t size)
{
    if (size == 0)
        return ""; // empty text, not NULL
    if (m_blockSize - m_blockUsed < size) {
        const size_t nextSize = m_blockSize == 0 ? kFirstBlockSize : std::min(2 * m_blockSize, kLargestBlockSize);
        if (size > nextSize) {
            // A long text gets a block of its own; the open block stays open for shorter ones.
            auto block = std::make_unique_for_overwrite<char[]>(size);
            char *kept = block.get();
            std::memcpy(kept, data, size);
            m_blocks.insert(m_blockSize == 0 ? m_blocks.end() : m_blocks.end() - 1, std::move(block));
            return kept;
        }
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(nextSize));
        m_blockSize = nextSize;
        m_blockUsed = 0;
    }
    char *kept = m_blocks.back().get() + m_blockUsed;
    std::memcpy(kept, data, size);
    m_blockUsed += size;
    return kept;
}

void StoredRows::setText(int row, int field, const char *utf8, size_t size)
{
    Value v;
    v.type = Value::Text;
    v.size = quint32(std::min<size_t>(size, std::numeric_limits<quint32>::max()));
    v.data = keep(utf8, v.size);
    at(row, field) = v;
}

void StoredRows::setBytes(int row, int field, const char *bytes, size_t size)
{
    setText(row, field, bytes, size);
    at(row, field).type = Value::Bytes;
}

void StoredRows::setValue(int row, int field, const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool && !value.isNull()) { // kept apart from integers: it reads back as a bool
        setBoolean(row, field, value.toBool());
        return;
    }
    switch (storageClassOf(value)) {
    case StorageClass::Null:
        at(row, field) = Value();
        return;
    case StorageClass::Integer:
        setInteger(row, field, value.toLongLong());
        return;
    case StorageClass::Real:
        setReal(row, field, value.toDouble());
        return;
    case StorageClass::Blob: {
        const QByteArray bytes = value.toByteArray();
        setBytes(row, field, bytes.constData(), size_t(bytes.size()));
        return;
    }
    case StorageClass::Text: {
        const QByteArray text = value.toString().toUtf8();
        setText(row, field, text.constData(), size_t(text.size()));
        return;
    }
    }
}

QVariant StoredRows::value(int row, int field) const
{
    const Value &v = m_values[size_t(row) * size_t(m_fieldCount) + size_t(field)];
    switch (v.type) {
    case Value::Integer:
        return qlonglong(v.n);
    case Value::Real:
        return v.d;
    case Value::Boolean:
        return v.n != 0;
    case Value::Text:
        return QString::fromUtf8(v.data, v.size);
    case Value::Bytes:
        return QByteArray(v.data, v.size);
    case Value::Null:
        break;
    }
    return QVariant();
}

QString StoredRows::text(int row, int field) const
{
    const Value &v = m_values[size_t(row) * size_t(m_fieldCount) + size_t(field)];
    switch (v.type) {
    case Value::Integer:
        return integerValueText(v.n);
    case Value::Real:
        return realValueText(v.d);
    case Value::Boolean:
        return v.n != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case Value::Text:
        return QString::fromUtf8(v.data, v.size);
    case Value::Bytes:
        return valueText(QByteArray(v.data, v.size));
    case Value::Null:
        break;
    }
    return QString();
}
