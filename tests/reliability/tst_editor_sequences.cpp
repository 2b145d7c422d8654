// Seeded random edit sequences through the real point, label and group windows:
// row clicks, field edits left for another field, adds, deletions, saves and
// closing and reopening the window, against a model of what the list must
// show and the table must hold. After every save the table is compared with
// the model record by record. A failure names its seed and step;
// QUILLAR_LONG_SEQUENCES=N runs N seeds per editor instead of the fixed set.
#include "tests/support/FigureEditorKit.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QPlainTextEdit>
#include <map>
#include <optional>
#include <random>

namespace {

std::mt19937 &rng()
{
    static std::mt19937 generator;
    return generator;
}

int below(int n) { return int(rng()() % unsigned(n)); }

// A list row as the model expects it.
struct ModelRow
{
    std::optional<double> stored; // the number its record has; none before its first save
    QString text;                 // the first column, marks included
    QStringList cells;            // cell 1.. as index 0..
    enum State { Unchanged, Changed, New, Deleted } state = Unchanged;
};

using Table = std::map<double, QStringList>; // number -> the record's other values

// The table as the tests' records() read it: "1:a,b 2:c,d".
QString tableText(const Table &table)
{
    QStringList out;
    for (const auto &[number, values] : table)
        out << numberText(number) + ':' + values.join(',');
    return out.join(' ');
}

QString markedNumber(const QString &text, const char *mark)
{
    return numberText(leadingNumber(text)) + mark;
}

// What both editors have in common: the rows, the row clicked last, the field
// texts and the two-press add.
struct EditorModel
{
    std::vector<ModelRow> rows;
    int current = -1;
    QStringList fields; // cell 1.. as index 0..
    bool adding = false;

    QString marks() const
    {
        QStringList texts;
        for (const ModelRow &row : rows)
            texts << row.text;
        return texts.join(' ');
    }

    // The number a new row gets: free among the rows and the stored records.
    double newRowNumber(const Table &table) const
    {
        QList<double> inUse;
        for (const ModelRow &row : rows) {
            inUse << leadingNumber(row.text);
            if (row.stored)
                inUse << *row.stored;
        }
        for (const auto &entry : table)
            inUse << entry.first;
        return freeRowNumber(int(rows.size()) + 1, inUse);
    }

    void clickRandomRow(ListView *list)
    {
        const int row = below(int(rows.size()));
        clickRow(list, row);
        click(row);
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
        const bool changed = fields[cell - 1] != text;
        fields[cell - 1] = text;
        if (adding || !changed || current < 0)
            return;
        ModelRow &row = rows[current];
        row.cells[cell - 1] = text;
        if (row.state == ModelRow::Deleted && !row.stored) {
            row.state = ModelRow::New;
            row.text = markedNumber(row.text, "#");
        } else if (row.state != ModelRow::New) {
            row.state = ModelRow::Changed;
            row.text = markedNumber(row.text, "*");
        }
    }
};


QString randomNumber() { return numberText(below(80) / 4.0 - 5); }

QList<int> seeds()
{
    const int longRun = qEnvironmentVariableIntValue("QUILLAR_LONG_SEQUENCES");
    QList<int> list;
    for (int seed = 1; seed <= (longRun > 0 ? longRun : 6); ++seed)
        list << seed;
    return list;
}

constexpr int kSteps = 250;

} // namespace

class EditorSequencesTest : public QObject
{
    Q_OBJECT

    QString m_where; // seed and step, for the failure message

private slots:
    void pointEditor_data() { seedRows(); }
    void labelEditor_data() { seedRows(); }
    void groupManager_data() { seedRows(); }

