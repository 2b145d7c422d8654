#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

// Read access to a built catalogue for checking what the builders wrote.
class CatalogueReader
{
public:
    explicit CatalogueReader(const QString &cataloguePath);
    ~CatalogueReader();

    bool isOpen() const;
    QList<QVariantList> rows(const QString &sql) const;
    QVariant scalar(const QString &sql) const;
    int count(const QString &sql) const { return scalar(sql).toInt(); }

private:
    QString m_connectionName;
};

// The file in dir whose name matches fileName regardless of case, or empty.
QString findIgnoringCase(const QString &dir, const QString &fileName);
