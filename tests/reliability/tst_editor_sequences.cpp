// Seeded random edit sequences through the real windows: row clicks, field
// edits left for another field, adds, deletions, saves, reloads and closing
// and reopening windows, against a model of what the list must show and the
// table must hold. Between steps another program now and then changes,
// renumbers, deletes or adds a record of the window's table through a
// connection of its own. After every step the list's rows and cells, the
// messages and the table are compared with the model, and no record may hold
// a value that neither program gave it. The model predicts every question
// (unsaved work, another program's change of a field the user changed) and
// answers it with a random button, and every refused row. A failure names
// its seed and step. Every window also takes Del on a Shift/Ctrl-click
// selection, Ctrl+Z and Ctrl+Y against the model's own history of steps (one
// per turn of the event loop, ended by a load or a save), and Ctrl+C checked
// against the model's rows; the point and label lists take pasted tables,
// refused whole for a cell they cannot take. QUILLAR_LONG_SEQUENCES=N runs
// N seeds per window instead of the fixed set, QUILLAR_SECOND_WRITER=0
// leaves the other program out.
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/catalogue/NewFigNumber.h"
#include "ui/common/NumberText.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>

namespace {

std::mt19937 generator;
int below(int n) { return int(generator() % unsigned(n)); }
template <typename T> const T &pick(const QList<T> &from) { return from[below(int(from.size()))]; }
QString randomNumber() { return numberText(below(80) / 4.0 - 5); }

QString markedNumber(const QString &text, const char *mark) { return numberText(leadingNumber(text)) + mark; }

enum State { Unchanged, Changed, New, Deleted };

// A list row as the model expects it.
template <typename Key>
struct Row
{
    std::optional<Key> stored; // the key its record has; none before its first save
    QString text;              // the first column, marks included
    QStringList cells;         // cell 1.. as index 0..
    State state = Unchanged;
    bool deletedBySave = false; // a catalogue row whose record a save deleted
    // The cells when the row was last read or written, which tell the user's
    // edits; and what its record held then, which tells another program's.
    // Both empty for a row never read.
    QStringList read, base;
    bool unread = false; // a catalogue row whose cells past the keys are read only later
};

// A row as read from its record; a new row, never read.
template <typename Key>
Row<Key> readRow(Key key, const QString &text, const QStringList &cells)
{
    Row<Key> row;
    row.stored = key;
    row.text = text;
    row.cells = row.read = row.base = cells;
    return row;
}

template <typename Key>
Row<Key> newRow(const QString &text, const QStringList &cells)
{
    Row<Key> row;
    row.text = text;
    row.cells = cells;
    row.state = New;
    return row;
}

// The answer to a question: keep (保存, 刷新列表, 覆盖), 放弃 or 取消.
QMessageBox::StandardButton randomAnswer()
{
    return pick(QList<QMessageBox::StandardButton>{QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel});
}

// The message boxes a window must show, each as a piece of its text; the
// questions' answers are queued for the window as they are predicted.
struct Messages
{
    MessageRecorder *recorder = nullptr;
    QStringList expected;

    QMessageBox::StandardButton ask(const QString &piece)
    {
        const QMessageBox::StandardButton answer = randomAnswer();
        recorder->answerNextWith(answer);
        expected << piece;
        return answer;
    }
    void tell(const QString &piece) { expected << piece; }

    // Empty when the window showed what was expected.
    QString mismatch() const
    {
        QStringList shown;
        for (int i = 0; i < recorder->count(); ++i) {
            const QString text = recorder->shown()[i].text;
            shown << (i < expected.size() && text.contains(expected[i]) ? expected[i] : text);
        }
        return shown == expected ? QString() : "messages [" + shown.join(" | ") + "], model [" + expected.join(" | ") + "]";
    }
};

QString keyText(double number) { return numberText(number); }
QString keyText(const QString &number) { return number; }

template <typename Key>
QStringList tableRecord(const Key &key, const QStringList &values)
{
    return QStringList{keyText(key)} + values;
}

// The table as recordList() reads it: "1:a,b", "2:c,d".
template <typename Key>
QStringList tableRecords(const std::map<Key, QStringList> &table)
{
    QStringList out;
    for (const auto &[key, values] : table)
        out << keyText(key) + ':' + values.join(',');
    return out;
}

// Every value each record was ever given, by this program or the other one,
// by rowid: a value outside it can only be another record's.
class RecordHistory
{
public:
    // `tableSql` selects the records as the model holds them, key first.
    explicit RecordHistory(const QString &tableSql) : m_sql(QString(tableSql).replace(0, 6, "SELECT rowid,")) {}

    // `record` (key first) was written into the record with that key; `made`:
    // inserted, so what its rowid held before was another record's.
    void give(const TestInstallRoot &root, const QStringList &record, bool made)
    {
        for (const QVariantList &stored : root.rows(m_sql)) {
            if (stored[1].toString() != record[0])
                continue;
            auto &given = m_given[stored[0].toLongLong()];
            if (made)
                given.clear();
            given.resize(record.size());
            for (int i = 0; i < record.size(); ++i)
                given[i].insert(record[i]);
        }
    }

    QString stranger(const TestInstallRoot &root) const
    {
        for (const QVariantList &stored : root.rows(m_sql)) {
            const auto given = m_given.find(stored[0].toLongLong());
            for (int i = 1; i < stored.size(); ++i) {
                const QString value = stored[i].isNull() ? "NULL" : stored[i].toString();
                if (given == m_given.end() || !given->second[i - 1].count(value))
                    return QString("record %1 holds \"%2\" in column %3, a value neither program gave it")
                        .arg(stored[1].toString(), value).arg(i);
            }
        }
        return {};
    }

private:
    QString m_sql;
    std::map<qint64, std::vector<std::set<QString>>> m_given;
};

// What one pass of a save did when it stopped before the end: a refused row,
// or the row of a write conflict, `now` its record, `cells` the cells both changed.
struct Pass
{
    QString failure;
    int conflict = -1;
    QString what; // "图版 B003", as the question names the record
    QStringList now;
    QList<int> cells;
};

// What every window's list has: the rows, the row edits go to, the field
// texts, the adding mode, the marks edits leave, and the rules of a save.
template <typename Key>
struct RowsModel
{
    std::vector<Row<Key>> rows;
    int current = -1;
    QStringList fields; // cell 1.. as index 0..
    bool adding = false;
    Messages messages;
    std::vector<std::pair<Key, bool>> written; // records a save wrote, and whether it made them

    // The undo history since the last load or save: per step the rows it
    // changed as they were and as it left them, and the rows it appended.
    struct Step
    {
        size_t countBefore = 0;
        std::map<int, Row<Key>> before, after;
        std::vector<Row<Key>> appended;
    };
    std::vector<Step> undoable, redoable;
    std::vector<Row<Key>> stepStart; // the rows as the step under way found them
    bool historyEnded = true;

    static bool sameRow(const Row<Key> &a, const Row<Key> &b)
    {
        return a.text == b.text && a.cells == b.cells && a.state == b.state && a.stored == b.stored;
    }

    // A load or a save: nothing before it can be undone.
    void endHistory()
    {
        undoable.clear();
        redoable.clear();
        historyEnded = true;
    }

    // A turn of the event loop: the rows the action changed are one step; a new step drops what was undone.
    void endStep()
    {
        if (!std::exchange(historyEnded, false)) {
            Step step;
            step.countBefore = stepStart.size();
            for (size_t r = 0; r < std::min(stepStart.size(), rows.size()); ++r) {
                if (!sameRow(stepStart[r], rows[r]))
                    step.before[int(r)] = stepStart[r], step.after[int(r)] = rows[r];
            }
            step.appended.assign(rows.begin() + std::min(stepStart.size(), rows.size()), rows.end());
            if (!step.before.empty() || !step.appended.empty()) {
                undoable.push_back(std::move(step));
                redoable.clear();
            }
        }
        stepStart = rows;
    }

    // Ctrl+Z (`back`) or Ctrl+Y: the step's rows put back or forward; the
    // first row it touched is shown as a click shows it, none when the list
    // has no row left. `mayChange` settles edits held outside the list
    // first, and may itself make a step. False when nothing was done.
    template <typename Show>
    bool undo(bool back, const std::function<bool()> &mayChange, Show show)
    {
        if ((back ? undoable : redoable).empty() || (mayChange && !mayChange()))
            return false;
        endStep();
        auto &from = back ? undoable : redoable;
        if (from.empty())
            return false;
        Step step = std::move(from.back());
        from.pop_back();
        if (back)
            rows.resize(step.countBefore);
        for (const auto &[r, row] : back ? step.before : step.after)
            rows[r] = row;
        if (!back)
            rows.insert(rows.end(), step.appended.begin(), step.appended.end());
        int first = step.before.empty() ? int(step.countBefore) : step.before.begin()->first;
        if (!step.appended.empty())
            first = std::min(first, int(step.countBefore));
        const int row = std::min(first, int(rows.size()) - 1);
        if (row < 0)
            current = -1;
        else
            show(row);
        (back ? redoable : undoable).push_back(std::move(step));
        stepStart = rows;
        return true;
    }

