#pragma once

// The few file operations whose guarantees the register needs and that each system gives by a
// call of its own. Every difference between Linux and Windows lives here.
#include <QString>

class QFileDevice;

namespace assignments::files {

// Creates the folder and its parents, private to the user where the system has modes.
bool makeFolder(const QString &folder);

enum class Prepared { Ready, NotCreated, NotPrivate };
// Creates the register's file if it is missing, never replacing one; where the system has
// modes, only its owner may read it. On Windows the user's profile keeps it private.
Prepared preparePrivateFile(const QString &path);

// Whether anything, even a dangling link, is at the path.
bool exists(const QString &path);
// Whether both paths name one file, by its identity on the disk rather than by its name.
bool sameFile(const QString &a, const QString &b);
// Renames the file without ever replacing one at `to`; does nothing if `to` exists.
void moveWithoutReplacing(const QString &from, const QString &to);
// Replaces `to` by `from` in one step.
bool replace(const QString &from, const QString &to);
// Waits until the disk holds what was written to the open file.
bool syncToDisk(QFileDevice &file);

} // namespace assignments::files
