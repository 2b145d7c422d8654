#pragma once

#include <QByteArray>
#include <QString>

// The host's Access catalogue as the tests use it: tests/fixtures/access.
QString accessFixture(const QString &name);

// Makes `root` an install root as the host has it: the Jet 4 catalogue (cut
// to its first `keep` bytes when given, a damaged file) and its thumbnails.
void placeHostRoot(const QString &root, qint64 keep = -1);

// SHA-256 of the file's bytes; empty when it cannot be read.
QByteArray fileChecksum(const QString &path);
