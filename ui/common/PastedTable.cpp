#include "ui/common/PastedTable.h"

namespace {

enum class Split { Tabs, Commas, Blanks };

struct Line
{
    QStringList cells;
    qsizetype end = 0; // just after the line's line break
};

bool isBlank(QChar c)
{
    return c != QLatin1Char('\n') && c.isSpace();
}

class LineReader
{
public:
    LineReader(const QString &text, qsizetype start, Split split) : m_text(text), m_at(start), m_split(split) {}

    Line read()
    {
        Line line;
        for (;;) {
            if (m_split == Split::Blanks) {
                while (m_at < m_text.size() && isBlank(m_text[m_at]))
                    ++m_at;
                if (atLineEnd())
                    break;
            }
            line.cells << readCell();
            if (atLineEnd())
                break;
            ++m_at; // the separator
        }
        line.end = m_at < m_text.size() ? m_at + 1 : m_at;
        return line;
    }

private:
    bool atLineEnd() const { return m_at >= m_text.size() || m_text[m_at] == QLatin1Char('\n'); }

    bool atSeparator() const
    {
        const QChar c = m_text[m_at];
        switch (m_split) {
        case Split::Tabs: return c == QLatin1Char('\t');
        case Split::Commas: return c == QLatin1Char(',');
        case Split::Blanks: return isBlank(c);
        }
        return false;
    }

    QString readCell()
    {
        QString cell;
        qsizetype quote = m_at;
        if (m_split == Split::Commas) { // "1, "a, b"": the blank after a comma is no part of a quoted cell
            while (quote < m_text.size() && isBlank(m_text[quote]))
                ++quote;
        }
        if (quote < m_text.size() && m_text[quote] == QLatin1Char('"')) {
            m_at = quote + 1;
            while (m_at < m_text.size()) {
                const QChar c = m_text[m_at++];
                if (c != QLatin1Char('"')) {
                    cell += c;
                } else if (m_at < m_text.size() && m_text[m_at] == QLatin1Char('"')) {
                    cell += c;
                    ++m_at;
                } else {
                    break;
                }
            }
        }
        while (!atLineEnd() && !atSeparator())
            cell += m_text[m_at++];
        return cell;
    }

    const QString &m_text;
    qsizetype m_at;
    Split m_split;
};

Line readLine(const QString &text, qsizetype start)
{
    for (Split split : {Split::Tabs, Split::Commas}) {
        Line line = LineReader(text, start, split).read();
        if (line.cells.size() > 1)
            return line;
    }
    return LineReader(text, start, Split::Blanks).read();
}

} // namespace

QList<QStringList> readPastedTable(const QString &text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QList<QStringList> lines;
    for (qsizetype at = 0; at < normalized.size();) {
        Line line = readLine(normalized, at);
        at = line.end;
        lines << std::move(line.cells);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
