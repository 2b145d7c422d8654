// Seeded random edit sequences through the real windows: row clicks, field
// edits left for another field, adds, deletions, saves, reloads and closing
// and reopening windows, against a model of what the list must show and the
// table must hold. After every save the table is compared with the model
// record by record. The model predicts every question about unsaved work and
// answers it with a random button: no work goes without one. A failure names its seed and step;
// QUILLAR_LONG_SEQUENCES=N runs N seeds per window instead of the fixed set.
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/catalogue/NewFigNumber.h"
#include "ui/common/NumberText.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <random>

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
};

// The answer to a question about unsaved work: keep (保存, 刷新列表), 放弃 or 取消.
QMessageBox::StandardButton randomAnswer()
{
    return pick(QList<QMessageBox::StandardButton>{QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel});
}

QString keyText(double number) { return numberText(number); }
QString keyText(const QString &number) { return number; }

// The table as recordList() reads it: "1:a,b", "2:c,d".
template <typename Key>
QStringList tableRecords(const std::map<Key, QStringList> &table)
{
    QStringList out;
    for (const auto &[key, values] : table)
        out << keyText(key) + ':' + values.join(',');
    return out;
}

// What every window's list has: the rows, the row edits go to, the field
// texts, the adding mode, and the marks edits leave.
template <typename Key>
struct RowsModel
{
    std::vector<Row<Key>> rows;
    int current = -1;
    QStringList fields; // cell 1.. as index 0..
    bool adding = false;

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
};

using Table = std::map<double, QStringList>; // number -> the record's other values

// The point, label and group editors: fields whose edits reach the row when left.
struct EditorModel : RowsModel<double>
{
    // A fresh load of `table`; the first row is shown when `clickFirst`.
    void load(const Table &table, QStringList initialFields, bool clickFirst)
    {
        *this = {};
        fields = std::move(initialFields);
        for (const auto &[number, values] : table)
            rows.push_back({number, numberText(number), values});
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

    // A complete label or group save: deleted rows leave the list (the clicked
    // row follows its row, -1 once it left), the others show their number.
    void keyedSave(Table &table)
    {
        std::vector<Row<double>> kept;
        int clicked = -1;
        for (int i = 0; i < int(rows.size()); ++i) {
            const Row<double> &row = rows[i];
            const double number = row.stored.value_or(leadingNumber(row.text));
            if (row.state == Deleted && row.stored)
                table.erase(number);
            if (row.state == Deleted)
                continue;
            if (row.state != Unchanged)
                table[number] = row.cells;
            clicked = i == current ? int(kept.size()) : clicked;
            kept.push_back({number, numberText(number), row.cells});
        }
        rows = kept;
        current = clicked;
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
    QString tableSql{};
    QString figure = "B001"; // also: the first row is shown on opening
    const char *list = "LvFigure";
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
    int messages = 0;
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

    // The list of the type, ordered by thumbnail name, ties by rowid as the select gives them.
    void load(bool asCartesian)
    {
        cartesian = asCartesian;
        current = -1;
        rows.clear();
        for (const auto &[number, values] : table) {
            if (values[kCellCount] == (cartesian ? "B" : "T"))
                rows.push_back({number, QString(), listed(values.mid(0, kCellCount))});
        }
        std::sort(rows.begin(), rows.end(), [this](const auto &a, const auto &b) {
            return std::pair(a.cells[2], rowids.at(*a.stored)) < std::pair(b.cells[2], rowids.at(*b.stored));
        });
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].text = QString::number(i + 1);
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
        messages += current < 0 ? 1 : 0;
        return current >= 0;
    }

    void update()
    {
        if (adding) {
            rows.push_back({std::nullopt, QString::number(rows.size() + 1) + "#", QStringList(kCellCount), New});
            current = int(rows.size()) - 1;
        } else if (requireCurrent()) {
            touchCurrent();
        } else {
            return;
        }
        rows[current].cells = listed(fields, rows[current].cells);
        shown = fields;
    }

    // Rows in list order until the first one the catalogue refuses: a number
    // used twice in the list or taken by another record, a changed row whose
    // record has gone, or a group or axis value that is no number. The rows
    // before it are committed. True when every row was written.
    bool save()
    {
        QHash<QString, int> inList;
        for (const auto &row : rows)
            inList[row.cells[0]] += row.state != Deleted;
        for (size_t i = 0; i < rows.size(); ++i) {
            Row<QString> &row = rows[i];
            if (row.state == Deleted && row.stored)
                erase(*std::exchange(row.stored, std::nullopt));
            if (row.state == Unchanged || row.state == Deleted)
                continue;
            const QString number = row.cells[0], key = row.stored.value_or(number);
            if (((!row.stored || number != key) && inList[number] > 1) || (number != key && table.count(number))
                || (row.stored ? !table.count(key) : table.count(key) > 0) || !numbersFit(row.cells)) {
                ++messages;
                return false;
            }
            QStringList record = row.stored ? table[key] : newRecord();
            for (int cell = 1; cell <= kCellCount; ++cell) {
                const QString &text = row.cells[cell - 1];
                if (cartesian || !isCartesianOnly(cell))
                    record[cell - 1] = isWrittenAsNumber(cell) ? numberText(std::nearbyint(leadingNumber(text))) : text;
            }
            record[kCellCount] = cartesian ? "B" : "T";
            if (!row.stored) {
                insert(number, record);
            } else {
                const qint64 rowid = rowids.at(key);
                erase(key);
                table[number] = record;
                rowids[number] = rowid;
            }
            row = {number, QString::number(i + 1), row.cells};
        }
        for (Row<QString> &row : rows)
            row.deletedBySave = row.deletedBySave || row.state == Deleted;
        return true;
    }

    bool numbersFit(const QStringList &cells) const
    {
        bool ok = true;
        for (int cell = 4; cell <= 16 && ok; ++cell) {
            if (cell == 4 || (cartesian && isCartesianOnly(cell) && !isBooleanCell(cell) && cell != 11))
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

    // A value a user might type into the panel field of `cell`.
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
};

} // namespace

class EditorSequencesTest : public QObject
{
    Q_OBJECT

    QString m_where; // seed and step, for the failure message

    // The loop all windows share: a random action, then what the window
    // shows against what the model expects.
    void run(const std::vector<Action> &actions, const std::function<QString()> &shown,
             const std::function<QString()> &expected)
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
            while (actions[chosen].possible && !actions[chosen].possible())
                ++chosen;
            actions[chosen].run();
            if (QTest::currentTestFailed())
                return qWarning("failed at %s", qPrintable(m_where));
            QVERIFY2(shown() == expected(), qPrintable(m_where + ": shows " + shown() + ", model " + expected()));
        }
    }

