#pragma once

#include <QString>

// Another user's program in the middle of a write: an exclusive lock on the
// catalogue until released or destroyed.
class WriteLock
{
public:
    explicit WriteLock(const QString &path);
    ~WriteLock() { release(); }
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;

    void release();
};