    // The selection of Shift+ and Ctrl+clicks after a plain click: rows
    // chosen for good, and the range a Shift+click spans from the last row
    // clicked without Shift.
    std::set<int> chosen;
    int anchor = -1;
    std::optional<int> extendTo;

    void plainlySelected(int row) { chosen = {row}, anchor = row, extendTo.reset(); }
    void shiftSelected(int row) { extendTo = row; }
    void ctrlSelected(int row)
    {
        chosen = selection();
        extendTo.reset();
        if (!chosen.erase(row))
            chosen.insert(row);
        anchor = row;
    }
    std::set<int> selection() const
    {
        std::set<int> rowsSelected = chosen;
        for (int r = std::min(anchor, extendTo.value_or(anchor)); extendTo && r <= std::max(anchor, *extendTo); ++r)
            rowsSelected.insert(r);
        return rowsSelected;
    }

    // Del as the label and catalogue lists take it: every selected row marked.
    void markSelected(const char *mark)
    {
        for (int r : selection())
            rows[r].state = Deleted, rows[r].text = markedNumber(rows[r].text, mark);
    }

    // What Ctrl+C copies of the selected rows: the captions, then each row
    // unmarked with its cells, a cell with a tab or a line break, or one
    // starting with a quote, quoted.
    QString copied(const QStringList &captions) const
    {
        auto line = [](QStringList cells) {
            for (QString &cell : cells) {
                if (cell.contains('\t') || cell.contains('\n') || cell.contains('\r') || cell.startsWith('"'))
                    cell = '"' + cell.replace("\"", "\"\"") + '"';
            }
            return cells.join('\t') + '\n';
        };
        QString table = line(captions);
        for (int r : selection()) {
            const QString number = rows[r].state == Unchanged ? rows[r].text : rows[r].text.chopped(1);
            table += line(QStringList{number} + rows[r].cells.mid(0, captions.size() - 1));
        }
        return table;
    }

    bool hasUnsavedRows() const
    {
        for (const Row<Key> &row : rows) {
            if (row.state != Unchanged && !(row.state == Deleted && row.deletedBySave))
                return true;
        }
        return false;
    }

    QString marks() const
    {
        QStringList texts;
        for (const Row<Key> &row : rows)
            texts << row.text;
        return texts.join(' ');
    }

    void markCurrent(State state, const char *mark)
    {
        rows[current].state = state;
        rows[current].text = markedNumber(rows[current].text, mark);
    }

    // An edit reached the current row; a new row taken back is new again.
    void touchCurrent()
    {
        if (rows[current].state == Deleted && !rows[current].stored)
            markCurrent(New, "#");
        else if (rows[current].state != New)
            markCurrent(Changed, "*");
    }

    // The cells a save writes of a changed row: those the user changed since
    // it was read or written (all of a row never read); and of them, those
    // another program changed too since then, to another value.
    static std::pair<QList<int>, QList<int>> changes(const Row<Key> &row, const QStringList &now)
    {
        QList<int> edited, conflicting;
        for (int cell = 1; cell <= int(row.cells.size()); ++cell) {
            const QString &mine = row.cells[cell - 1];
            if (!row.read.isEmpty() && mine == row.read.value(cell - 1))
                continue;
            edited << cell;
            if (!row.read.isEmpty() && now.value(cell - 1) != row.base.value(cell - 1) && now.value(cell - 1) != mine)
                conflicting << cell;
        }
        return {edited, conflicting};
    }

    // Half the time a field the user changed in a row not saved yet, whose
    // record the other program then changes: the conflicts a save must ask about.
    template <typename Table>
    std::optional<std::pair<Key, int>> pendingEdit(const Table &table, int firstCell) const
    {
        std::vector<std::pair<Key, int>> edits;
        for (const Row<Key> &row : rows) {
            for (int cell : row.state == Changed && table.count(*row.stored) ? changes(row, {}).first : QList<int>()) {
                if (cell >= firstCell)
                    edits.push_back({*row.stored, cell});
            }
        }
        if (edits.empty() || below(2))
            return std::nullopt;
        return edits[below(int(edits.size()))];
    }

    // A changed row stops the pass at a conflict; true when it may be written.
    static bool mayWrite(const Row<Key> &row, int index, const QStringList &now, const QString &what, Pass &pass)
    {
        const QList<int> conflicting = changes(row, now).second;
        if (!conflicting.isEmpty())
            pass = {QString(), index, what, now, conflicting};
        return conflicting.isEmpty();
    }

    // A row written: the user's cells are what its edits are told from now;
    // of the record, the cells written are as stored now.
    static void wrote(Row<Key> &row, const QList<int> &cells, const QStringList &now)
    {
        row.read = row.cells;
        row.base.resize(now.size());
        for (int cell : cells)
            row.base[cell - 1] = now[cell - 1];
    }

    // A save as every window runs it: passes until one ends it, a question at
    // each conflict. 覆盖 writes over the other program's value, 放弃 shows
    // the row as stored, unmarked, and both go on; 取消 ends the save. True
    // when every marked row was saved.
    bool saveAsking(const std::function<Pass()> &pass, const std::function<void(int row)> &reloaded)
    {
        for (;;) {
            const Pass p = pass();
            if (!p.failure.isEmpty())
                messages.tell(p.failure);
            if (!p.failure.isEmpty() || p.conflict < 0)
                return p.failure.isEmpty();
            Row<Key> &row = rows[p.conflict];
            switch (messages.ask(p.what + " 已被另一个程序修改")) {
            case QMessageBox::Save:
                for (int cell : p.cells)
                    row.base[cell - 1] = p.now[cell - 1];
                break;
            case QMessageBox::Discard:
                row.cells = row.read = row.base = p.now;
                row.text = numberText(leadingNumber(row.text));
                row.state = Unchanged;
                reloaded(p.conflict);
                break;
            default:
                return false;
            }
        }
    }

    // Empty when the list shows the model's rows and cells.
    QString listMismatch(const ListView *list, int cellCount) const
    {
        if (::marks(list) != marks())
            return "shows " + ::marks(list) + ", model " + marks();
        for (int r = 0; r < int(rows.size()); ++r) {
            QStringList shown;
            for (int cell = 1; cell <= cellCount; ++cell)
                shown << list->cell(r, cell);
            const QStringList expected = rows[r].cells.mid(0, cellCount);
            if (shown != expected)
                return QString("row %1 shows [%2], model [%3]").arg(r + 1).arg(shown.join(','), expected.join(','));
        }
        return {};
    }
};

QList<int> allCells(int count)
{
    QList<int> cells;
    for (int cell = 1; cell <= count; ++cell)
        cells << cell;
    return cells;
}

QString rowFailure(int row, const QString &what) { return QString("第 %1 行（%2）没有保存：").arg(row + 1).arg(what); }

using Table = std::map<double, QStringList>; // number -> the record's other values

// The point, label and group editors: fields whose edits reach the row when left.
struct EditorModel : RowsModel<double>
{
    // Whether the figure was in picMain when the editor loaded, and is now.
    bool catalogued = false, figureThere = false;

    // A fresh load of `table`; the first row is shown when `clickFirst`.
    void load(const Table &table, QStringList initialFields, bool clickFirst)
    {
        rows.clear();
        endHistory();
        current = -1;
        adding = false;
        catalogued = figureThere;
        fields = std::move(initialFields);
        for (const auto &[number, values] : table)
            rows.push_back(readRow(number, numberText(number), values));
        if (clickFirst && !rows.empty())
            click(0);
    }

    // The number a new row gets: the row count, the new row included, when no
    // row and no stored record uses it; otherwise the smallest whole number
    // above every number in use.
    double newRowNumber(const Table &table) const
    {
        QList<double> inUse;
        for (const Row<double> &row : rows)
            inUse << leadingNumber(row.text) << row.stored.value_or(leadingNumber(row.text));
        for (const auto &entry : table)
            inUse << entry.first;
        const double count = double(rows.size() + 1);
        if (!inUse.contains(count))
            return count;
        return std::floor(*std::max_element(inUse.cbegin(), inUse.cend())) + 1;
    }

    void click(int row)
    {
        current = row;
        fields = rows[row].cells;
        adding = false;
    }

    // The field was given the focus, set to `text` and left.
    void edit(int cell, const QString &text)
    {
        if (std::exchange(fields[cell - 1], text) == text || adding || current < 0)
            return;
        rows[current].cells[cell - 1] = text;
        touchCurrent();
    }

    // Editors of a figure in the catalogue save only while it is there.
    bool figureGone(Pass &pass) const
    {
        if (catalogued && !figureThere)
            pass.failure = "图版 B001 已被删除或改号";
        return !pass.failure.isEmpty();
    }