    template <typename Editor>
    void runSubEditor(FigureEditorKit<Editor> &kit, Table &table, const SubEditor &e)
    {
        EditorModel model;
        auto reopen = [&] {
            kit.reopen(e.figure);
            model.load(table, e.initialFields, !e.figure.isEmpty()); // the group list shows no row
        };
        auto list = [&] { return control<ListView>(*kit.window, e.list); };
        auto saved = [&] { savedInModel(model, table, e, kit.root); };
        auto edit = [&](int cell, const QString &value) {
            typeAndLeave(*kit.window, e.fields[cell - 1], QString(value).replace("\r\n", "\n"), e.leaveTo);
            model.edit(cell, value);
        };
        reopen();
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
                 model.rows.push_back({std::nullopt, number + "#", twoPress ? model.fields : e.newRowCells, New});
                 if (twoPress) // the fields show the new row: their edits go to it
                     model.current = int(model.rows.size()) - 1;
             }},
            {2, {}, [&] {
                 click(*kit.window, e.saveButton);
                 QVERIFY2(kit.messages.count() == 0, qPrintable(m_where + ": " + kit.messages.last().detail));
                 saved();
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
                 const QMessageBox::StandardButton answer = randomAnswer();
                 if (unsaved)
                     kit.messages.answerNextWith(answer);
                 if (e.exitButton && below(2))
                     click(*kit.window, e.exitButton);
                 else
                     kit.window->close();
                 QCOMPARE(kit.messages.count(), unsaved ? 1 : 0);
                 if (unsaved)
                     QVERIFY(kit.messages.last().text.contains("未保存"));
                 kit.messages.clear();
                 if (unsaved && answer == QMessageBox::Cancel) {
                     QVERIFY(kit.window->isVisible());
                     if (typed) {
                         control(*kit.window, e.leaveTo)->setFocus(Qt::TabFocusReason);
                         model.edit(typed->first, typed->second);
                     }
                     return;
                 }
                 QVERIFY(!kit.window->isVisible());
                 if (unsaved && answer == QMessageBox::Save) {
                     if (typed)
                         model.edit(typed->first, typed->second);
                     saved();
                 }
                 reopen();
             }},
            {2, {}, reopen},
        }, [&] { return marks(list()); }, [&] { return model.marks(); });
    }

    // A complete save of a sub-editor, in the model, checked against the table.
    void savedInModel(EditorModel &model, Table &table, const SubEditor &e, const TestInstallRoot &root)
    {
        if (e.save == SubEditor::Renumbers) { // every record by its list position
            table.clear();
            for (size_t i = 0; i < model.rows.size(); ++i) {
                table[i + 1] = model.rows[i].cells;
                model.rows[i] = {double(i + 1), QString::number(i + 1), model.rows[i].cells};
            }
                 } else {
                     model.keyedSave(table);
                 }
                 if (e.save == SubEditor::Reloads)
                     model.load(table, model.fields, false);
                 QCOMPARE(recordList(root, e.tableSql), tableRecords(table));
    }

