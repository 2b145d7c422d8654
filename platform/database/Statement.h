#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct ResultLayout;

// What SQLite said when it refused a step: its result code and its own words.
struct SqliteError
{
    int code = 0; // 0: no error
    QString text;
};

// One prepared SQLite statement, run as often as asked: bind its values by
// position, exec(), then next() row by row; finish() lets go of the file
// until the next run. Errors are kept for lastError(), never thrown.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql); // isValid() tells whether SQLite took it
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // By the value's storage class (storageClassOf).
    void bindValue(int position, const QVariant &value); // position from 0
    // By a type the caller knows: no QVariant on the way.
    void bindNull(int position);
    void bindInteger(int position, qint64 value);
    void bindReal(int position, double value);
    void bindText(int position, const QString &text);
    void bindValues(const QVariantList &values);         // from position 0 on
    // Runs the statement up to its first row; false when SQLite refused it.
    bool exec();
    // The next row (the first after exec()); false at the end and on an error.
    bool next();
    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const; // of the current row, by the value's storage class
    qint64 lastInsertId() const;
    int numRowsAffected() const;
    SqliteError lastError() const { return m_error; }
    void finish();

    // For readers that take a row's values straight from SQLite.
    sqlite3_stmt *handle() const { return m_stmt; }
    // What a reader worked out about the statement's results, kept with it:
    // every run of the statement gives the same fields.
    const std::shared_ptr<const ResultLayout> &resultLayout() const { return m_resultLayout; }
    void setResultLayout(std::shared_ptr<const ResultLayout> layout) { m_resultLayout = std::move(layout); }

private:
    bool step();
    int boundIndex(int position); // SQLite's index of `position`, ready to take a value
    const QByteArray &keptBytes(int position, QByteArray bytes);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_rowWaiting = false; // exec() stepped onto the first row; next() hands it out
    bool m_done = true;
    bool m_stepped = false; // stepped since the last reset
    SqliteError m_error;
    std::shared_ptr<const ResultLayout> m_resultLayout;
    // The bytes of each bound text and blob, by position: SQLite reads them in
    // place until the position is bound again or the statement goes, so it
    // need not copy every value it is given.
    std::vector<QByteArray> m_boundBytes; // of blobs
    std::vector<std::string> m_boundTexts; // as UTF-8, one per parameter, each reused by the next text bound there
};
