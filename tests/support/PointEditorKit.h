#pragma once

#include "tests/support/FigureEditorKit.h"
#include "ui/points/fPicData.h"

// A point editor over a temporary catalogue, with the steps its tests take.
struct PointEditorKit : FigureEditorKit<fPicData>
{
    // (ID, Series, curve, X, Y, L) of figure `figure`.
    void addPoints(const QString &figure, const QList<QVariantList> &points)
    {
        for (const QVariantList &p : points)
            root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES (?, ?, ?, ?, ?, ?, ?)",
                      QVariantList{figure} + p);
    }

    // The figure's records as "ID:X,Y" in ID order.
    QString table(const QString &figure = "B001") const
    {
        return records("SELECT ID, X, Y FROM pData WHERE th = " + quotedFigure(figure) + " ORDER BY ID");
    }

    void edit(int row, const char *field, const QString &text) { FigureEditorKit::edit(row, field, text, "tTxtBx0"); }

    // 新 建, the number and X, Y typed, 加 入.
    void add(const QString &number, const QString &x, const QString &y)
    {
        click(*window, "cmdAddPoint");
        type(*window, "tTxtBx0", number);
        type(*window, "tTxtBx3", x);
        type(*window, "tTxtBx4", y);
        click(*window, "cmdAddPoint");
    }
};
