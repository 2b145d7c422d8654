#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// The values of a record set's rows, kept compact: a list of 100,000 figures
// holds two and a half million of them. A value takes 16 bytes, numbers in
// place, texts and bytes as UTF-8 in blocks that never move; a QVariant is
// made only when a value is read.
class StoredRows
{
public:
    void clear(int fieldCount);
    int rowCount() const { return static_cast<int>(m_rowIds.size()); }

    // A new row of NULLs; its values are then set field by field.
    void appendRow(qint64 rowId);
    qint64 rowId(int row) const { return m_rowIds[size_t(row)]; }

    void setInteger(int row, int field, qint64 n) { at(row, field) = Value::integer(n); }
    void setReal(int row, int field, double d) { at(row, field) = Value::real(d); }
    void setBoolean(int row, int field, bool b) { at(row, field) = Value::boolean(b); }
    void setText(int row, int field, const char *utf8, size_t size);
    void setBytes(int row, int field, const char *bytes, size_t size);
    void setValue(int row, int field, const QVariant &value);

    QVariant value(int row, int field) const;
    QString text(int row, int field) const; // valueText() of value(), without the QVariant

private:
    struct Value
    {
        enum Type : quint8 { Null, Integer, Real, Boolean, Text, Bytes };
        Type type = Null;
        quint32 size = 0; // of a text or bytes
        union {
            qint64 n;
            double d;
            const char *data;
        };
        Value() : n(0) {}
        static Value integer(qint64 n) { Value v; v.type = Integer; v.n = n; return v; }
        static Value real(double d) { Value v; v.type = Real; v.d = d; return v; }
        static Value boolean(bool b) { Value v; v.type = Boolean; v.n = b; return v; }
    };
    static_assert(sizeof(Value) == 16);

    Value &at(int row, int field) { return m_values[size_t(row) * size_t(m_fieldCount) + size_t(field)]; }
    const char *keep(const char *data, size_t size);

    int m_fieldCount = 0;
    std::vector<qint64> m_rowIds;
    std::vector<Value> m_values;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_blockUsed = 0, m_blockSize = 0; // of the open block, the last one; 0 when none is open
};
