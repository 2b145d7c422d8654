#pragma once

#include "platform/database/DbError.h"

#include <QTest>

// Fails the test unless `statement` throws DbError with a reason a person can
// read: every storage failure ends up in a message box's detail text.
#define QVERIFY_DB_FAILS(statement)                                                                  \
    do {                                                                                             \
        bool thrown_ = false;                                                                        \
        QString reason_;                                                                             \
        try {                                                                                        \
            statement;                                                                               \
        } catch (const DbError &e_) {                                                                \
            thrown_ = true;                                                                          \
            reason_ = e_.reason();                                                                   \
        }                                                                                            \
        QVERIFY2(thrown_, "did not fail: " #statement);                                              \
        QVERIFY2(!reason_.trimmed().isEmpty(), "failed without a reason: " #statement);              \
    } while (false)
