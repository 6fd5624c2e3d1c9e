#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

class QSaveFile;

// Saving a file whole or not at all. QSaveFile writes to a temporary file and renames it over the
// target on commit(), but commit() alone is not enough: the last buffered bytes are written inside
// commit(), and Qt 6.4 reports success even when that write fails (a full disk, a file-size limit),
// which replaces a good file by an empty or cut one. These check every write and the flush
// themselves and cancel the save on any failure, so the old file stays as it was.

// Flushes, checks that nothing failed on the way, and commits; cancels the save otherwise.
bool CommitWhole(QSaveFile& file);

// Replaces the file at `path` by `bytes`, readable and writable by its owner alone.
bool SaveWholeFile(const QString& path, QByteArrayView bytes);
