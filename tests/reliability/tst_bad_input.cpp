// Awkward input in every text field of every window, saved: each value is
// either stored exactly (as its column reads it) or refused with a message,
// and no other record changes (but the points and labels of a renumbered
// figure, which follow it). Catalogues with NULLs everywhere, duplicate
// keys or a missing table open without a crash.
#include "tests/support/FigureEditorKit.h"
#include "ui/catalogue/fMain.h"
#include "ui/common/NumberText.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <memory>

namespace {

enum Kind { Text, Key, Memo, Real, Integer, Boolean, Leading };

// What the column must hold once `typed` was saved into it; null: the save must refuse it.
QVariant expected(Kind kind, const QString &typed)
{
    bool ok = false;
    const double n = QLocale::c().toDouble(typed.trimmed(), &ok);
    const bool number = ok && std::isfinite(n);
    switch (kind) {
    case Text: return typed;
    case Key: return typed.trimmed().isEmpty() ? QVariant() : QVariant(typed);
    case Memo: return QString(typed).replace("\n", "\r\n");
    case Real: return number ? QVariant(n) : QVariant();
    case Integer: return number && std::fabs(n) <= 9e18 ? QVariant(qlonglong(std::nearbyint(n))) : QVariant();
    case Boolean:
        if (typed.compare("True", Qt::CaseInsensitive) == 0 || typed.compare("False", Qt::CaseInsensitive) == 0)
            return typed.compare("True", Qt::CaseInsensitive) == 0 ? 1 : 0;
        return number ? QVariant(n != 0 ? 1 : 0) : QVariant();
    case Leading: { // the figure list's decimal places and special case: the number the text starts with
        const double leading = leadingNumber(typed);
        return std::fabs(leading) <= 9e18 ? QVariant(qlonglong(std::nearbyint(leading))) : QVariant();
    }
    }
    return {};
}

bool same(const QVariant &stored, const QVariant &wanted)
{
    if (wanted.typeId() == QMetaType::Double)
        return stored.toDouble() == wanted.toDouble();
    return stored.toString() == wanted.toString();
}

struct Field
{
    const char *window, *control, *column;
    Kind kind;
};

// Every field; the record under edit is the only one in its window's list.
const Field kFields[] = {
    {"fPicLbl", "tTxtBx1", "X", Real}, {"fPicLbl", "tTxtBx2", "Y", Real}, {"fPicLbl", "tTxtBx3", "Lbl", Memo},
    {"fPicData", "tTxtBx1", "Series", Integer}, {"fPicData", "tTxtBx2", "curve", Boolean},
    {"fPicData", "tTxtBx3", "X", Real}, {"fPicData", "tTxtBx4", "Y", Real}, {"fPicData", "tTxtBx5", "L", Integer},
    {"fGroup", "TextBox1", "grpName", Text},
    {"fMain", "tTh", "th", Key}, {"fMain", "tPicName", "tm", Text}, {"fMain", "tFigName", "figName", Text},
    {"fMain", "comGroup", "grp", Integer}, {"fMain", "tX1", "X1", Real}, {"fMain", "tX2", "X2", Real},
    {"fMain", "tX3", "X3", Real}, {"fMain", "tX4", "X4", Real}, {"fMain", "tX5", "X5", Real},
    {"fMain", "CombX7", "X7", Leading}, {"fMain", "tY1", "Y1", Real}, {"fMain", "tY2", "Y2", Real},
    {"fMain", "tY3", "Y3", Real}, {"fMain", "tY4", "Y4", Real}, {"fMain", "tY5", "Y5", Real},
    {"fMain", "CombY7", "Y7", Leading}, {"fMain", "tSPCase", "specialCase", Leading},
    {"fMain", "tComment", "Comment", Memo},
};

const char *tableOf(const QString &window)
{
    return window == "fPicLbl" ? "picLable" : window == "fPicData" ? "pData" : window == "fGroup" ? "picType" : "picMain";
}

// The catalogue: the records the windows edit (figure B001, group 1) and others beside them.
void arrange(TestInstallRoot &root)
{
    root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 1, 2, 'a'), ('B002', 1, 3, 4, 'b')");
    root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 2, 1),"
              " ('B002', 1, 2, 1, 3, 4, 0)");
    root.exec("INSERT INTO picType (grp, grpName) VALUES (1, '一')");
    root.exec("INSERT INTO picMain (th, tm, figName, grp, LB, X7, specialCase, Comment)"
              " VALUES ('B001', '图', 'BP001', 1, 'B', 1, 2, 'c'), ('T001', '三角', 'TP001', 2, 'T', 0, 3, 'd')");
}

