#pragma once

#include <QList>

class ListView;
class QWidget;

// The editor panel of the catalogue window as a map from list cells to the
// controls that show them, each converted as controlText() says.
class FigurePanel
{
public:
    void bind(int cell, QWidget *control) { m_fields << Field{cell, control}; }

    // Copies the row's cells into the controls; axis controls only for a
    // Cartesian list (a triangular row leaves them as they are).
    void showRow(const ListView &list, int row, bool cartesian) const;
    // Writes the controls into the row's cells, in cell order, axis cells only
    // for a Cartesian list.
    void writeRow(ListView &list, int row, bool cartesian) const;

private:
    struct Field
    {
        int cell;
        QWidget *control;
    };
    QList<Field> m_fields; // bound in cell order
};