    // The label and group save: rows in list order until one is refused (a
    // new row's number taken, a changed row's record gone) or meets a
    // conflict; the rows before it are written, their deleted ones leave the
    // list (the clicked row follows its row, -1 once it left), the others
    // show their number.
    Pass keyedPass(Table &table, const QString &noun)
    {
        Pass pass;
        if (std::all_of(rows.begin(), rows.end(), [](const auto &row) { return row.state == Unchanged; })
            || figureGone(pass))
            return pass;
        std::vector<bool> done(rows.size());
        for (int i = 0; i < int(rows.size()) && pass.failure.isEmpty() && pass.conflict < 0; ++i) {
            Row<double> &row = rows[i];
            const double number = row.stored.value_or(leadingNumber(row.text));
            const QString what = noun + ' ' + numberText(number);
            if (row.state == Deleted && row.stored)
                table.erase(number);
            if (row.state == Unchanged || row.state == Deleted) {
                done[i] = row.state == Deleted;
                continue;
            }
            if (row.state == New && table.count(number)) {
                pass.failure = rowFailure(i, noun + ' ' + row.text) + noun + "号 " + numberText(number) + " 已经有";
            } else if (row.state == Changed && !table.count(number)) {
                pass.failure = rowFailure(i, noun + ' ' + row.text) + what + " 已经不在图版数据库中";
            } else if (row.state == New || mayWrite(row, i, table[number], what, pass)) {
                const QList<int> cells = row.state == New ? allCells(int(row.cells.size())) : changes(row, table[number]).first;
                QStringList &record = table[number];
                if (row.state == New)
                    record = row.cells;
                for (int cell : cells)
                    record[cell - 1] = row.cells[cell - 1];
                wrote(row, cells, record);
                written.push_back({number, row.state == New});
                row.stored = number;
                row.text = numberText(number);
                row.state = Unchanged;
            }
        }
        closeUp(pass, [&](int i) { return bool(done[i]); });
        return pass;
    }

    // The rows a save took out of the list go; the current row and the
    // conflict's follow their rows, -1 when theirs went.
    template <typename Pass, typename Gone>
    void closeUp(Pass &pass, Gone went)
    {
        std::vector<Row<double>> kept;
        int clicked = -1, conflict = -1;
        for (int i = 0; i < int(rows.size()); ++i) {
            if (went(i))
                continue;
            clicked = i == current ? int(kept.size()) : clicked;
            conflict = i == pass.conflict ? int(kept.size()) : conflict;
            kept.push_back(rows[i]);
        }
        rows = kept;
        current = clicked;
        pass.conflict = conflict;
    }

    // Del as the point list takes it: the selected rows marked, or when all
    // of them are, unmarked (a row holding what it read unchanged again).
    void toggleSelected()
    {
        const std::set<int> selected = selection();
        const bool allMarked = std::all_of(selected.begin(), selected.end(), [&](int r) { return rows[r].state == Deleted; });
        for (int r : selected) {
            Row<double> &row = rows[r];
            if (!allMarked && row.state != Deleted)
                row.state = Deleted, row.text = markedNumber(row.text, "★");
            else if (allMarked && row.stored && row.cells == row.read)
                row.state = Unchanged, row.text = numberText(leadingNumber(row.text));
            else if (allMarked)
                row.state = row.stored ? Changed : New, row.text = markedNumber(row.text, row.stored ? "*" : "#");
        }
    }

