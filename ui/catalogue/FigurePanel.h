#pragma once

#include <QList>
#include <QStringList>

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

    // What every control shows, as its cell would hold it, in cell order.
    QStringList texts() const;
    void setTexts(const QStringList &texts) const;
    // True when a control differs from `texts`; axis controls count only for
    // a Cartesian list (hidden, they edit nothing).
    bool differsFrom(const QStringList &texts, bool cartesian) const;

private:
    struct Field
    {
        int cell;
        QWidget *control;
    };
    QList<Field> m_fields; // bound in cell order
};
