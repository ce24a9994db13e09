#pragma once
/**
 * File attributes in the classic bit values. Read Only is a file without write permission;
 * Hidden is a name starting with "."; System and Archive do not exist here and read as clear.
 */
#include "VbError.h"

#include <QString>

namespace fileattr {

enum : int { Normal = 0, ReadOnly = 1, Hidden = 2, System = 4, Directory = 16, Archive = 32 };

/** The attributes of a path; -1 when it does not exist. */
int GetAttr(const QString &path);
/** Sets the attributes that can be set (Read Only); asking for Hidden, System or Archive on a
 *  path that does not already have them is reported as PermissionDenied, not pretended. */
vb::Status SetAttr(const QString &path, int attributes);

} // namespace fileattr
