// The host's own Access catalogue: the four windows read it as usual, every
// save is refused with the reason, and the file stays as it was.
#include "app/mQuillar.h"
#include "tests/support/AccessFixture.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

namespace {

int rowOfFigure(const QWidget &catalogue, const QString &number)
{
    const ListView *list = figureList(catalogue);
    for (int row = 0; row < list->count(); ++row) {
        if (list->cell(row, FigureColumns::kNumberCell) == number)
            return row;
    }
    return -1;
}

// The save was refused with the reason and the import command named.
QString refusalMismatch(const MessageRecorder &messages, int expectedCount)
{
    if (messages.count() != expectedCount)
        return QStringLiteral("%1 boxes, expected %2").arg(messages.count()).arg(expectedCount);
    const QString text = messages.last().text;
    return text.contains(QStringLiteral("只读")) && text.contains(QStringLiteral("quillar-import")) ? QString() : text;
}

// Every row of a list, number and cells, one line each.
QStringList listed(const ListView *list)
{
    QStringList lines;
    for (const ListRow &row : list->rows())
        lines << row.text + QLatin1Char('|') + row.cells.join(QLatin1Char('|'));
    return lines;
}

template <typename Window>
Window &openedEditor(fMain &catalogue, const char *button)
{
    click(catalogue, button);
    Window *window = SingleWindow<Window>::instance();
    if (!window || !showActive(*window))
        qFatal("no %s", button);
    return *window;
}

} // namespace

class HostCatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSubEditors(); }

    void readsItAndRefusesEverySave()
    {
        CatalogueWindow c;
        placeHostRoot(c.root.root());
        const QByteArray before = fileChecksum(c.root.cataloguePath());
        fMain &catalogue = c.open();

        // Told once what it is and how to get an editable copy.
        QCOMPARE(c.messages.count(), 1);
        QVERIFY(c.messages.last().text.contains(QStringLiteral("只读")));
        QVERIFY(c.messages.last().text.contains(QStringLiteral("quillar-import")));
        QCOMPARE(figureList(catalogue)->count(), 8);
        const int b003 = rowOfFigure(catalogue, QStringLiteral("B003"));
        QVERIFY(b003 >= 0);
        clickRow(catalogue, b003);
        QCOMPARE(shown(catalogue, "CheckX6"), QStringLiteral("ticked")); // Yes/No reads as True
        QCOMPARE(shown(catalogue, "tComment"), QStringLiteral("双对数坐标\r\n第二行说明").replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(!control<QLabel>(catalogue, "Image1")->pixmap().isNull());

        editRow(catalogue, b003, "tPicName", QStringLiteral("改名"));
        click(catalogue, "cmdSaveLvFigure");
        QVERIFY2(refusalMismatch(c.messages, 2).isEmpty(), qPrintable(refusalMismatch(c.messages, 2)));
        QVERIFY(figureList(catalogue)->text(b003).endsWith(QLatin1Char('*')));

        type(catalogue, "tTh", QStringLiteral("B001"));
        fPicData &points = openedEditor<fPicData>(catalogue, "CommandButton1");
        QCOMPARE(control<ListView>(points, "LvFigure")->count(), 14);
        click(points, "cmdAddPoint");
        type(points, "tTxtBx3", QStringLiteral("1"));
        type(points, "tTxtBx4", QStringLiteral("2"));
        click(points, "cmdAddPoint");
        click(points, "cmdSave");
        QVERIFY2(refusalMismatch(c.messages, 3).isEmpty(), qPrintable(refusalMismatch(c.messages, 3)));
        QVERIFY(marks(control<ListView>(points, "LvFigure")).endsWith(QLatin1Char('#')));

        fPicLbl &labels = openedEditor<fPicLbl>(catalogue, "CommandButton2");
        ListView *labelList = control<ListView>(labels, "LvFigure");
        QCOMPARE(labelList->count(), 4);
        clickRow(labelList, 1);
        click(labels, "CmdDelete");
        click(labels, "cmdSave");
        QVERIFY2(refusalMismatch(c.messages, 4).isEmpty(), qPrintable(refusalMismatch(c.messages, 4)));
        QCOMPARE(labelList->count(), 4);
        QVERIFY(marks(labelList).contains(QStringLiteral("★")));

        fGroup &groups = openedEditor<fGroup>(catalogue, "Command1");
        ListView *groupList = control<ListView>(groups, "LvGroup");
        QCOMPARE(groupList->count(), 3);
        clickRow(groupList, 0);
        typeAndLeave(groups, "TextBox1", QStringLiteral("新组名"), "cmdAddGroup");
        click(groups, "cmdGrpUpdata");
        QVERIFY2(refusalMismatch(c.messages, 5).isEmpty(), qPrintable(refusalMismatch(c.messages, 5)));

        // Reloads do not read the file again: no second notice, only the
        // questions about the B001 typed into the panel and the refused row.
        c.messages.answerNextWith(QMessageBox::Discard);
        c.messages.answerNextWith(QMessageBox::Discard);
        clickOption(catalogue, "Opt2");
        QCOMPARE(figureList(catalogue)->count(), 4);
        QCOMPARE(c.messages.count(), 7);
        QVERIFY(c.messages.last().text.contains(QStringLiteral("未保存")));
        QCOMPARE(fileChecksum(c.root.cataloguePath()), before);
    }

    // What the program showed read-only it shows from the imported catalogue,
    // where it saves.
    void theImportShowsTheSameAndSaves()
    {
        CatalogueWindow c;
        placeHostRoot(c.root.root());
        QStringList shownReadOnly = listed(figureList(c.open()));
        type(*c.window, "tTh", QStringLiteral("B001"));
        shownReadOnly += listed(control<ListView>(openedEditor<fPicLbl>(*c.window, "CommandButton2"), "LvFigure"));
        shownReadOnly += listed(control<ListView>(openedEditor<fPicData>(*c.window, "CommandButton1"), "LvFigure"));
        cleanup();

        QTemporaryDir dir;
        const QString imported = dir.filePath(QStringLiteral("导入"));
        QProcess import;
        import.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quillar-import"), {c.root.root(), imported});
        QVERIFY(import.waitForFinished(60000));
        QCOMPARE(import.exitCode(), 0);
        TestInstallRoot::pointSettingsAt(imported);
        c.messages.clear();
        fMain &catalogue = c.open();
        QStringList shownImported = listed(figureList(catalogue));
        type(catalogue, "tTh", QStringLiteral("B001"));
        shownImported += listed(control<ListView>(openedEditor<fPicLbl>(catalogue, "CommandButton2"), "LvFigure"));
        shownImported += listed(control<ListView>(openedEditor<fPicData>(catalogue, "CommandButton1"), "LvFigure"));
        QCOMPARE(shownImported, shownReadOnly);

        c.messages.answerNextWith(QMessageBox::Discard); // the B001 typed to open the editors
        editRow(catalogue, 0, "tPicName", QStringLiteral("改在导入的图版库"));
        click(catalogue, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 1); // that question only: no notice, no refusal
        QVERIFY(c.messages.last().text.contains(QStringLiteral("刷新列表")));
        QVERIFY(!figureList(catalogue)->text(0).endsWith(QLatin1Char('*')));
    }

    void aDamagedFileGivesAMessage()
    {
        CatalogueWindow c;
        placeHostRoot(c.root.root(), 40000);
        fMain &catalogue = c.open();
        QCOMPARE(figureList(catalogue)->count(), 0);
        QVERIFY(c.messages.count() >= 1);
        QVERIFY(c.messages.last().text.startsWith(QStringLiteral("无法打开图版数据库")));
        QVERIFY(!c.messages.last().detail.isEmpty());
    }
};

QTEST_MAIN(HostCatalogueTest)
#include "tst_host_catalogue.moc"