QStringList everything(const TestInstallRoot &root, const QString &table, qlonglong skipRowid)
{
    QStringList records;
    for (const char *t : {"picMain", "picType", "pData", "picLable"})
        records += recordList(root, QString("SELECT '%1', * FROM %1 WHERE '%1' <> '%2' OR rowid <> %3 ORDER BY rowid")
                                        .arg(t, table).arg(skipRowid));
    return records;
}

// A window loaded as the catalogue window opens it, figure B001.
std::unique_ptr<QWidget> openWindow(const QString &name)
{
    gFigNo = "B001";
    auto load = [](auto *window) { window->Form_Load(); return std::unique_ptr<QWidget>(window); };
    std::unique_ptr<QWidget> w = name == "fPicLbl" ? load(new fPicLbl) : name == "fPicData" ? load(new fPicData)
                                 : name == "fGroup"  ? load(new fGroup) : load(new fMain);
    if (!showActive(*w))
        qFatal("%s did not become active", qPrintable(name));
    return w;
}

ListView *listOf(const QWidget &w) { return control<ListView>(w, w.objectName() == "fGroup" ? "LvGroup" : "LvFigure"); }

} // namespace

class BadInputTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldStoresOrRefuses_data()
    {
        QTest::addColumn<QString>("typed");
        const QStringList values = {"'", "O'Brien \"x\"", "a\\b", "100%", "中文 ñé 😀", "两行\n文字",
                                    QString(10000, QChar(u'岩')), "", "abc", "1e308", "1e309", "-5", "nan", "inf"};
        for (const QString &v : values)
            QTest::newRow(qPrintable(v.left(12).replace("\n", "\\n") + (v.size() > 12 ? "…" : ""))) << v;
    }

    void everyFieldStoresOrRefuses()
    {
        QFETCH(QString, typed);
        TestInstallRoot root;
        MessageRecorder messages;
        arrange(root);
        QHash<QString, qlonglong> edited; // table -> rowid of the record under edit, which a new number renames
        for (const char *t : {"picLable", "pData", "picMain"})
            edited[t] = root.scalar(QString("SELECT rowid FROM %1 WHERE th = 'B001'").arg(t)).toLongLong();
        edited["picType"] = 1;
        for (const Field &f : kFields) {
            const QString table = tableOf(f.window);
            const qlonglong rowid = edited[table];
            const QString column = QString("SELECT %1 FROM %2 WHERE rowid = %3").arg(f.column, table).arg(rowid);
            const QVariant before = root.scalar(column);
            const QVariant wanted = expected(f.kind, typed);
            QStringList others = everything(root, table, rowid);
            if (f.kind == Key && wanted.isValid())
                others.replaceInStrings(QRegularExpression("^(pData|picLable):B001,"), "\\1:" + typed + ",");
            std::unique_ptr<QWidget> w = openWindow(f.window);
            messages.clear();
            clickRow(listOf(*w), 0);
            typeAndLeave(*w, f.control, typed, table == "picMain" ? "cmdUpdate" : f.window == QString("fGroup") ? "cmdAddGroup" : "cmdSave");
            if (table == "picMain")
                click(*w, "cmdUpdate");
            click(*w, table == "picMain" ? "cmdSaveLvFigure" : table == "picType" ? "cmdGrpUpdata" : "cmdSave");

            const QString where_ = QString("%1 %2 \"%3\"").arg(f.window, f.control, typed.left(20));
            const QVariant stored = root.scalar(column);
            if (wanted.isValid()) {
                QVERIFY2(messages.count() == 0, qPrintable(where_ + ": refused: " + messages.last().detail));
                QVERIFY2(same(stored, wanted), qPrintable(where_ + ": stored " + stored.toString().left(40)));
            } else {
                // A value refused at 刷新列表 stays in the panel, so 保 存 then asks about it first.
                const bool askedAboutPanel = messages.count() == 2 && messages.last().text.contains(QStringLiteral("刷新列表"));
                QVERIFY2((messages.count() == 1 || askedAboutPanel)
                             && messages.shown().first().text != QStringLiteral("不好意思，出错了！"),
                         qPrintable(where_ + ": not refused, or without a cause"));
                QVERIFY2(same(stored, before), qPrintable(where_ + ": changed to " + stored.toString().left(40)));
            }
            QCOMPARE(everything(root, table, rowid), others);
        }
    }

    // Catalogues the schema would not allow: every window opens, shows what
    // it can (a NULL as empty text) or says why it cannot, and saves an edit
    // or refuses it with a message.
    void oddCataloguesOpen_data()
    {
        QTest::addColumn<QString>("odd");
        QTest::newRow("NULL in every column") << "nulls";
        QTest::newRow("duplicate keys") << "duplicates";
        QTest::newRow("a missing table") << "missing";
    }

    void oddCataloguesOpen()
    {
        QFETCH(QString, odd);
        TestInstallRoot root;
        MessageRecorder messages;
        const QStringList tables = {"picMain", "picType", "pData", "picLable"};
        for (const QString &t : tables)
            root.dropConstraints(t);
        if (odd == "missing") {
            root.exec("DROP TABLE picLable");
        } else {
            arrange(root);
            for (const QString &t : tables) { // keep only what finds the record in its list
                QStringList nulls;
                for (const QVariantList &c : root.rows(QString("PRAGMA table_info(%1)").arg(t))) {
                    if (!QStringList{"th", "LB", "grp", "ID"}.contains(c[1].toString()) || (t == "picMain" && c[1] == "grp"))
                        nulls << c[1].toString() + " = NULL";
                }
                if (odd == "nulls")
                    root.exec(QString("UPDATE %1 SET %2").arg(t, nulls.join(", ")));
            }
            if (odd == "duplicates")
                arrange(root);
        }
        const QString before = QString::number(root.rows("SELECT * FROM picMain").size());
        for (QString name : {"fMain", "fGroup", "fPicData", "fPicLbl"}) {
            messages.clear();
            std::unique_ptr<QWidget> w = openWindow(name);
            ListView *list = listOf(*w);
            if (odd == "missing") {
                QVERIFY2(messages.count() == 1 && messages.last().detail.contains("picLable"), qPrintable(name));
                QCOMPARE(list->count(), 0);
                continue;
            }
            QCOMPARE(list->count(), odd == "duplicates" ? 2 : 1);
            for (int cell = 1; odd == "nulls" && cell < list->model()->columnCount(); ++cell) {
                const QString text = list->cell(0, cell);
                QVERIFY2(text.isEmpty() || text == "B001",
                         qPrintable(name + ": " + text));
            }
            clickRow(list, 0);
            const char *field = name == "fMain" ? "tPicName" : name == "fGroup" ? "TextBox1" : "tTxtBx3";
            typeAndLeave(*w, field, "7", name == "fMain" ? "cmdUpdate" : name == "fGroup" ? "cmdAddGroup" : "cmdSave");
            if (name == "fMain")
                click(*w, "cmdUpdate");
            click(*w, name == "fMain" ? "cmdSaveLvFigure" : name == "fGroup" ? "cmdGrpUpdata" : "cmdSave");
            QVERIFY2(messages.count() <= 1 && (messages.count() == 0 || !messages.last().detail.isEmpty()), qPrintable(name));
            QCOMPARE(QString::number(root.rows("SELECT * FROM picMain").size()), before);
        }
        QCOMPARE(root.scalar("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    }
};

QTEST_MAIN(BadInputTest)
#include "tst_bad_input.moc"
