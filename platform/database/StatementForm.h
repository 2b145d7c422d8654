#pragma once

#include <QString>
#include <QVariantList>

// A statement with the literals it compares columns with ("th= 'B001'",
// "ID=5") taken out as bound values. Statements that differ only in those
// literals share one form, so a save of many rows prepares each form once
// instead of parsing every row's statement anew.
struct StatementForm
{
    QString sql;         // the statement with a ? for each literal taken out
    QVariantList values; // text, integer or real, in order
};

// Only selects, inserts, updates and deletes are taken apart. Literals before `from` stay in place (a select's field list names its
// fields). A statement the scan does not follow (comments, an unterminated
// quote) comes back unchanged, with no values.
StatementForm statementForm(const QString &sql, qsizetype from = 0);
