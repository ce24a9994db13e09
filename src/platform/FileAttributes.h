#pragma once
/**
 * File attributes in the classic bit values. Read Only is a file without write permission;
 * Hidden is a name starting with "."; System and Archive do not exist here and read as clear.
 */
#include "VbError.h"

#include <QString>

namespace fileattr {

enum : int { Normal = 0, ReadOnly = 1, Hidden = 2, System = 4, Directory = 16, Archive = 32 };

/** The attributes of a path, a symbolic link's own (never its target's); -1 when it does not
 *  exist. A link is never Read Only nor a Directory. */
int GetAttr(const QString &path);
/** Sets the attributes that can be set (Read Only); asking for Hidden, System or Archive on a
 *  path that does not already have them is reported as PermissionDenied, not pretended. A
 *  symbolic link cannot be made Read Only (PermissionDenied with LinkRefusal()); its target is
 *  never changed. */
vb::Status SetAttr(const QString &path, int attributes);

/** The text of a refused attribute change on a symbolic link. */
QString LinkRefusal();

} // namespace fileattr
