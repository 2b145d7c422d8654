#include "tools/CatalogueWriter.h"

#include <QSqlError>
#include <QUuid>

CatalogueWriter::CatalogueWriter(const QString &cataloguePath)
    : m_path(cataloguePath),
      m_connectionName(QStringLiteral("catalogue-writer-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

CatalogueWriter::~CatalogueWriter()
{
    close();
}

QString CatalogueWriter::begin()
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(m_path);
    if (!m_db.open())
        return QStringLiteral("无法打开图版库 %1：%2").arg(m_path, m_db.lastError().text());

    // The file is new and is thrown away if anything fails, so durability
    // while writing buys nothing.
    QSqlQuery pragma(m_db);
    pragma.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    pragma.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));

    if (!m_db.transaction())
        return QStringLiteral("无法开始写入图版库：%1").arg(m_db.lastError().text());
    m_inTransaction = true;

    m_group = QSqlQuery(m_db);
    m_figure = QSqlQuery(m_db);
    m_point = QSqlQuery(m_db);
    m_label = QSqlQuery(m_db);
    if (!m_group.prepare(QStringLiteral("INSERT INTO picType (grp, grpName) VALUES (?, ?)")))
        return fail(m_group, QStringLiteral("picType"));
    if (!m_figure.prepare(QStringLiteral(
            "INSERT INTO picMain (th, tm, figName, grp, LB, X1, X2, X3, X4, X5, X6, X7, "
            "Y1, Y2, Y3, Y4, Y5, Y6, Y7, border, specialCase, Comment, Vector, Bitmap) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        return fail(m_figure, QStringLiteral("picMain"));
    if (!m_point.prepare(QStringLiteral("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES (?, ?, ?, ?, ?, ?, ?)")))
        return fail(m_point, QStringLiteral("pData"));
    if (!m_label.prepare(QStringLiteral("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES (?, ?, ?, ?, ?)")))
        return fail(m_label, QStringLiteral("picLable"));
    return {};
}

QString CatalogueWriter::addGroup(int group, const QString &name)
{
    m_group.bindValue(0, group);
    m_group.bindValue(1, name);
    if (!m_group.exec())
        return fail(m_group, QStringLiteral("picType"));
    return {};
}

QString CatalogueWriter::addFigure(const DiagramTemplate &figure)
{
    const QVariant th(figure.number);
    auto bindAxis = [this](int first, const AxisSettings &axis) {
        m_figure.bindValue(first, axis.minimum);
        m_figure.bindValue(first + 1, axis.maximum);
        m_figure.bindValue(first + 2, axis.minorTick);
        m_figure.bindValue(first + 3, axis.majorTick);
        m_figure.bindValue(first + 4, axis.crossing);
        m_figure.bindValue(first + 5, axis.logarithmic ? 1 : 0);
        m_figure.bindValue(first + 6, axis.decimals);
    };
    m_figure.bindValue(0, th);
    m_figure.bindValue(1, figure.name);
    m_figure.bindValue(2, figure.figName);
    m_figure.bindValue(3, figure.group);
    m_figure.bindValue(4, figure.typeLetter());
    bindAxis(5, figure.x);
    bindAxis(12, figure.y);
    m_figure.bindValue(19, figure.border ? 1 : 0);
    m_figure.bindValue(20, figure.specialCase ? QVariant(*figure.specialCase) : QVariant(QMetaType::fromType<int>()));
    m_figure.bindValue(21, figure.comment ? QVariant(*figure.comment) : QVariant(QMetaType::fromType<QString>()));
    m_figure.bindValue(22, figure.vector ? 1 : 0);
    m_figure.bindValue(23, figure.bitmap ? 1 : 0);
    if (!m_figure.exec())
        return fail(m_figure, QStringLiteral("picMain %1").arg(figure.number));

    int id = 0;
    for (const FigurePoint &p : figure.points) {
        m_point.bindValue(0, th);
        m_point.bindValue(1, ++id);
        m_point.bindValue(2, p.series);
        m_point.bindValue(3, p.curve ? 1 : 0);
        m_point.bindValue(4, p.x);
        m_point.bindValue(5, p.y);
        m_point.bindValue(6, int(p.line));
        if (!m_point.exec())
            return fail(m_point, QStringLiteral("pData %1").arg(figure.number));
    }
    id = 0;
    for (const FigureLabel &l : figure.labels) {
        m_label.bindValue(0, th);
        m_label.bindValue(1, ++id);
        m_label.bindValue(2, l.x);
        m_label.bindValue(3, l.y);
        m_label.bindValue(4, l.text);
        if (!m_label.exec())
            return fail(m_label, QStringLiteral("picLable %1").arg(figure.number));
    }
    return {};
}

QString CatalogueWriter::commit()
{
    if (!m_inTransaction)
        return QStringLiteral("图版库尚未开始写入");
    m_group.finish();
    m_figure.finish();
    m_point.finish();
    m_label.finish();
    if (!m_db.commit())
        return QStringLiteral("无法保存图版库 %1：%2").arg(m_path, m_db.lastError().text());
    m_inTransaction = false;
    close();
    return {};
}

QString CatalogueWriter::fail(const QSqlQuery &query, const QString &what)
{
    return QStringLiteral("写入 %1 失败：%2").arg(what, query.lastError().text());
}

void CatalogueWriter::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    if (m_inTransaction)
        m_db.rollback();
    m_inTransaction = false;
    m_group = QSqlQuery();
    m_figure = QSqlQuery();
    m_point = QSqlQuery();
    m_label = QSqlQuery();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}
