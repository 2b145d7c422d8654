#pragma once

#include <QStringList>
#include <QWidget>

class FieldTracking;
class ListView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The data-point editor: the points of one figure in a list, edited through
// the fields beside it, added in two presses and written by "保 存" under the
// figure number the window loaded.
class fPicData : public QWidget
{
    Q_OBJECT
public:
    explicit fPicData(QWidget *parent = nullptr);

    void Form_Load();

    // Event handlers, named after their control and event.
    void LvFigure_Click();
    void cmdAddPoint_Click();
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
    // Before the window closes with unsaved work: the point being added and
    // the edit pending in a field go into the list first.
    bool saveEverything();

    bool AddingPoint = false;
    QString m_figure; // loaded, shown in the caption, saved under
    bool m_figureCatalogued = false; // in the catalogue when loaded: saved only while it is
    FieldTracking *m_fields;

    ListView *LvFigure;
    QGroupBox *Frame1, *Frame2;
    QLabel *Label1;
    QPushButton *cmdSave, *cmdCancel, *cmdAddPoint;
    QLineEdit *tTxtBx0, *tTxtBx3, *tTxtBx4;
    QComboBox *tTxtBx1, *tTxtBx2, *tTxtBx5;
};
