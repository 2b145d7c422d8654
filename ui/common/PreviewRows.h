#pragma once

#include "platform/listview/ListView.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

// The rows an open point or label editor offers the figure preview, so the
// preview draws unsaved edits without knowing the editor's window: a window
// includes the windows it opens, never the one that opens it. The offer is a
// child of the editor and goes with it.
class PreviewRows : public QObject
{
public:
    enum class Kind { Points, Labels };

    // The cells of a row after its number, as the preview reads them, stored
    // records and an editor's rows alike.
    static QStringList cellFields(Kind kind)
    {
        if (kind == Kind::Points)
            return {QStringLiteral("Series"), QStringLiteral("curve"), QStringLiteral("X"), QStringLiteral("Y"),
                    QStringLiteral("L")};
        return {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Lbl")};
    }

    // `rows` belong to `editor` and show `kind` of `figure`.
    PreviewRows(QObject &editor, Kind kind, const ListView &rows, const QString &figure)
        : QObject(&editor), m_kind(kind), m_rows(&rows), m_figure(figure)
    {
        offered().push_back(this);
    }
    ~PreviewRows() override { std::erase(offered(), this); }

    // The editor loaded another figure, or its figure was renumbered.
    void setFigure(const QString &figure) { m_figure = figure; }

    // The rows an open editor holds of `figure`; null when none does.
    static const ListView *of(Kind kind, const QString &figure)
    {
        for (const PreviewRows *offer : offered()) {
            if (offer->m_kind == kind && offer->m_figure == figure && offer->m_rows)
                return offer->m_rows;
        }
        return nullptr;
    }

private:
    static std::vector<PreviewRows *> &offered()
    {
        static std::vector<PreviewRows *> all;
        return all;
    }

    Kind m_kind;
    QPointer<const ListView> m_rows;
    QString m_figure;
};
