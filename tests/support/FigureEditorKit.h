#pragma once

#include "app/mQuillar.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestInstallRoot.h"
#include "tests/support/WidgetKit.h"

#include <memory>

// The rows of `sql` (one figure's records, the number first), each as
// "number:value,value", NULL as "NULL": "1:10,20 2:11,21".
inline QStringList recordList(const TestInstallRoot &root, const QString &sql)
{
    QStringList out;
    for (const QVariantList &r : root.rows(sql)) {
        QStringList values;
        for (qsizetype i = 1; i < r.size(); ++i)
            values << (r[i].isNull() ? QStringLiteral("NULL") : r[i].toString());
        out << r[0].toString() + ':' + values.join(',');
    }
    return out;
}
inline QString recordsText(const TestInstallRoot &root, const QString &sql) { return recordList(root, sql).join(' '); }

// A sub-window over a temporary catalogue, its message boxes answered,
// opened as the catalogue window opens it: a point or label editor through
// gFigNo (the group manager ignores it). list() is the editors' LvFigure, or
// the list `listName` names.
template <typename Editor>
struct FigureEditorKit
{
    Editor &open(const QString &figure)
    {
        gFigNo = figure;
        window = std::make_unique<Editor>();
        window->Form_Load();
        if (!showActive(*window))
            qFatal("the editor did not become active");
        return *window;
    }

    // Unloads the editor and loads it afresh, as closing and reopening does.
    Editor &reopen(const QString &figure)
    {
        window.reset();
        return open(figure);
    }

    ListView *list() const { return control<ListView>(*window, listName); }

    // Click a row, type into one field, leave it for `next`.
    void edit(int row, const char *field, const QString &text, const char *next)
    {
        clickRow(list(), row);
        typeAndLeave(*window, field, text, next);
    }

    QString records(const QString &sql) const { return recordsText(root, sql); }

    TestInstallRoot root;
    MessageRecorder messages;
    std::unique_ptr<Editor> window;
    const char *listName = "LvFigure";
};

// A figure number as an SQL literal, for a test's own queries.
inline QString quotedFigure(const QString &figure)
{
    return '\'' + QString(figure).replace('\'', QLatin1String("''")) + '\'';
}
