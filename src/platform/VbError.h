#pragma once
/**
 * Run-time errors in the shape the program has always reported them: a number, a description
 * and a source. Thrown by the string helpers on invalid arguments and used as the result of the
 * file operations.
 */
#include <QString>
#include <exception>

namespace vb {

/** The error numbers the program uses, with their classic texts (see errorText()). */
enum ErrorNumber : int {
    NoError = 0,
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyExists = 58,
    DiskFull = 61,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
};

/** The classic description of an error number ("File already exists" for 58). */
QString errorText(int number);

/** A raised run-time error. */
class Error : public std::exception {
public:
    explicit Error(int number, QString description = {}, QString source = {});
    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

/** The outcome of an operation that may fail without throwing: number 0 is success. */
struct Status {
    int number = NoError;
    QString description;

    static Status ok() { return {}; }
    static Status fail(int number, QString description = {})
    {
        return {number, description.isEmpty() ? errorText(number) : description};
    }
    bool isOk() const { return number == NoError; }
    explicit operator bool() const { return isOk(); }
};

} // namespace vb