    void pointEditor()
    {
        QFETCH(int, seed);
        rng().seed(seed);
        FigureEditorKit<fPicData> kit;
        const char *fields[] = {"tTxtBx1", "tTxtBx2", "tTxtBx3", "tTxtBx4", "tTxtBx5"};
        Table table; // ID -> Series, curve, X, Y, L
        for (int id : {1, 2, 5})
            table[id] = {"1", "False", randomNumber(), randomNumber(), "1"};
        for (const auto &[id, v] : table)
            kit.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', ?, ?, ?, ?, ?, ?)",
                          {id, v[0], v[1] == "True", v[2], v[3], v[4]});
        EditorModel model;
        auto reopen = [&] {
            kit.reopen("B001");
            model = {};
            model.fields = QStringList{"1", "True", "Text2", "Text3", "2"};
            for (const auto &[id, v] : table)
                model.rows.push_back({id, numberText(id), v});
            if (!model.rows.empty())
                model.click(0);
        };
        reopen();
        auto randomValue = [](int cell) {
            switch (cell) {
            case 1: return QString::number(1 + below(16));
            case 2: return QString(below(2) ? "True" : "False");
            case 5: return QString::number(below(4));
            default: return randomNumber();
            }
        };
        for (int step = 0; step < kSteps; ++step) {
            m_where = QString("seed %1 step %2").arg(seed).arg(step);
            const int action = below(20);
            if (action < 6 && !model.rows.empty()) {
                model.clickRandomRow(kit.list());
            } else if (action < 13) {
                const int cell = 1 + below(5);
                const QString value = below(4) ? randomValue(cell) : model.fields[cell - 1];
                typeAndLeave(*kit.window, fields[cell - 1], value, "tTxtBx0");
                model.edit(cell, value);
            } else if (action < 16) {
                click(*kit.window, "cmdAddPoint");
                model.fields[2] = model.fields[3] = QString();
                model.fields[4] = "1";
                model.adding = true;
                for (int cell : {3, 4}) {
                    const QString value = randomNumber();
                    typeAndLeave(*kit.window, fields[cell - 1], value, "tTxtBx0");
                    model.edit(cell, value);
                }
                const QString number = shown(*kit.window, "tTxtBx0");
                click(*kit.window, "cmdAddPoint");
                model.rows.push_back({std::nullopt, number + "#", model.fields, ModelRow::New});
                model.adding = false;
            } else if (action < 18) {
                click(*kit.window, "cmdSave");
                QVERIFY2(kit.messages.count() == 0, qPrintable(m_where + ": " + kit.messages.last().detail));
                // A complete save numbers every record by its list position.
                table.clear();
                for (size_t i = 0; i < model.rows.size(); ++i) {
                    ModelRow &row = model.rows[i];
                    table[i + 1] = row.cells;
                    row = {double(i + 1), QString::number(i + 1), row.cells};
                }
                QCOMPARE(kit.records("SELECT ID, Series, CASE WHEN curve THEN 'True' ELSE 'False' END, X, Y, L"
                                     " FROM pData WHERE th = 'B001' ORDER BY ID"),
                         tableText(table));
            } else {
                reopen();
            }
            QVERIFY2(marks(kit.list()) == model.marks(), qPrintable(m_where + ": list " + marks(kit.list()) + ", model " + model.marks()));
        }
    }

    void labelEditor()
    {
        QFETCH(int, seed);
        rng().seed(seed);
        FigureEditorKit<fPicLbl> kit;
        const char *fields[] = {"tTxtBx1", "tTxtBx2", "tTxtBx3"};
        const QStringList texts = {"SiO2", "玄武岩\r\nbasalt", "Na2O+K2O", "多行\r\n标签\r\n", "x"};
        Table table; // ID -> X, Y, Lbl
        for (int id : {1, 2, 5})
            table[id] = {randomNumber(), randomNumber(), texts[below(texts.size())]};
        for (const auto &[id, v] : table)
            kit.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', ?, ?, ?, ?)", {id, v[0], v[1], v[2]});
        EditorModel model;
        auto reopen = [&] {
            kit.reopen("B001");
            model = {};
            model.fields = QStringList{"X-值", "Y-值", "标签名称\r\n"};
            for (const auto &[id, v] : table)
                model.rows.push_back({id, numberText(id), v});
            if (!model.rows.empty())
                model.click(0);
        };
        reopen();
        for (int step = 0; step < kSteps; ++step) {
            m_where = QString("seed %1 step %2").arg(seed).arg(step);
            const int action = below(20);
            if (action < 5 && !model.rows.empty()) {
                model.clickRandomRow(kit.list());
            } else if (action < 11) {
                const int cell = 1 + below(3);
                const QString value = !below(4) ? model.fields[cell - 1]
                                      : cell == 3 ? texts[below(texts.size())]
                                                  : randomNumber();
                typeAndLeave(*kit.window, fields[cell - 1], QString(value).replace("\r\n", "\n"), "Command1");
                model.edit(cell, value);
            } else if (action < 13 && model.current >= 0) {
                click(*kit.window, "CmdDelete");
                ModelRow &row = model.rows[model.current];
                row.state = ModelRow::Deleted;
                row.text = markedNumber(row.text, "★");
            } else if (action < 16) {
                click(*kit.window, "Command1");
                model.fields = QStringList{"", "", "1"};
                model.adding = true;
                for (int cell : {1, 2}) {
                    const QString value = randomNumber();
                    typeAndLeave(*kit.window, fields[cell - 1], value, "Command1");
                    model.edit(cell, value);
                }
                click(*kit.window, "Command1");
                const double number = model.newRowNumber(table);
                model.rows.push_back({std::nullopt, numberText(number) + "#", model.fields, ModelRow::New});
                model.adding = false;
            } else if (action < 18) {
                click(*kit.window, "cmdSave");
                QVERIFY2(kit.messages.count() == 0, qPrintable(m_where + ": " + kit.messages.last().detail));
                std::vector<ModelRow> kept;
                const int clicked = model.current; // follows its row; -1 when that row leaves the list
                for (int i = 0; i < int(model.rows.size()); ++i) {
                    ModelRow row = model.rows[i];
                    const double number = row.stored ? *row.stored : leadingNumber(row.text);
                    if (row.state == ModelRow::Deleted) {
                        if (row.stored)
                            table.erase(*row.stored);
                        if (clicked == i)
                            model.current = -1;
                        else if (clicked > i && model.current >= 0)
                            --model.current;
                        continue;
                    }
                    if (row.state != ModelRow::Unchanged)
                        table[number] = row.cells;
                    kept.push_back({number, numberText(number), row.cells});
                }
                model.rows = kept;
                QCOMPARE(kit.records("SELECT ID, X, Y, Lbl FROM picLable WHERE th = 'B001' ORDER BY ID"),
                         tableText(table));
            } else {
                reopen();
            }
            QVERIFY2(marks(kit.list()) == model.marks(), qPrintable(m_where + ": list " + marks(kit.list()) + ", model " + model.marks()));
        }
    }

    void groupManager()
    {
        QFETCH(int, seed);
        rng().seed(seed);
        FigureEditorKit<fGroup> kit;
        const QStringList names = {"火山岩", "深成岩", "构造环境", "变质岩", "沉积岩"};
        Table table; // grp -> grpName
        for (int grp : {1, 3, 4})
            table[grp] = {names[below(names.size())]};
        for (const auto &[grp, v] : table)
            kit.root.exec("INSERT INTO picType (grp, grpName) VALUES (?, ?)", {grp, v[0]});
        EditorModel model;
        auto loadRows = [&] {
            model.rows.clear();
            model.current = -1; // after a load no row is current
            for (const auto &[grp, v] : table)
                model.rows.push_back({grp, numberText(grp), v});
        };
        kit.reopen(QString());
        model.fields = QStringList{"Text1"};
        loadRows();
        auto list = [&] { return control<ListView>(*kit.window, "LvGroup"); };
        for (int step = 0; step < kSteps; ++step) {
            m_where = QString("seed %1 step %2").arg(seed).arg(step);
            const int action = below(20);
            if (action < 6 && !model.rows.empty()) {
                model.clickRandomRow(list());
            } else if (action < 12) {
                const QString value = below(4) ? names[below(names.size())] : model.fields[0];
                typeAndLeave(*kit.window, "TextBox1", value, "cmdAddGroup");
                model.edit(1, value);
            } else if (action < 14) {
                click(*kit.window, "cmdDeleteGroup");
                if (model.current >= 0) {
                    ModelRow &row = model.rows[model.current];
                    row.state = ModelRow::Deleted;
                    row.text = markedNumber(row.text, "d");
                }
            } else if (action < 16) {
                click(*kit.window, "cmdAddGroup");
                const double number = model.newRowNumber(table);
                model.rows.push_back({std::nullopt, numberText(number) + "#", {"在此输入新的组名"}, ModelRow::New});
            } else if (action < 18) {
                click(*kit.window, "cmdGrpUpdata");
                QVERIFY2(kit.messages.count() == 0, qPrintable(m_where + ": " + kit.messages.last().detail));
                for (const ModelRow &row : model.rows) {
                    const double number = row.stored ? *row.stored : leadingNumber(row.text);
                    if (row.state == ModelRow::Deleted && row.stored)
                        table.erase(number);
                    else if (row.state == ModelRow::Changed || row.state == ModelRow::New)
                        table[number] = row.cells;
                }
                loadRows(); // a complete save reloads the list
                QCOMPARE(kit.records("SELECT grp, grpName FROM picType ORDER BY grp"), tableText(table));
            } else {
                kit.reopen(QString());
                model.fields = QStringList{"Text1"};
                loadRows();
            }
            QVERIFY2(marks(list()) == model.marks(), qPrintable(m_where + ": list " + marks(list()) + ", model " + model.marks()));
        }
    }

private:
    void seedRows()
    {
        QTest::addColumn<int>("seed");
        for (int seed : seeds())
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }
};

QTEST_MAIN(EditorSequencesTest)
#include "tst_editor_sequences.moc"
