#pragma once

#include <QString>

// Creates an empty catalogue file with the reference schema of the four
// catalogue tables. The program itself never creates tables; the demo builder,
// the tests and the benchmarks do, through this.
// Returns an empty text on success, else the reason.
QString createCatalogueFile(const QString &path);

// The reference schema as SQL statements.
QStringList catalogueSchemaStatements();