    // The point save: changed rows write their changed cells, new rows go in
    // at their position among the rows that stay or a spare number, deleted
    // rows delete their records, until a row is refused or meets a conflict;
    // then every row with a record is numbered by its position among the rows
    // that stay, the deleted rows written leaving the list (the current row
    // follows its point), or nothing at all is saved when a record not in the
    // list holds a position or a record to move has gone.
    Pass pointPass(Table &table)
    {
        Pass pass;
        std::vector<int> marked;
        bool numbered = true;
        for (int i = 0; i < int(rows.size()); ++i) {
            if (rows[i].state != Unchanged)
                marked.push_back(i);
            else if (rows[i].stored && *rows[i].stored != i + 1)
                numbered = false;
        }
        if (marked.empty() && numbered) {
            for (int i = 0; i < int(rows.size()); ++i)
                rows[i].text = numberText(i + 1);
            return pass;
        }
        if (figureGone(pass))
            return pass;
        const Table before = table;
        const std::vector<Row<double>> rowsBefore = rows;
        std::set<double> claimed; // the IDs the list's stored rows were loaded with
        for (const Row<double> &row : rows) {
            if (row.state != New && row.stored)
                claimed.insert(*row.stored);
        }
        double spare = double(rows.size());
        for (const auto &entry : table)
            spare = std::max(spare, std::floor(entry.first));
        for (double id : claimed)
            spare = std::max(spare, std::floor(id));
        ++spare;
        std::map<int, double> at; // row -> the ID its record holds
        std::set<int> made, gone;
        size_t done = 0;
        for (; done < marked.size(); ++done) {
            const int i = marked[done];
            Row<double> &row = rows[i];
            if (row.state == Deleted) {
                if (row.stored)
                    table.erase(*row.stored), claimed.erase(*row.stored);
                gone.insert(i);
                continue;
            }
            if (row.state == New) {
                const double position = i + 1 - double(gone.size());
                const double id = table.count(position) || claimed.count(position) ? spare++ : position;
                table[id] = row.cells;
                wrote(row, allCells(int(row.cells.size())), row.cells);
                at[i] = id;
                made.insert(i);
                continue;
            }
            const QString what = "点 " + numberText(*row.stored);
            if (!table.count(*row.stored)) {
                pass.failure = rowFailure(i, "点号 " + row.text) + what + " 的记录已经不在图版数据库中";
                break;
            }
            QStringList &record = table[*row.stored];
            if (!mayWrite(row, i, record, what, pass))
                break;
            const QList<int> cells = changes(row, record).first;
            for (int cell : cells)
                record[cell - 1] = row.cells[cell - 1];
            wrote(row, cells, record);
        }
        std::map<int, int> target; // row -> its position among the rows that stay
        for (int i = 0, position = 0; i < int(rows.size()); ++i) {
            if (gone.count(i))
                continue;
            target[i] = ++position;
            if (!at.count(i) && rows[i].state != New && rows[i].stored)
                at[i] = *rows[i].stored;
        }
        std::set<double> listed;
        for (const auto &[i, id] : at)
            listed.insert(id);
        // A record gone is gone even when this save put a new point in under its number.
        bool blocked = false;
        for (const auto &[i, id] : at) {
            const int to = target[i];
            blocked = blocked || (id != to && ((table.count(to) && !listed.count(to)) || !(made.count(i) ? table : before).count(id)));
        }
        if (blocked) { // nothing at all is committed
            table = before;
            rows = rowsBefore;
            pass = {};
            pass.failure = "没有保存任何一行";
            return pass;
        }
        Table moved = table;
        for (const auto &[i, id] : at)
            moved.erase(id);
        for (const auto &[i, id] : at) {
            if (table.count(id)) // else gone, and in its place already
                moved[target[i]] = table[id];
            rows[i].stored = target[i];
            written.push_back({double(target[i]), made.count(i) > 0});
        }
        table = moved;
        const int firstUnwritten = done < marked.size() ? marked[done] : int(rows.size());
        for (int i = 0; i < firstUnwritten; ++i) {
            rows[i].text = numberText(target[i]);
            rows[i].state = gone.count(i) ? Deleted : Unchanged;
        }
        for (int i = firstUnwritten; i < int(rows.size()); ++i) // marks kept, numbers where their records went
            rows[i].text = numberText(target[i]) + (rows[i].state == Unchanged ? QString() : rows[i].text.right(1));
        closeUp(pass, [&](int i) { return gone.count(i) > 0; });
        return pass;
    }
};

// A step of a sequence, picked with its weight; one not possible now hands over to the next.
struct Action
{
    int weight;
    std::function<bool()> possible; // empty: always
    std::function<void()> run;
};

// A click on a random row, in the window and in its model.
template <typename Model, typename List>
Action clickOnRow(int weight, Model &model, List list)
{
    return {weight, [&model] { return !model.rows.empty(); }, [&model, list] {
                const int row = below(int(model.rows.size()));
                clickRow(list(), row);
                model.click(row);
            }};
}

void modifiedClick(ListView *list, int row, Qt::KeyboardModifiers modifiers)
{
    list->scrollTo(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(list->model()->index(row, 1)).center());
}

QStringList captions(const ListView *list)
{
    QStringList texts;
    for (int column = 0; column < list->model()->columnCount(); ++column)
        texts << list->model()->headerData(column, Qt::Horizontal).toString();
    return texts;
}

// A plain click on a random row (`plainClick`: false when the window kept
// another), then Shift+ and Ctrl+clicks; now and then Ctrl+C, whose text
// must be the selected rows'. Empty when the list selected what the model did.
template <typename Model>
QString selectRandomly(ListView *list, Model &model, const std::function<bool(int row)> &plainClick, bool &selected)
{
    const int first = below(int(model.rows.size()));
    selected = plainClick(first);
    QCoreApplication::processEvents(); // what the click changed is a step of its own
    model.endStep();
    if (!selected)
        return {};
    model.plainlySelected(first);
    for (int more = below(4); more > 0; --more) {
        const int row = below(int(model.rows.size()));
        const bool shift = below(2);
        modifiedClick(list, row, shift ? Qt::ShiftModifier : Qt::ControlModifier);
        shift ? model.shiftSelected(row) : model.ctrlSelected(row);
    }
    const std::set<int> expected = model.selection();
    if (list->selectedRows() != std::vector<int>(expected.begin(), expected.end()))
        return "the list selected other rows than the clicks did";
    if (!expected.empty() && !below(3)) {
        pressOnList(list, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text(), wanted = model.copied(captions(list));
        if (copied != wanted)
            return "Ctrl+C copied [" + copied + "], model [" + wanted + "]";
    }
    return {};
}

// Ctrl+Z, Ctrl+Y or Ctrl+Shift+Z on the list, in the model (which queues
// the answers to the window's questions) and in the window.
template <typename Model, typename Show>
void undoOrRedo(ListView *list, Model &model, const std::function<bool()> &mayChange, Show show)
{
    const int key = below(3);
    const bool back = key == 0;
    model.undo(back, mayChange, show);
    if (key == 2)
        pressOnList(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    else
        pressOnList(list, back ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
}

// What tells the sub-editors apart in the actions they share.
struct SubEditor
{
    QList<const char *> fields{};
    const char *leaveTo{};
    QStringList initialFields{};
    std::function<QString(int cell)> value{};
    const char *addButton{};
    // A one-press add appends a row of `newRowCells`; a two-press add clears
    // the fields of `cleared` (cell -> text), fills in `typed` and appends on
    // the second press, numbered as `numberField` shows or else as the next free number.
    QStringList newRowCells{};
    std::map<int, QString> cleared{};
    QList<int> typed{};
    const char *numberField = nullptr;
    const char *deleteButton = nullptr, *deleteMark = nullptr;
    const char *saveButton{};
    const char *exitButton = nullptr; // else only the window's close box
    enum Save { Renumbers, DropsDeleted, Reloads } save{};
    QString noun{}; // names a record in the messages
    // The table: its name, key and the column behind each cell; the model's view of it.
    QString table{}, key{};
    QStringList columns{};
    QString tableSql{};
    QString figure = "B001"; // its records only; also: the first row is shown on opening
    const char *list = "LvFigure";
    bool togglesDeletion = false; // Del marks the selected rows, or unmarks them when all are
    // What the list takes from the clipboard, none when it takes no paste:
    // the list cells of a short table's columns, and the cells such a row
    // gets otherwise from the fields as they show.
    QList<int> shortTable{};
    std::function<QStringList(const QStringList &fields)> shortTableLeaves{};
};

constexpr int kSteps = 250;

using namespace FigureColumns;

constexpr bool isBooleanCell(int cell) { return cell == 10 || cell == 17 || cell == 19 || cell == 22 || cell == 23; }
constexpr bool isWrittenAsNumber(int cell) { return cell == 11 || cell == 18 || cell == 20; }

const char *const kPanel[kCellCount] = {"tTh", "tPicName", "tFigName", "comGroup", "tX1", "tX2", "tX3", "tX4",
                                        "tX5", "CheckX6", "CombX7", "tY1", "tY2", "tY3", "tY4", "tY5", "CheckY6",
                                        "CombY7", "CheckBorder", "tSPCase", "tComment", "CheckVector", "CheckBitmap"};

// The catalogue window: `fields` is its panel, written into a row only by
// "刷新列表"/"加入列表"; the table is keyed by figure number and holds cells
// 1..23, then LB.
struct CatalogueModel : RowsModel<QString>
{
    std::map<QString, QStringList> table;
    // picMain has no INTEGER PRIMARY KEY: a new record gets the largest rowid
    // plus one, a write of a record keeps its rowid. The list's ties follow it.
    std::map<QString, qint64> rowids;
    bool cartesian = true;
    QStringList shown; // the panel as shown, proposed or put into the list last

    void insert(const QString &number, const QStringList &record)
    {
        qint64 last = 0;
        for (const auto &entry : rowids)
            last = std::max(last, entry.second);
        table[number] = record;
        rowids[number] = last + 1;
    }

    void erase(const QString &number)
    {
        table.erase(number);
        rowids.erase(number);
    }

    void renumber(const QString &from, const QString &to)
    {
        const qint64 rowid = rowids.at(from);
        QStringList record = table.at(from);
        record[0] = to;
        erase(from);
        table[to] = record;
        rowids[to] = rowid;
    }

    // The list of the type, ordered by thumbnail name, ties by rowid as the select gives them.
    void load(bool asCartesian)
    {
        cartesian = asCartesian;
        current = -1;
        rows.clear();
        endHistory();
        for (const auto &[number, values] : table) {
            if (values[kCellCount] == (cartesian ? "B" : "T"))
                rows.push_back(readRow(number, QString(), listed(values.mid(0, kCellCount))));
        }
        std::sort(rows.begin(), rows.end(), [this](const auto &a, const auto &b) {
            return std::pair(a.cells[2], rowids.at(*a.stored)) < std::pair(b.cells[2], rowids.at(*b.stored));
        });
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].text = QString::number(i + 1);
    }

    // Rows but the current one and those `painted` are read only later, from whatever then holds their figure.
    void leaveUnread(const QSet<QString> &painted)
    {
        for (int i = 0; i < int(rows.size()); ++i)
            rows[i].unread = i != current && !painted.contains(rows[i].cells[0]);
    }

    // A late read takes the record that has the row's number (the one at its
    // rowid only while it does); cells 1..3 stay as listed. Without such a
    // record the row cannot be read yet.
    void readAll()
    {
        for (Row<QString> &row : rows) {
            if (!row.unread)
                continue;
            const QStringList keys = row.cells.mid(0, 3);
            row.cells = keys + QStringList(kCellCount - 3);
            if (!table.count(keys[0]))
                continue;
            row.cells = keys + listed(table.at(keys[0]).mid(0, kCellCount)).mid(3);
            row.read = row.base = row.cells;
            row.unread = false;
        }
    }

    // What of `cells` this type's list and panel hold: the axis cells only for Cartesian figures.
    QStringList listed(QStringList cells, const QStringList &others = {}) const
    {
        for (int cell = 5; cell <= 19 && !cartesian; ++cell)
            cells[cell - 1] = others.value(cell - 1);
        return cells;
    }

    void click(int row)
    {
        readAll();
        if (rows[row].unread) { // the panel keeps its figure
            messages.tell("无法读取这个图版");
            return;
        }
        current = row;
        fields = listed(rows[row].cells, fields);
        adding = false;
        shown = fields;
    }

    // Panel edits not yet in the list; hidden axis fields do not count.
    bool panelPending() const
    {
        return (current >= 0 || adding) && listed(fields) != listed(shown);
    }

    // Refused without a current row, as is a deletion.
    bool requireCurrent()
    {
        if (current < 0)
            messages.tell("请先在列表中选择一个图版");
        return current >= 0;
    }

    void update()
    {
        if (adding) {
            rows.push_back(newRow<QString>(QString::number(rows.size() + 1) + "#", QStringList(kCellCount)));
            current = int(rows.size()) - 1;
        } else if (requireCurrent()) {
            touchCurrent();
        } else {
            return;
        }
        rows[current].cells = listed(fields, rows[current].cells);
        shown = fields;
    }

    // Rows in list order until the first one the catalogue refuses (a number
    // used twice in the list or taken by another record, a changed row whose
    // record has gone, a group or axis value that is no number) or that meets
    // a conflict. The rows before it are committed.
    Pass savePass()
    {
        Pass pass;
        QHash<QString, int> inList;
        for (const auto &row : rows)
            inList[row.cells[0]] += row.state != Deleted;
        for (int i = 0; i < int(rows.size()); ++i) {
            Row<QString> &row = rows[i];
            if (row.state == Deleted && row.stored)
                erase(*std::exchange(row.stored, std::nullopt));
            if (row.state == Unchanged || row.state == Deleted)
                continue;
            const QString number = row.cells[0], key = row.stored.value_or(number);
            const QString refused = rowFailure(i, "图号 " + number);
            if ((!row.stored || number != key) && inList[number] > 1)
                pass.failure = refused + "图号 " + number + " 在列表中不止一行使用";
            else if ((number != key && table.count(number)) || (!row.stored && table.count(key)))
                pass.failure = refused + "图号 " + number + " 已经存在于图版数据库中";
            else if (row.stored && !table.count(key))
                pass.failure = refused + "图版 " + key + " 已经不在图版数据库中";
            if (!pass.failure.isEmpty())
                return pass;
            const QStringList now = row.stored ? listed(table[key].mid(0, kCellCount)) : QStringList();
            if (row.stored && !mayWrite(row, i, now, "图版 " + key, pass))
                return pass;
            QList<int> cells = row.stored ? changes(row, now).first : allCells(kCellCount);
            cells.removeIf([&](int cell) { return !row.stored && !cartesian && isCartesianOnly(cell); }); // a new row: those of its type
            if (!numbersFit(row.cells, cells)) {
                pass.failure = refused;
                return pass;
            }
            if (!row.stored) {
                insert(number, newRecord());
                table[number][kCellCount] = cartesian ? "B" : "T";
            } else if (number != key) {
                renumber(key, number);
            }
            QStringList &record = table[number];
            for (int cell : cells) {
                const QString &text = row.cells[cell - 1];
                record[cell - 1] = isWrittenAsNumber(cell) ? numberText(std::nearbyint(leadingNumber(text))) : text;
            }
            wrote(row, cells, listed(record.mid(0, kCellCount)));
            written.push_back({number, !row.stored});
            row.stored = number;
            row.deletedBySave = false; // put back: it holds a record again
            row.text = QString::number(i + 1);
            row.state = Unchanged;
        }
        return pass;
    }

    bool save()
    {
        const bool saved = saveAsking([this] { return savePass(); }, [this](int row) {
            if (row == current && !adding) // the panel shows the row as stored
                shown = fields = listed(rows[row].cells, fields);
        });
        for (Row<QString> &row : rows)
            row.deletedBySave = row.deletedBySave || (saved && row.state == Deleted);
        endHistory();
        return saved;
    }

    bool numbersFit(const QStringList &cells, const QList<int> &written) const
    {
        bool ok = true;
        for (int cell : written) {
            if (ok && (cell == 4 || (isCartesianOnly(cell) && !isBooleanCell(cell) && cell != 11 && cell <= 16)))
                cells[cell - 1].trimmed().toDouble(&ok);
        }
        return ok;
    }

    // A record the table's defaults fill: what a triangular figure leaves.
    static QStringList newRecord()
    {
        QStringList record(kCellCount + 1);
        for (int cell = 5; cell <= 19; ++cell)
            record[cell - 1] = isBooleanCell(cell) ? "False" : "0";
        return record;
    }

    static QString tableSql()
    {
        QStringList columns = {"th"};
        for (int cell = 1; cell <= kCellCount; ++cell)
            columns << (isBooleanCell(cell) ? QString("CASE WHEN %1 THEN 'True' ELSE 'False' END").arg(kFields[cell - 1])
                                            : kFields[cell - 1]);
        return "SELECT " + columns.join(", ") + ", LB FROM picMain ORDER BY th";
    }

    // A value a user (or the other program) might give the field of `cell`.
    QString randomCell(int cell, int &counter) const
    {
        static const QStringList names = {"图 '甲'", "basalt \"B\"", "100% 岩", "a\\b", ""};
        static const QStringList comments = {"说明", "两行\r\n说明", "", "it's"};
        switch (cell) {
        case 1: // now and then another row's number, so the save must refuse it
            if (!below(6) && !rows.empty())
                return rows[below(int(rows.size()))].cells[0];
            return QString("%1%2").arg(cartesian ? 'B' : 'T').arg(500 + ++counter);
        case 2: return pick(names);
        case 3: return QString("F%1").arg(++counter, 4, 10, QChar('0'));
        case 4: return QString::number(1 + below(10));
        case 11: case 18: return QString::number(below(6) - 1);
        case 20: return QString::number(below(10));
        case 21: return pick(comments);
        default: return isBooleanCell(cell) ? (below(2) ? "True" : "False") : randomNumber();
        }
    }

    static QVariant stored(int cell, const QString &text) { return isBooleanCell(cell) ? QVariant(text == "True") : QVariant(text); }

    // A whole figure for the other program to add, and its record as the model holds it.
    QVariantMap randomFigure(const QString &number, const QString &thumbnail, int &counter, QStringList &record) const
    {
        const bool ofCartesian = number[0] == 'B';
        record = newRecord();
        record[kCellCount] = number.left(1);
        QVariantMap columns = {{"LB", number.left(1)}};
        for (int cell = 1; cell <= kCellCount; ++cell) {
            if (ofCartesian || !isCartesianOnly(cell) || isBooleanCell(cell))
                record[cell - 1] = cell == 1 ? number : cell == 3 ? thumbnail : randomCell(cell, counter);
            columns[kFields[cell - 1]] = stored(cell, record[cell - 1]);
        }
        return columns;
    }
};

} // namespace

class EditorSequencesTest : public QObject
{
    Q_OBJECT

    QString m_where; // seed and step, for the failure message
    bool m_secondWriter = true;

    // The loop all windows share: a random action, then what the window and
    // the table show against the model; between steps, now and then, the other program.
    void run(const std::vector<Action> &actions, const std::function<QString()> &mismatch,
             const std::function<void()> &otherProgram)
    {
        QFETCH(int, seed);
        int total = 0;
        for (const Action &a : actions)
            total += a.weight;
        for (int step = 0; step < kSteps; ++step) {
            m_where = QString("seed %1 step %2").arg(seed).arg(step);
            size_t chosen = 0;
            for (int roll = below(total); roll >= actions[chosen].weight; ++chosen)
                roll -= actions[chosen].weight;
            // A step a window does not take (weight 0) is never handed over to.
            while (actions[chosen].weight == 0 || (actions[chosen].possible && !actions[chosen].possible()))
                chosen = (chosen + 1) % actions.size();
            actions[chosen].run();
            QCoreApplication::processEvents(); // the user's next action comes in a later turn
            if (QTest::currentTestFailed())
                return qWarning("failed at %s", qPrintable(m_where));
            const QString wrong = mismatch();
            QVERIFY2(wrong.isEmpty(), qPrintable(m_where + ": " + wrong));
            if (m_secondWriter && !below(4))
                otherProgram();
        }
    }

    // What a window shows and its table holds, against its model; the
    // messages of the step are then done with. Empty when all agree.
    template <typename Key, typename Table>
    QString mismatch(RowsModel<Key> &model, const ListView *list, int cellCount, const TestInstallRoot &root,
                     const QString &tableSql, const Table &table, RecordHistory &history)
    {
        QString wrong = model.listMismatch(list, cellCount);
        if (const QString messages = model.messages.mismatch(); !messages.isEmpty())
            wrong += (wrong.isEmpty() ? "" : "; ") + messages;
        model.messages.expected.clear();
        model.messages.recorder->clear();
        const QStringList stored = recordList(root, tableSql), expected = tableRecords(table);
        if (wrong.isEmpty() && stored != expected) {
            QStringList onlyStored, onlyExpected;
            for (const QString &record : stored)
                if (!expected.contains(record)) onlyStored << record;
            for (const QString &record : expected)
                if (!stored.contains(record)) onlyExpected << record;
            wrong = "the table holds " + onlyStored.join(' ') + ", model " + onlyExpected.join(' ');
        }
        for (const auto &[key, made] : std::exchange(model.written, {})) {
            if (table.count(key))
                history.give(root, tableRecord(key, table.at(key)), made);
        }
        return wrong.isEmpty() ? history.stranger(root) : wrong;
    }

    template <typename Editor>
    void runSubEditor(FigureEditorKit<Editor> &kit, Table &table, const SubEditor &e)
    {
        EditorModel model;
        model.messages.recorder = &kit.messages;
        RecordHistory history(e.tableSql);
        for (const auto &[key, values] : table)
            history.give(kit.root, tableRecord(key, values), true);
        // The figure in picMain, as the other program leaves it: there, deleted or renumbered.
        enum { FigureThere, FigureDeleted, FigureRenumbered } figure = FigureThere;
        if (!e.figure.isEmpty())
            kit.root.insertFigure({{"th", e.figure}, {"LB", "B"}});
        model.figureThere = !e.figure.isEmpty();
        auto reopen = [&] {
            kit.reopen(e.figure);
            model.load(table, e.initialFields, !e.figure.isEmpty()); // the group list shows no row
        };
        auto list = [&] { return control<ListView>(*kit.window, e.list); };
        auto saved = [&] { return savedInModel(model, table, e); };
        auto edit = [&](int cell, const QString &value) {
            typeAndLeave(*kit.window, e.fields[cell - 1], QString(value).replace("\r\n", "\n"), e.leaveTo);
            model.edit(cell, value);
        };
        const QString ofFigure = e.figure.isEmpty() ? QString() : " AND th = " + quotedFigure(e.figure);
        auto bound = [](const QString &text) { // curve is a Yes/No field
            return text == "True" || text == "False" ? QVariant(text == "True") : QVariant(text);
        };
        auto otherProgram = [&] {
            if (!e.figure.isEmpty() && !below(15)) { // the figure itself, now and then
                if (figure == FigureThere)
                    figure = below(2) ? FigureDeleted : FigureRenumbered;
                else
                    figure = figure == FigureDeleted ? (kit.root.insertFigure({{"th", e.figure}, {"LB", "B"}}), FigureThere)
                                                     : (kit.root.exec("UPDATE picMain SET th = 'B001' WHERE th = 'B901'"), FigureThere);
                if (figure == FigureDeleted)
                    kit.root.exec("DELETE FROM picMain WHERE th = 'B001'");
                else if (figure == FigureRenumbered)
                    kit.root.exec("UPDATE picMain SET th = 'B901' WHERE th = 'B001'");
                model.figureThere = figure == FigureThere;
                return;
            }
            QList<double> keys;
            for (const auto &entry : table)
                keys << entry.first;
            const int what = keys.isEmpty() ? 4 : below(6);
            if (what < 3) { // a field
                const auto edit = model.pendingEdit(table, 1);
                const double key = edit ? edit->first : pick(keys);
                const int cell = edit ? edit->second : 1 + below(int(e.columns.size()));
                const QString value = e.value(cell);
                kit.root.exec(QString("UPDATE %1 SET %2 = ? WHERE %3 = ?%4").arg(e.table, e.columns[cell - 1], e.key, ofFigure),
                              {bound(value), key});
                table[key][cell - 1] = value;
                history.give(kit.root, tableRecord(key, table[key]), false);
            } else if (what == 3) {
                const double key = pick(keys);
                kit.root.exec(QString("DELETE FROM %1 WHERE %2 = ?%3").arg(e.table, e.key, ofFigure), {key});
                table.erase(key);
            } else { // a record anew, or again under a number it had
                double key = 1 + below(int(model.rows.size()) + 3);
                while (table.count(key))
                    ++key;
                QStringList values, columns = e.columns, marks(e.columns.size() + 1, "?");
                QVariantList bind = {key};
                for (int cell = 1; cell <= int(e.columns.size()); ++cell)
                    values << e.value(cell), bind << bound(values.last());
                if (!e.figure.isEmpty())
                    columns << "th", marks << "?", bind << e.figure;
                kit.root.exec(QString("INSERT INTO %1 (%2, %3) VALUES (%4)").arg(e.table, e.key, columns.join(", "), marks.join(", ")), bind);
                table[key] = values;
                history.give(kit.root, tableRecord(key, values), true);
            }
        };
        reopen();
        model.endStep(); // the load ends its own step: the first action is the first one kept
        run({
            clickOnRow(6, model, list),
            {6, {}, [&] {
                 const int cell = 1 + below(int(e.fields.size()));
                 edit(cell, below(4) ? e.value(cell) : model.fields[cell - 1]);
             }},
            {e.deleteButton ? 2 : 0, {}, [&] {
                 click(*kit.window, e.deleteButton);
                 if (model.current >= 0)
                     model.markCurrent(Deleted, e.deleteMark);
             }},
            {3, {}, [&] {
                 click(*kit.window, e.addButton);
                 const bool twoPress = e.newRowCells.isEmpty();
                 for (const auto &[cell, text] : e.cleared)
                     model.fields[cell - 1] = text;
                 model.adding = true;
                 for (int cell : e.typed)
                     edit(cell, randomNumber());
                 model.adding = false;
                 const QString number = e.numberField ? shown(*kit.window, e.numberField)
                                                      : numberText(model.newRowNumber(table));
                 if (twoPress)
                     click(*kit.window, e.addButton);
                 model.rows.push_back(newRow<double>(number + "#", twoPress ? model.fields : e.newRowCells));
                 if (twoPress) // the fields show the new row: their edits go to it
                     model.current = int(model.rows.size()) - 1;
             }},
            {2, {}, [&] {
                 saved();
                 click(*kit.window, e.saveButton);
             }},
            {2, {}, [&] { // closing, now and then with a field typed into and not left
                 std::optional<std::pair<int, QString>> typed;
                 if (model.current >= 0 && below(2)) {
                     const int cell = 1 + below(int(e.fields.size()));
                     typed = {cell, e.value(cell)};
                     control(*kit.window, e.fields[cell - 1])->setFocus(Qt::TabFocusReason);
                     type(*kit.window, e.fields[cell - 1], QString(typed->second).replace("\r\n", "\n"));
                 }
                 const bool unsaved = model.hasUnsavedRows() || (typed && typed->second != model.fields[typed->first - 1]);
                 const QMessageBox::StandardButton answer = unsaved ? model.messages.ask("未保存") : QMessageBox::Discard;
                 // 保存 leaves the field first; a save that stops keeps the window open.
                 if (answer == QMessageBox::Save && typed)
                     model.edit(typed->first, typed->second);
                 const bool closes = answer == QMessageBox::Discard || (answer == QMessageBox::Save && saved());
                 if (e.exitButton && below(2))
                     click(*kit.window, e.exitButton);
                 else
                     kit.window->close();
                 QCOMPARE(kit.window->isVisible(), !closes);
                 if (answer == QMessageBox::Cancel && typed) {
                     control(*kit.window, e.leaveTo)->setFocus(Qt::TabFocusReason);
                     model.edit(typed->first, typed->second);
                 }
                 if (closes)
                     reopen();
             }},
            {2, [&] { return !model.rows.empty(); }, [&] { // Del on a selection
                 bool selected = false;
                 const QString wrong = selectRandomly(list(), model, [&](int row) {
                     clickRow(list(), row);
                     model.click(row);
                     return true;
                 }, selected);
                 QVERIFY2(wrong.isEmpty(), qPrintable(m_where + ": " + wrong));
                 pressOnList(list(), Qt::Key_Delete);
                 if (e.togglesDeletion)
                     model.toggleSelected();
                 else if (e.figure.isEmpty()) // the group list: the current row
                     model.markCurrent(Deleted, e.deleteMark);
                 else
                     model.markSelected(e.deleteMark);
             }},
            {e.shortTable.isEmpty() ? 0 : 2, {}, [&] { paste(model, table, e, list()); }},
            {3, {}, [&] { undoOrRedo(list(), model, {}, [&](int row) { model.click(row); }); }},
            {2, {}, reopen},
        }, [&] {
            model.endStep();
            return mismatch(model, list(), int(e.fields.size()), kit.root, e.tableSql, table, history);
        },
            otherProgram);
    }

    // Ctrl+V of a random table of one of the forms the list takes, now and
    // then with a header, separated by tabs (or commas or blanks when every
    // cell is a number), now and then with a cell its column cannot take:
    // then nothing is added.
    static void paste(EditorModel &model, const Table &table, const SubEditor &e, ListView *list)
    {
        const bool own = below(2);
        QList<int> columns = own ? QList<int>{0} + allCells(int(e.fields.size())) : e.shortTable;
        const QStringList listCaptions = captions(list);
        auto kind = [&](int cell) { // what the cell takes: a number, a whole number, a flag, a text
            if (e.togglesDeletion)
                return cell == 2 ? 'f' : cell == 1 || cell == 5 ? 'w' : 'n';
            return cell == 3 ? 't' : 'n';
        };
        bool onlyNumbers = true;
        for (int cell : columns)
            onlyNumbers = onlyNumbers && (cell == 0 || kind(cell) == 'n');
        const QString separator = onlyNumbers && below(2) ? pick(QStringList{",", ", ", " ", "  "}) : "\t";
        QStringList lines;
        const bool header = below(3) == 0;
        if (header) {
            QStringList cells;
            for (int cell : columns)
                cells << listCaptions[cell];
            lines << cells.join(separator);
        }
        const int count = 1 + below(4);
        const int badLine = below(5) == 0 ? below(count) : -1, badColumn = below(int(columns.size()));
        QString refusal;
        QList<QStringList> pasted;
        for (int line = 0; line < count; ++line) {
            QStringList cells, listCells = own ? QStringList(int(e.fields.size())) : e.shortTableLeaves(model.fields);
            for (int column = 0; column < columns.size(); ++column) {
                const int cell = columns[column];
                QString text, shown;
                switch (cell == 0 ? 's' : kind(cell)) {
                case 's': text = QString::number(1 + below(9)) + pick(QStringList{"", "*", "#"}); break;
                case 'w': shown = QString::number(below(4)), text = shown + pick(QStringList{"", ".0"}); break;
                case 'f':
                    text = pick(QStringList{"True", "false", "1", "0", "FALSE"});
                    shown = text == "1" || text.compare("true", Qt::CaseInsensitive) == 0 ? "True" : "False";
                    break;
                case 'n': shown = randomNumber(), text = separator == "\t" && below(3) == 0 ? " " + shown + " " : shown; break;
                default: shown = text = pick(QStringList{"SiO2", "Na2O+K2O", "玄武岩 basalt", "x"});
                }
                if (line == badLine && column == badColumn && cell > 0 && kind(cell) != 't') {
                    text = kind(cell) == 'w' ? "1.5" : "a1";
                    const QString fault = kind(cell) == 'w' ? "不是整数" : kind(cell) == 'f' ? "不是 True 或 False" : "不是数值";
                    if (refusal.isEmpty())
                        refusal = QString("第 %1 行“%2”一列的“%3”%4").arg(line + 1 + int(header))
                                      .arg(listCaptions[cell], (column > 0 && separator == ", " ? " " : "") + text, fault);
                }
                cells << text;
                if (cell > 0)
                    listCells[cell - 1] = shown;
            }
            lines << cells.join(separator);
            pasted << listCells;
        }
        QGuiApplication::clipboard()->setText(lines.join(below(2) ? "\n" : "\r\n") + (below(2) ? "\n" : ""));
        pressOnList(list, Qt::Key_V, Qt::ControlModifier);
        if (!refusal.isEmpty())
            return model.messages.tell(refusal);
        const int first = int(model.rows.size());
        for (const QStringList &cells : pasted) {
            const double number = !e.togglesDeletion ? model.newRowNumber(table)
                                  : model.rows.empty() ? 1 : leadingNumber(model.rows.back().text) + 1;
            model.rows.push_back(newRow<double>(numberText(number) + "#", cells));
        }
        model.click(first);
    }

    // A complete save of a sub-editor, predicted and its questions queued:
    // true when every marked row was saved.
    static bool savedInModel(EditorModel &model, Table &table, const SubEditor &e)
    {
        const bool saved = model.saveAsking(
            [&] { return e.save == SubEditor::Renumbers ? model.pointPass(table) : model.keyedPass(table, e.noun); },
            [&](int row) {
                if (row == model.current)
                    model.fields = model.rows[row].cells;
            });
        model.endHistory();
        if (saved && e.save == SubEditor::Reloads)
            model.load(table, model.fields, false);
        return saved;
    }

private slots:
    void initTestCase() { m_secondWriter = qEnvironmentVariable("QUILLAR_SECOND_WRITER") != "0"; }
    void init() { QFETCH(int, seed); generator.seed(seed); }
    void cleanup() { closeSubEditors(); }

    void pointEditor_data() { seedRows(); }
    void labelEditor_data() { seedRows(); }
    void groupManager_data() { seedRows(); }
    void catalogueWindow_data() { seedRows(); }

    void pointEditor()
    {
        FigureEditorKit<fPicData> kit;
        Table table; // ID -> Series, curve, X, Y, L
        for (int id : {1, 2, 5}) {
            table[id] = {"1", "False", randomNumber(), randomNumber(), "1"};
            kit.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', ?, 1, 0, ?, ?, 1)",
                          {id, table[id][2], table[id][3]});
        }
        auto value = [](int cell) {
            return cell == 1 ? QString::number(1 + below(16)) : cell == 2 ? QString(below(2) ? "True" : "False")
                               : cell == 5 ? QString::number(below(4)) : randomNumber();
        };
        runSubEditor(kit, table, {.fields = {"tTxtBx1", "tTxtBx2", "tTxtBx3", "tTxtBx4", "tTxtBx5"}, .leaveTo = "tTxtBx0",
                                  .initialFields = {"1", "True", "Text2", "Text3", "2"}, .value = value,
                                  .addButton = "cmdAddPoint", .cleared = {{3, ""}, {4, ""}, {5, "1"}}, .typed = {3, 4},
                                  .numberField = "tTxtBx0", .saveButton = "cmdSave", .exitButton = "cmdCancel",
                                  .save = SubEditor::Renumbers, .noun = "点", .table = "pData", .key = "ID",
                                  .columns = {"Series", "curve", "X", "Y", "L"},
                                  .tableSql = "SELECT ID, Series, CASE WHEN curve THEN 'True' ELSE 'False' END, X, Y,"
                                              " L FROM pData WHERE th = 'B001' ORDER BY ID",
                                  .togglesDeletion = true, .shortTable = {3, 4},
                                  .shortTableLeaves = [](const QStringList &fields) {
                                      return QStringList{fields[0], fields[1], "", "", "1"};
                                  }});
    }

    void labelEditor()
    {
        FigureEditorKit<fPicLbl> kit;
        const QStringList texts = {"SiO2", "玄武岩\r\nbasalt", "Na2O+K2O", "多行\r\n标签\r\n", "x"};
        Table table; // ID -> X, Y, Lbl
        for (int id : {1, 2, 5}) {
            table[id] = {randomNumber(), randomNumber(), pick(texts)};
            kit.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', ?, ?, ?, ?)",
                          {id, table[id][0], table[id][1], table[id][2]});
        }
        runSubEditor(kit, table, {.fields = {"tTxtBx1", "tTxtBx2", "tTxtBx3"}, .leaveTo = "Command1",
                                  .initialFields = {"X-值", "Y-值", "标签名称\r\n"},
                                  .value = [&](int cell) { return cell == 3 ? pick(texts) : randomNumber(); },
                                  .addButton = "Command1", .cleared = {{1, ""}, {2, ""}, {3, "1"}}, .typed = {1, 2},
                                  .deleteButton = "CmdDelete", .deleteMark = "★", .saveButton = "cmdSave",
                                  .exitButton = "cmdCancel", .save = SubEditor::DropsDeleted, .noun = "标签",
                                  .table = "picLable", .key = "ID", .columns = {"X", "Y", "Lbl"},
                                  .tableSql = "SELECT ID, X, Y, Lbl FROM picLable WHERE th = 'B001' ORDER BY ID",
                                  .shortTable = {1, 2, 3},
                                  .shortTableLeaves = [](const QStringList &) { return QStringList(3); }});
    }

