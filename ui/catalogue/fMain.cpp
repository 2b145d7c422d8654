#include "ui/catalogue/fMain.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/ColumnKind.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/geometry/Twips.h"
#include "platform/listview/ListView.h"
#include "platform/messages/MessageBox.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/catalogue/FigureList.h"
#include "ui/catalogue/FigureListChanges.h"
#include "ui/catalogue/FigureListSave.h"
#include "ui/catalogue/NewFigNumber.h"
#include "ui/common/ControlText.h"
#include "ui/common/FigureRowsEditor.h"
#include "ui/common/FormControls.h"
#include "ui/common/ListCommands.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/NumberText.h"
#include "ui/common/RowEditing.h"
#include "ui/common/SingleWindow.h"
#include "ui/common/Thumbnail.h"
#include "ui/common/CatalogueChanges.h"
#include "ui/common/UnsavedWork.h"
#include "ui/common/WriteConflicts.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"
#include "ui/preview/fPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

fMain::fMain(QWidget *parent) : QWidget(parent)
{
    buildControls();
    bindPanel();
    connect(Opt1, &QRadioButton::toggled, this, [this](bool on) { if (on) Opt1_Click(); });
    connect(Opt2, &QRadioButton::toggled, this, [this](bool on) { if (on) Opt2_Click(); });
    connect(LvFigure, &ListView::rowClicked, this, &fMain::LvFigure_Click);
    ListCommandHooks hooks;
    hooks.forgetCurrentRow = [this] { CurrentItem = -1; };
    hooks.mayChangeRows = [this] { return settlePanel(); };
    hooks.deleteRows = [this] { deleteSelectedRows(); };
    hooks.canDelete = [this] { return !LvFigure->selectedRows().empty(); };
    hooks.more = {{QStringLiteral("复制图版"), QKeySequence(Qt::CTRL | Qt::Key_D), [this] { duplicateCurrentRow(); },
                   [this] { return CurrentItem >= 0; }}};
    m_commands = new ListCommands(*LvFigure, std::move(hooks));
    connect(cmdAddPic, &QPushButton::clicked, this, &fMain::cmdAddPic_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &fMain::cmdUpdate_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &fMain::CmdDelete_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &fMain::cmdCancel_Click);
    connect(cmdSaveLvFigure, &QPushButton::clicked, this, &fMain::cmdSaveLvFigure_Click);
    connect(Command1, &QPushButton::clicked, this, &fMain::Command1_Click);
    connect(CommandButton1, &QPushButton::clicked, this, &fMain::CommandButton1_Click);
    connect(LvFigure, &ListView::rowDoubleClicked, this, &fMain::CommandButton1_Click);
    connect(CommandButton2, &QPushButton::clicked, this, &fMain::CommandButton2_Click);
    Image1->installEventFilter(this);
    connect(&CatalogueChanges::instance(), &CatalogueChanges::thumbnailWritten, this, [this](const QString &name) {
        if (name.compare(tFigName->text(), Qt::CaseInsensitive) == 0)
            showThumbnail();
    });
    new UnsavedWorkGuard(*this, [this] { return mayDropUnsavedWork(); });
}

void fMain::Form_Load()
{
    LvFigure->setColumns(FigureColumns::kColumns);
    placeInTwips(LvFigure, 200, 500, 15000, 4215);
    QStringList groups, decimals;
    for (int group = 1; group <= 10; ++group)
        groups << QString::number(group);
    for (int places = -1; places <= 4; ++places)
        decimals << QString::number(places);
    addItemsKeepingText(comGroup, groups);
    addItemsKeepingText(CombX7, decimals);
    addItemsKeepingText(CombY7, decimals);
    gMiniMapDir = GetInstallSetting(QStringLiteral("Path")) + QStringLiteral("/Diagram/MiniMap/");
    Opt1->setChecked(true); // raises Opt1_Click, which loads the Cartesian list
    if (LvFigure->count() > 0)
        LvFigure->selectOnly(0);
    LvFigure_Click();
}

