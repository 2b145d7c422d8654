#pragma once

#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "platform/database/SqlStatement.h"

#include <QString>
#include <memory>

class QWidget;

// State shared by all four windows for the whole run.
extern std::shared_ptr<Connection> gConn; // the one catalogue connection
extern SqlStatement gSql;                 // the statement about to run
extern std::shared_ptr<Recordset> gRs;    // record set of the last query
extern qint16 gFigType;                   // catalogue list: 1 Cartesian, 2 triangular, 0 before the first choice
extern QString gMiniMapDir;               // thumbnail folder, ends with "/"
extern QString gFigNo;                    // figure number handed to the point and label editors

// Closes the shared connection and opens a new one on the catalogue. Failing
// is not fatal: gConn is then a closed connection and the caller's query
// fails. Returns the reason of a failed open, empty text when it opened.
QString OpenDatabase();

// Tells the user the catalogue could not be opened and why (the first line of
// `reason`, a failure text); all of `reason` goes into the detail.
void ReportOpenFailure(const QString &reason, QWidget *parent = nullptr);

// A value of the host's per-user settings (section "Strativa"); "" when absent.
QString GetInstallSetting(const QString &key);

// The catalogue file under the install root.
QString CataloguePath();

// Replaces gRs by a new record set opened on gSql (a select) over gConn.
void OpenSharedRecordset();

// The fixed apology of every save's error exit. With a failure text as
// `detail`, its cause (the first line) follows the apology in the message
// itself, and all of it goes into the detail text.
void ReportError(const QString &detail = QString(), QWidget *parent = nullptr);
