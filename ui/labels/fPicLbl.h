#pragma once

#include <QStringList>
#include <QWidget>

class FieldTracking;
class ListView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The label editor: the text labels of one figure in a list, edited through
// the fields beside it, added in two presses, marked for deletion and written
// by "保 存" under the figure number the window loaded.
class fPicLbl : public QWidget
{
    Q_OBJECT
public:
    explicit fPicLbl(QWidget *parent = nullptr);

    void Form_Load();

    // Event handlers, named after their control and event.
    void LvFigure_Click();
    void Command1_Click();
    void CmdDelete_Click();
    void cmdSave_Click();
    void cmdCancel_Click();

    QString figureNumber() const { return m_figure; }
    const ListView &rows() const { return *LvFigure; }
    // The fields behind list cells 1, 2, ...
    static QStringList cellFields();

private:
    void buildControls();
    // The save of "保 存"; true when every row was written.
    bool saveList();
    // Before the window closes with unsaved work: the label being added and
    // the edit pending in a field go into the list first.
    bool saveEverything();

    bool AddingLabel = false;
    QString m_figure; // loaded, shown in the caption, saved under
    bool m_figureCatalogued = false; // in the catalogue when loaded: saved only while it is
    FieldTracking *m_fields;

    ListView *LvFigure;
    QLabel *Label1;
    QGroupBox *Frame1;
    QLineEdit *tTxtBx1, *tTxtBx2;
    QPlainTextEdit *tTxtBx3;
    QPushButton *Command1, *CmdDelete, *cmdSave, *cmdCancel;
};
