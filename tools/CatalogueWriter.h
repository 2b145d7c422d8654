#pragma once

#include "tools/DiagramTemplate.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Fills a catalogue file that already has the reference schema. Everything
// goes into one transaction through prepared statements, so large synthetic
// catalogues stay quick. Each call returns an empty text on success, else the
// reason. Nothing is kept unless commit() succeeds.
class CatalogueWriter
{
public:
    explicit CatalogueWriter(const QString &cataloguePath);
    ~CatalogueWriter();
    CatalogueWriter(const CatalogueWriter &) = delete;
    CatalogueWriter &operator=(const CatalogueWriter &) = delete;

    QString begin();
    QString addGroup(int group, const QString &name);
    // The picMain record, its points (IDs 1..n in order) and its labels.
    QString addFigure(const DiagramTemplate &figure);
    QString commit();

private:
    QString fail(const QSqlQuery &query, const QString &what);
    void close();

    QString m_path;
    QString m_connectionName;
    bool m_inTransaction = false;
    QSqlDatabase m_db;
    QSqlQuery m_group;
    QSqlQuery m_figure;
    QSqlQuery m_point;
    QSqlQuery m_label;
};