void fMain::Opt1_Click()
{
    if (!mayDropUnsavedWork()) {
        // The option of the list still shown goes back on.
        const QSignalBlocker blockOpt1(Opt1), blockOpt2(Opt2);
        (gFigType == 2 ? Opt2 : Opt1)->setChecked(true);
        return;
    }
    gFigType = static_cast<qint16>((Opt1->isChecked() ? 1 : 0) + (Opt2->isChecked() ? 2 : 0));
    LoadFigData(gFigType);
    selectPanelFigure();
}

void fMain::Opt2_Click()
{
    Opt1_Click(); // both buttons read the pair the same way
}

void fMain::LoadFigData(int FT)
{
    const QString openFailure = OpenDatabase();
    // Rows of the previous list are gone; none of them is current any more.
    CurrentItem = -1;
    m_deletedBySave.clear();
    QString typeLetter;
    if (FT == 2) {
        Frame1->setEnabled(false);
        Frame1->hide();
        CheckBorder->setEnabled(false);
        typeLetter = QStringLiteral("T");
    } else if (FT == 1) {
        Frame1->setEnabled(true);
        Frame1->show();
        CheckBorder->setEnabled(true);
        typeLetter = QStringLiteral("B");
    }
    gSql = CatalogueStatements::figuresOfType(typeLetter);
    FigureList list;
    LvFigure->setRows({}); // the old list goes first: a long list is not held twice
    try {
        list = readFigureList(gSql, gConn, FT == 1);
    } catch (const DbError &e) {
        if (!openFailure.isEmpty()) {
            ReportOpenFailure(openFailure, this);
        } else {
            MessageRequest request;
            request.icon = QMessageBox::Warning;
            request.text = QStringLiteral("无法读取图版数据库：") + CataloguePath() + QLatin1Char('\n') + e.cause();
            request.detail = e.reason();
            MessageBox::show(this, request);
        }
    }
    showLoadedRows(*LvFigure, std::move(list.rows), std::move(list.source));
    showFigureCount();
}

void fMain::showFigureCount()
{
    // The rows whose figure the catalogue holds: a new row counts once saved, a ★ row until then.
    int figures = 0;
    for (int row = 0; row < LvFigure->count(); ++row)
        figures += LvFigure->hasStoredKey(row);
    lblNumber->setText(QStringLiteral("共有 %1 个图版").arg(figures));
}

QString fMain::NewFigNumber(int position) const
{
    return nextFigureNumber(LvFigure->cell(position - 1, FigureColumns::kNumberCell));
}

void fMain::LvFigure_Click()
{
    if (!settlePanel()) {
        // The panel keeps its text, and the row it belongs to stays highlighted.
        if (CurrentItem >= 0 && !NewFigureMode)
            LvFigure->selectOnly(CurrentItem);
        else
            LvFigure->clearSelection();
        return;
    }
    const int picked = LvFigure->selectedRow();
    if (picked >= 0 && !LvFigure->rowReadable(picked)) {
        // Blank fields would be taken for the figure's values and saved over them.
        MessageRequest request;
        request.icon = QMessageBox::Warning;
        request.text = QStringLiteral("无法读取这个图版，编辑区仍显示原来的图版。\n") + LvFigure->rowReadFailure();
        MessageBox::show(this, request);
        if (CurrentItem >= 0 && !NewFigureMode)
            LvFigure->selectOnly(CurrentItem);
        else
            LvFigure->clearSelection();
        return;
    }
    CurrentItem = picked;
    if (CurrentItem >= 0)
        m_panel.showRow(*LvFigure, CurrentItem, gFigType == 1);
    showThumbnail();
    NewFigureMode = false;
    cmdUpdate->setText(QStringLiteral("刷新列表"));
    rememberPanel();
}

void fMain::selectPanelFigure()
{
    if (!NewFigureMode) {
        for (int row = 0; row < LvFigure->count(); ++row) {
            if (LvFigure->cell(row, FigureColumns::kNumberCell) == tTh->text()) {
                LvFigure->selectOnly(row);
                LvFigure_Click();
                return;
            }
        }
    }
    LvFigure->clearSelection();
}

void fMain::rememberPanel()
{
    m_panelShown = m_panel.texts();
}

bool fMain::panelPending() const
{
    return (CurrentItem >= 0 || NewFigureMode) && m_panel.differsFrom(m_panelShown, gFigType == 1);
}