    void groupManager()
    {
        FigureEditorKit<fGroup> kit;
        const QStringList names = {"火山岩", "深成岩", "构造环境", "变质岩", "沉积岩"};
        Table table; // grp -> grpName
        for (int grp : {1, 3, 4}) {
            table[grp] = {pick(names)};
            kit.root.exec("INSERT INTO picType (grp, grpName) VALUES (?, ?)", {grp, table[grp][0]});
        }
        runSubEditor(kit, table, {.fields = {"TextBox1"}, .leaveTo = "cmdAddGroup", .initialFields = {"Text1"},
                                  .value = [&](int) { return pick(names); }, .addButton = "cmdAddGroup",
                                  .newRowCells = {"在此输入新的组名"}, .deleteButton = "cmdDeleteGroup",
                                  .deleteMark = "d", .saveButton = "cmdGrpUpdata", .save = SubEditor::Reloads,
                                  .noun = "分组", .table = "picType", .key = "grp", .columns = {"grpName"},
                                  .tableSql = "SELECT grp, grpName FROM picType ORDER BY grp", .figure = QString(),
                                  .list = "LvGroup"});
    }

    // The catalogue window edits through its panel; a save stops at a row the
    // catalogue refuses, with one message. The sub-windows open and close in
    // between, each reopening the shared connection.
    void catalogueWindow()
    {
        CatalogueWindow c;
        CatalogueModel model;
        model.messages.recorder = &c.messages;
        RecordHistory history(CatalogueModel::tableSql());
        int counter = 0;
        // More Cartesian figures than the list shows at once: rows below it are read late.
        QStringList start = {"B001", "B002", "B004", "T001", "T002"};
        for (int n = 20; n < 34; ++n)
            start << QString("B0%1").arg(n);
        for (const QString &number : start) {
            QStringList record;
            c.root.insertFigure(model.randomFigure(number, QString(number).insert(1, 'P'), counter, record));
            model.insert(number, record);
            history.give(c.root, tableRecord(number, record), true);
        }
        auto list = [&] { return figureList(*c.window); };
        auto panelText = [&](int cell) {
            return shown(*c.window, kPanel[cell - 1]).replace("ticked", "True").replace("clear", "False");
        };
        auto reopen = [&] {
            c.open();
            model.adding = false;
            model.fields.clear();
            for (int cell = 1; cell <= kCellCount; ++cell) // what a window shows before any row
                model.fields << panelText(cell);
            model.load(true);
            if (!model.rows.empty())
                model.click(0);
        };
        reopen();
        auto edit = [&](int cell, const QString &value) {
            if (!isBooleanCell(cell))
                typeAndLeave(*c.window, kPanel[cell - 1], QString(value).replace("\r\n", "\n"), "tTh");
            else if (value != panelText(cell))
                click(*c.window, kPanel[cell - 1]);
            model.fields[cell - 1] = value;
        };
        auto editable = [&](int cell) { return model.cartesian || !isCartesianOnly(cell); };
        auto subWindow = [&](auto *instance, const char *button) {
            if (instance && below(2)) {
                instance->close();
                QTRY_VERIFY(!SingleWindow<std::remove_pointer_t<decltype(instance)>>::instance());
            } else {
                click(*c.window, button);
            }
        };
        // The questions an action that drops work asks, answered at random in
        // the model and queued for the window: the panel first, then the
        // marked rows. False when the action stops there.
        auto settlePanel = [&] {
            if (!model.panelPending())
                return true;
            const QMessageBox::StandardButton answer = model.messages.ask("编辑区的修改还没有刷新列表");
            if (answer == QMessageBox::Save)
                model.update();
            else if (answer == QMessageBox::Discard)
                model.fields = model.shown;
            return answer != QMessageBox::Cancel;
        };
        auto mayDropWork = [&] {
            if (!settlePanel())
                return false;
            if (!model.hasUnsavedRows())
                return true;
            const QMessageBox::StandardButton answer = model.messages.ask("有未保存的修改");
            return answer == QMessageBox::Save ? model.save() : answer == QMessageBox::Discard;
        };
        // Changes a field of a figure, renumbers, deletes or adds one (anew,
        // or again under a number it deleted); its thumbnail now and then
        // another figure's, so that ties are sorted by rowid.
        QStringList gone;
        QSet<QString> untouched; // figures of rows the list may have painted since it was loaded
        std::function<void(int)> otherProgram = [&](int what) {
            QStringList numbers;
            for (const auto &entry : model.table) {
                if (!untouched.contains(entry.first))
                    numbers << entry.first;
            }
            auto thumbnail = [&] { return below(3) ? QString("F%1").arg(++counter, 4, 10, QChar('0')) : model.table[pick(numbers)][2]; };
            auto freeNumber = [&](QChar letter) {
                QString number;
                while (number.isEmpty() || model.table.count(number))
                    number = letter + QString::number(700 + ++counter);
                return number;
            };
            what = numbers.isEmpty() ? 7 : what >= 0 ? what : below(10);
            const auto last = std::max_element(model.rowids.begin(), model.rowids.end(),
                                               [](const auto &a, const auto &b) { return a.second < b.second; });
            if (what == 8 && !untouched.contains(last->first)) { // the last record's rowid given to the next one added
                c.root.exec("DELETE FROM picMain WHERE th = ?", {last->first});
                gone << last->first;
                model.erase(last->first);
                return otherProgram(7);
            }
            if (what < 5 || what == 9) {
                const auto edit = model.pendingEdit(model.table, 2);
                const QString number = edit ? edit->first : pick(numbers);
                const int cell = edit ? edit->second : 2 + below(kCellCount - 1);
                const QString value = cell == 3 ? thumbnail() : model.randomCell(cell, counter);
                c.root.exec(QString("UPDATE picMain SET %1 = ? WHERE th = ?").arg(kFields[cell - 1]),
                            {CatalogueModel::stored(cell, value), number});
                model.table[number][cell - 1] = value;
                history.give(c.root, tableRecord(number, model.table[number]), false);
            } else if (what == 5) { // now and then to the number of a row not saved yet
                const QString number = pick(numbers);
                QString to = freeNumber(number[0]);
                for (const auto &row : model.rows) {
                    if (row.state != Unchanged && !model.table.count(row.cells[0]) && row.cells[0][0] == number[0] && below(2))
                        to = row.cells[0];
                }
                c.root.exec("UPDATE picMain SET th = ? WHERE th = ?", {to, number});
                model.renumber(number, to);
                history.give(c.root, tableRecord(to, model.table[to]), false);
                gone << number;
            } else if (what == 6) {
                const QString number = pick(numbers);
                c.root.exec("DELETE FROM picMain WHERE th = ?", {number});
                model.erase(number);
                gone << number;
            } else {
                gone.removeIf([&](const QString &number) { return model.table.count(number) > 0; });
                const QString number = !gone.isEmpty() && below(2) ? gone.takeAt(below(int(gone.size())))
                                                                   : freeNumber(below(3) ? 'B' : 'T');
                QStringList record;
                c.root.insertFigure(model.randomFigure(number, numbers.isEmpty() ? "F" : thumbnail(), counter, record));
                model.insert(number, record);
                history.give(c.root, tableRecord(number, record), true);
            }
        };
        model.endStep(); // the load ends its own step: the first action is the first one kept
        run({
            {5, [&] { return !model.rows.empty(); }, [&] {
                 const int row = below(int(model.rows.size()));
                 const bool goOn = settlePanel();
                 clickRow(list(), row);
                 if (goOn)
                     model.click(row);
             }},
            {7, {}, [&] {
                 int cell = 1 + below(kCellCount);
                 while (!editable(cell))
                     cell = 1 + below(kCellCount);
                 edit(cell, model.randomCell(cell, counter));
             }},
            {3, {}, [&] { // 新建, then the fields a record needs
                 const bool goOn = model.adding || settlePanel();
                 click(*c.window, "cmdAddPic");
                 if (!goOn || std::exchange(model.adding, true))
                     return;
                 const QString letter = model.cartesian ? "B" : "T";
                 TakenFigureNames taken;
                 for (const auto &row : model.rows)
                     taken.numbers << row.cells[0] << row.stored.value_or(QString()), taken.thumbnails << row.cells[2];
                 for (const auto &[number, record] : model.table)
                     taken.numbers << number, taken.thumbnails << record[2];
                 model.fields[0] = freeFigureProposal(model.rows.empty() ? letter + "001"
                                                                         : nextFigureNumber(model.rows.back().cells[0]),
                                                      letter, taken).number;
                 for (int cell = 2; cell <= 21; ++cell) // 矢量图 and 位 图 stay as they are
                     model.fields[cell - 1] = isBooleanCell(cell) ? "False" : "";
                 model.fields[2] = thumbnailNameFor(model.fields[0]);
                 model.shown = model.fields;
                 QCOMPARE(shown(*c.window, "tFigName"), model.fields[2]);
                 for (int cell = 3; cell <= 16; ++cell) {
                     if (editable(cell) && !isBooleanCell(cell) && cell != 11)
                         edit(cell, model.randomCell(cell, counter));
                 }
             }},
            {4, {}, [&] {
                 click(*c.window, "cmdUpdate");
                 model.update();
             }},
            {1, {}, [&] {
                 click(*c.window, "CmdDelete");
                 if (model.requireCurrent())
                     model.markCurrent(Deleted, "★");
             }},
            {1, [&] { return !model.rows.empty(); }, [&] { // Del on a selection
                 bool selected = false;
                 const QString wrong = selectRandomly(list(), model, [&](int row) {
                     const bool goOn = settlePanel();
                     clickRow(list(), row);
                     if (goOn)
                         model.click(row);
                     return goOn && model.current == row;
                 }, selected);
                 QVERIFY2(wrong.isEmpty(), qPrintable(m_where + ": " + wrong));
                 if (!selected)
                     return;
                 pressOnList(list(), Qt::Key_Delete);
                 model.markSelected("★");
             }},
            {2, {}, [&] { undoOrRedo(list(), model, settlePanel, [&](int row) { model.click(row); }); }},
            {3, {}, [&] {
                 if (settlePanel())
                     model.save();
                 click(*c.window, "cmdSaveLvFigure");
             }},
            {2, {}, [&] { // the other type, then maybe back
                 const bool goOn = mayDropWork();
                 clickOption(*c.window, model.cartesian ? "Opt2" : "Opt1");
                 // 取消 puts the option of the list still shown back on.
                 QCOMPARE(control<QRadioButton>(*c.window, "Opt1")->isChecked(), goOn != model.cartesian);
                 if (!goOn)
                     return;
                 model.load(!model.cartesian);
                 // The row of the figure the panel shows becomes the current one.
                 for (int row = 0; row < int(model.rows.size()) && !model.adding; ++row) {
                     if (model.rows[row].cells[0] == model.fields[0]) {
                         model.click(row);
                         break;
                     }
                 }
                 // Before a row is painted the other program may take its rowid.
                 if (m_secondWriter && !below(3)) {
                     for (int row = 0; row < list()->count(); ++row) {
                         if (list()->visualRect(list()->model()->index(row, 1)).intersects(list()->viewport()->rect()))
                             untouched << list()->cell(row, 1);
                     }
                     model.leaveUnread(untouched);
                     for (int times = 1 + below(3); times > 0; --times)
                         otherProgram(pick(QList<int>{1, 2, 5, 6, 8}));
                     untouched.clear();
                 }
             }},
            {1, {}, [&] { // 退 出 or the close box; the messages go with the window
                 const bool goOn = mayDropWork();
                 c.window->show();
                 if (below(2))
                     click(*c.window, "cmdCancel");
                 else
                     c.window->close();
                 QCOMPARE(c.window->isVisible(), !goOn);
                 if (goOn)
                     reopen();
             }},
            {2, {}, [&] {
                 switch (below(3)) {
                 case 0: subWindow(SingleWindow<fGroup>::instance(), "Command1"); break;
                 case 1: subWindow(SingleWindow<fPicData>::instance(), "CommandButton1"); break;
                 default: subWindow(SingleWindow<fPicLbl>::instance(), "CommandButton2");
                 }
             }},
            {1, {}, reopen},
        }, [&] {
            model.readAll();
            model.endStep();
            QString wrong = mismatch(model, list(), kCellCount, c.root, CatalogueModel::tableSql(), model.table, history);
            QStringList rowids;
            for (const auto &[number, rowid] : model.rowids)
                rowids << number + ':' + QString::number(rowid);
            if (wrong.isEmpty() && recordList(c.root, "SELECT th, rowid FROM picMain ORDER BY th") != rowids)
                wrong = "rowids " + recordsText(c.root, "SELECT th, rowid FROM picMain ORDER BY th") + ", model " + rowids.join(' ');
            return wrong;
        }, [&] { otherProgram(-1); });
    }

private:
    void seedRows()
    {
        QTest::addColumn<int>("seed");
        const int longRun = qEnvironmentVariableIntValue("QUILLAR_LONG_SEQUENCES");
        for (int seed = 1; seed <= (longRun > 0 ? longRun : 6); ++seed)
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }
};

QTEST_MAIN(EditorSequencesTest)
#include "tst_editor_sequences.moc"
