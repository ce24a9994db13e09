#include "VbError.h"

namespace vb {

QString errorText(int number)
{
    switch (number) {
    case NoError: return {};
    case InvalidProcedureCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case OutOfMemory: return QStringLiteral("Out of memory");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case FileNotFound: return QStringLiteral("File not found");
    case FileAlreadyExists: return QStringLiteral("File already exists");
    case DiskFull: return QStringLiteral("Disk full");
    case PermissionDenied: return QStringLiteral("Permission denied");
    case PathFileAccessError: return QStringLiteral("Path/File access error");
    case PathNotFound: return QStringLiteral("Path not found");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

Error::Error(int number, QString description, QString source)
    : m_number(number),
      m_description(description.isEmpty() ? errorText(number) : std::move(description)),
      m_source(std::move(source)),
      m_what(m_description.toUtf8())
{
}

} // namespace vb
