#pragma once

#include "platform/database/DbError.h"

#include <QTest>

// Fails the test unless `statement` throws DbError with a reason a person can
// read: every storage failure ends up in a message box's detail text.
#define QVERIFY_DB_FAILS(statement)                                                                  \
    do {                                                                                             \
        QString reason_;                                                                             \
        try { statement; } catch (const DbError &e_) { reason_ = e_.reason().trimmed(); }           \
        QVERIFY2(!reason_.isEmpty(), "did not fail with a reason: " #statement);                     \
    } while (false)