private slots:
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
                                  .save = SubEditor::Renumbers,
                                  .tableSql = "SELECT ID, Series, CASE WHEN curve THEN 'True' ELSE 'False' END, X, Y,"
                                              " L FROM pData WHERE th = 'B001' ORDER BY ID"});
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
                                  .exitButton = "cmdCancel", .save = SubEditor::DropsDeleted,
                                  .tableSql = "SELECT ID, X, Y, Lbl FROM picLable WHERE th = 'B001' ORDER BY ID"});
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
        int counter = 0;
        for (QString number : {"B001", "B002", "B004", "T001", "T002"}) {
            model.cartesian = number[0] == 'B';
            QStringList record = CatalogueModel::newRecord();
            QVariantMap columns = {{"LB", number.left(1)}};
            for (int cell = 1; cell <= kCellCount; ++cell) {
                if (model.cartesian || !isCartesianOnly(cell) || isBooleanCell(cell))
                    record[cell - 1] = cell == 1 ? number : cell == 3 ? QString(number).insert(1, 'P')
                                                                      : model.randomCell(cell, counter);
                columns[kFields[cell - 1]] = isBooleanCell(cell) ? QVariant(record[cell - 1] == "True") : record[cell - 1];
            }
            record[kCellCount] = number.left(1);
            c.root.insertFigure(columns);
            model.insert(number, record);
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
            const QMessageBox::StandardButton answer = randomAnswer();
            c.messages.answerNextWith(answer);
            ++model.messages;
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
            const QMessageBox::StandardButton answer = randomAnswer();
            c.messages.answerNextWith(answer);
            ++model.messages;
            return answer == QMessageBox::Save ? model.save() : answer == QMessageBox::Discard;
        };
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
            {3, {}, [&] {
                 const bool goOn = settlePanel();
                 click(*c.window, "cmdSaveLvFigure");
                 if (goOn)
                     model.save();
                 QCOMPARE(recordList(c.root, CatalogueModel::tableSql()), tableRecords(model.table));
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
                     if (model.rows[row].cells[0] == model.fields[0])
                         return model.click(row);
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
                 QCOMPARE(recordList(c.root, CatalogueModel::tableSql()), tableRecords(model.table));
                 if (goOn) {
                     model.messages = 0;
                     c.messages.clear();
                     reopen();
                 }
             }},
            {2, {}, [&] {
                 switch (below(3)) {
                 case 0: subWindow(SingleWindow<fGroup>::instance(), "Command1"); break;
                 case 1: subWindow(SingleWindow<fPicData>::instance(), "CommandButton1"); break;
                 default: subWindow(SingleWindow<fPicLbl>::instance(), "CommandButton2");
                 }
             }},
            {1, {}, reopen},
        }, [&] { return marks(list()) + QString(" (%1 messages)").arg(c.messages.count()); },
            [&] { return model.marks() + QString(" (%1 messages)").arg(model.messages); });
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
