#pragma once

#include <QString>

#include <functional>

// The files of an install root that the builders write:
// ROOT/dbase/system.mdb (an SQLite catalogue despite the name) and the
// thumbnails in ROOT/Diagram/MiniMap/.
//
// A catalogue is first built beside its final name and only moved into place
// when complete, so a failed build never leaves a half-written system.mdb.
class InstallRootLayout
{
public:
    explicit InstallRootLayout(const QString &root);

    // The whole build: prepare(), fill the staging catalogue, replace the
    // thumbnails, publish(). Empty text on success, else the reason.
    QString build(bool replace, const std::function<QString(const QString &catalogue)> &fillCatalogue,
                  const std::function<QString(const InstallRootLayout &)> &writeThumbnails);

    QString root() const { return m_root; }
    QString cataloguePath() const;
    QString thumbnailDir() const;
    QString thumbnailPath(const QString &fileName) const;

    // Refuses when a catalogue exists and replacing was not asked for; makes
    // the folders; returns the path of a fresh catalogue file to fill, with
    // the reference schema. Empty text on success, else the reason.
    QString prepare(bool replace, QString *stagingPath);
    // Deletes the GIF thumbnails already there, whatever the case of their names.
    QString removeThumbnails() const;
    // Moves the filled catalogue to its final name, replacing an older one.
    QString publish(const QString &stagingPath) const;
    // Gives up a staging file after a failure.
    static void discard(const QString &stagingPath);

private:
    QString m_root;
};