bool fMain::settlePanel()
{
    if (!panelPending())
        return true;
    switch (askAboutPendingWork(this, QStringLiteral("编辑区的修改还没有刷新列表。是否先刷新列表？"),
                                QStringLiteral("刷新列表"))) {
    case PendingAnswer::Keep:
        cmdUpdate_Click();
        return !panelPending();
    case PendingAnswer::Discard:
        m_panel.setTexts(m_panelShown);
        showThumbnail();
        return true;
    case PendingAnswer::Cancel:
        break;
    }
    return false;
}

bool fMain::mayDropUnsavedWork()
{
    if (!settlePanel())
        return false;
    const bool unsaved = hasUnsavedRows(LvFigure->items(), [this](int row) {
        return LvFigure->tag(row) == RowState::Deleted && m_deletedBySave.contains(row);
    });
    return mayDiscardUnsaved(this, unsaved, [this] { return saveList(); });
}

void fMain::showThumbnail()
{
    QString whyNot;
    const QImage picture = loadThumbnail(gMiniMapDir, tFigName->text(), &whyNot);
    // An unreadable file clears the area too, rather than leave the last figure's picture.
    Image1->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
    const QString hint = QStringLiteral("双击显示图版预览（在数据和标签窗口中按 F5 也可显示）");
    Image1->setToolTip(whyNot.isEmpty() ? hint : whyNot + QLatin1Char('\n') + hint);
    placeInTwips(Image1, 200, 4900, 5896, 5056);
}

FigureProposal fMain::proposeNewFigure() const
{
    const int rows = LvFigure->count();
    const QString typeLetter = gFigType == 2 ? QStringLiteral("T") : QStringLiteral("B");
    // An empty list has no last number to count on from.
    return freeFigureProposal(rows > 0 ? NewFigNumber(rows) : typeLetter + QStringLiteral("001"), typeLetter,
                              takenFigureNames());
}

void fMain::cmdAddPic_Click()
{
    if (NewFigureMode || !settlePanel())
        return;
    const FigureProposal proposal = proposeNewFigure();
    tTh->setText(proposal.number);
    tPicName->setText(QString());
    tFigName->setText(proposal.thumbnail);
    for (QWidget *field : std::initializer_list<QWidget *>{comGroup, tX1, tX2, tX3, tX4, tX5, CheckX6, CombX7, tY1, tY2,
                                                         tY3, tY4, tY5, CheckY6, CombY7, CheckBorder, tSPCase, tComment})
        setControlText(field, field->inherits("QCheckBox") ? QStringLiteral("False") : QString());
    cmdUpdate->setText(QStringLiteral("加入列表"));
    NewFigureMode = true;
    rememberPanel();
}

void fMain::cmdUpdate_Click()
{
    if (!NewFigureMode && !requireCurrentRow())
        return;
    // The number is the figure's key: its record, points and labels are found by it.
    if (tTh->text().trimmed().isEmpty()) {
        inform(QStringLiteral("请先填写图号。"));
        return;
    }
    if (NewFigureMode)
        CurrentItem = appendNewRow(LvFigure->items(), numberText(LvFigure->count() + 1));
    else
        markRowChanged(LvFigure->items(), CurrentItem);
    m_panel.writeRow(*LvFigure, CurrentItem, gFigType == 1);
    rememberPanel();
}

void fMain::CmdDelete_Click()
{
    if (!requireCurrentRow())
        return;
    markRowDeleted(LvFigure->items(), CurrentItem, RowMark::Deleted);
}

void fMain::deleteSelectedRows()
{
    markRowsDeleted(LvFigure->items(), LvFigure->selectedRows(), RowMark::Deleted);
}

void fMain::duplicateCurrentRow()
{
    if (!settlePanel() || !requireCurrentRow())
        return;
    const ListRow source = LvFigure->row(CurrentItem);
    const FigureProposal proposal = proposeNewFigure();
    const int row = appendNewRow(LvFigure->items(), numberText(LvFigure->count() + 1));
    for (int cell = 1; cell <= FigureColumns::kCellCount; ++cell)
        LvFigure->setCell(row, cell, source.cells.value(cell - 1));
    LvFigure->setCell(row, FigureColumns::kNumberCell, proposal.number);
    LvFigure->setCell(row, FigureColumns::kThumbnailCell, proposal.thumbnail);
    LvFigure->setCell(row, FigureColumns::kNameCell, source.cells.value(FigureColumns::kNameCell - 1) + QStringLiteral("（副本）"));
    // The records are found by the number they are stored under; a source
    // not saved yet will be stored under its number.
    const QString sourceNumber = source.storedKey.isValid() ? source.storedKey.toString()
                                                            : source.cells.value(FigureColumns::kNumberCell - 1);
    LvFigure->items().setCopiedFrom(row, sourceNumber);
    LvFigure->selectOnly(row);
    LvFigure_Click();
}

TakenFigureNames fMain::takenFigureNames() const
{
    TakenFigureNames taken;
    for (int row = 0; row < LvFigure->count(); ++row) {
        taken.numbers << LvFigure->cell(row, FigureColumns::kNumberCell) << LvFigure->storedKey(row).toString();
        taken.thumbnails << LvFigure->cell(row, FigureColumns::kThumbnailCell);
    }
    // Figures of the other type, and points or labels kept under a number
    // whose figure has gone, take their numbers too.
    const QList<QPair<SqlStatement, bool>> storedNames = {
        {CatalogueStatements::allFigureNumbersAndThumbnails(), true},
        {CatalogueStatements::figuresWithPoints(), false},
        {CatalogueStatements::figuresWithLabels(), false}};
    for (const auto &[select, withThumbnail] : storedNames) {
        try {
            Recordset stored;
            stored.open(select, gConn);
            for (int i = 1; i <= stored.recordCount(); ++i) {
                stored.setAbsolutePosition(i);
                taken.numbers << valueText(stored.value(0));
                if (withThumbnail)
                    taken.thumbnails << valueText(stored.value(1));
            }
        } catch (const DbError &) {
            // Unreadable now: the save still refuses a number that is taken.
        }
    }
    const QString folder = gMiniMapDir;
    taken.thumbnailFileExists = [folder](const QString &thumbnail) {
        return !findThumbnail(folder, thumbnail).isEmpty();
    };
    return taken;
}

bool fMain::requireCurrentRow()
{
    if (CurrentItem >= 0)
        return true;
    inform(QStringLiteral("请先在列表中选择一个图版。"));
    return false;
}

void fMain::inform(const QString &text)
{
    MessageRequest request;
    request.icon = QMessageBox::Information;
    request.text = text;
    MessageBox::show(this, request);
}

void fMain::cmdCancel_Click()
{
    close();
}

void fMain::cmdSaveLvFigure_Click()
{
    if (settlePanel())
        saveList();
}

bool fMain::saveList()
{
    const ListHistory::Save saving(m_commands->history());
    const auto save = [this] {
        const FigureListChanges changes(LvFigure->items());
        const SaveOutcome outcome = saveFigureList(LvFigure->items(), gFigType == 1);
        changes.announce(LvFigure->items(), outcome.written);
        return outcome;
    };
    const bool saved = saveAskingAtConflicts(this, LvFigure->items(), save,
                                             [this](int row) {
                                                 // The panel shows the row as it is stored now, not the edits dropped.
                                                 if (row == CurrentItem && !NewFigureMode) {
                                                     m_panel.showRow(*LvFigure, row, gFigType == 1);
                                                     showThumbnail();
                                                     rememberPanel();
                                                 }
                                             });
    showFigureCount(); // also after a save that wrote part of the rows
    showThumbnail();   // a copy's save may have copied the picture it names
    if (!saved)
        return false;
    // Built afresh: a row put back and saved since holds a record again.
    m_deletedBySave.clear();
    for (int row = 0; row < LvFigure->count(); ++row) {
        if (LvFigure->tag(row) == RowState::Deleted)
            m_deletedBySave.insert(row);
    }
    return true;
}

void fMain::Command1_Click()
{
    SingleWindow<fGroup>::show();
}

void fMain::CommandButton1_Click()
{
    gFigNo = tTh->text();
    showFigureEditor<fPicData>();
}

void fMain::CommandButton2_Click()
{
    gFigNo = tTh->text();
    showFigureEditor<fPicLbl>();
}

void fMain::Image1_DblClick()
{
    if (requireCurrentRow())
        showFigurePreview(tTh->text());
}

bool fMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonDblClick)
        Image1_DblClick();
    return QWidget::eventFilter(watched, event);
}
