#include "UserSettings.h"

#include "AppFolder.h"
#include "AtomicFile.h"
#include "FileIdentity.h"
#include "Fso.h"
#include "MessageService.h"
#include "PathCodec.h"
#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The toolkit's own copy of a store: a file named `name` in a private folder, holding the bytes
// the store's file had when the store was opened (none for a new file), so that the toolkit reads
// and writes its INI text there and never touches the store's file itself. The folder is made in
// the temporary folder, else beside the store's file (`beside`, when given); a copy that could not
// be written whole is not used. The folder goes when the store has gone.
struct PrivateCopy {
    std::unique_ptr<QTemporaryDir> folder;
    QString copy;

    PrivateCopy(const QString &name, const QByteArray *bytes, const QString &beside = QString())
    {
        for (const QString &place : {QString(), beside}) {
            if (!place.isEmpty() && !QFileInfo(place).isDir())
                continue;
            auto made = place.isEmpty() ? std::make_unique<QTemporaryDir>()
                                        : std::make_unique<QTemporaryDir>(place + QStringLiteral("/.store-XXXXXX"));
            if (!made->isValid())
                continue;
            const QString file = made->filePath(name);
            if (bytes) {
                QFile out(file);
                if (!out.open(QIODevice::WriteOnly) || out.write(*bytes) != bytes->size() || !out.flush())
                    continue;
            }
            folder = std::move(made);
            copy = file;
            return;
        }
    }

    QString folderPath() const { return folder ? folder->path() : QString(); }
};

// A store that is never kept: its values last while the program runs.
class DetachedSettings : private PrivateCopy, public QSettings {
public:
    explicit DetachedSettings(const QString &name)
        : PrivateCopy(name, nullptr), QSettings(copy, QSettings::IniFormat)
    {
    }
    using PrivateCopy::folderPath;
};

QVariantMap allValues(const QSettings &store)
{
    QVariantMap values;
    for (const QString &key : store.allKeys())
        values.insert(key, store.value(key));
    return values;
}

void tellOnce(const QString &path, const QString &text)
{
    static QSet<QString> told;
    if (told.contains(path))
        return;
    told.insert(path);
    printToStandardError(text);
}

// A store kept in a program file. The toolkit's INI reader and writer keep the stored text as it
// always was, but work on a private copy: the file itself is read by the program's own reader
// (without waiting, a regular file only) and replaced through AtomicFile, so that it keeps its
// owner, group and permissions and a link to it stays a link. What this store changed is merged
// into the file as it is when the store goes, so values another store or program wrote since are
// kept, as the toolkit keeps them.
class FileSettings : private PrivateCopy, public QSettings {
public:
    FileSettings(QString path, const QString &name, const QByteArray *bytes)
        : PrivateCopy(name, bytes, fso::ParentOf(QtOpenablePath(path))), QSettings(copy, QSettings::IniFormat), m_path(std::move(path)),
          m_opened(allValues(*this))
    {
    }
    ~FileSettings() override { save(); }
    using PrivateCopy::folderPath;

private:
    void save();

    QString m_path;
    QVariantMap m_opened;
};

void FileSettings::save()
{
    while (!group().isEmpty())
        endGroup();
    const QVariantMap now = allValues(*this);
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const auto was = m_opened.constFind(it.key());
        if (was == m_opened.cend() || *was != it.value())
            changed.insert(it.key(), it.value());
    }
    QStringList removed;
    for (auto it = m_opened.cbegin(); it != m_opened.cend(); ++it) {
        if (!now.contains(it.key()))
            removed << it.key();
    }
    if (changed.isEmpty() && removed.isEmpty())
        return;

    const auto failed = [this](const vb::Status &st) {
        printToStandardError(textfile::saveFailureText(QStringLiteral("settings file"), m_path, st));
    };
    const vb::Status noCopy = vb::Status::fail(
        vb::PathFileAccessError, QStringLiteral("Path/File access error (no temporary copy could be written)"));
    if (copy.isEmpty())
        return failed(noCopy);
    QByteArray current;
    vb::Status st = textfile::readBytes(m_path, current);
    const bool exists = st || st.number != vb::FileNotFound;
    if (!st && exists)
        return failed(st);

    // The file as it is now, with this store's changes on top, written by the toolkit's writer.
    const QString merged = folder->filePath(QStringLiteral("merged.ini"));
    {
        QFile file(merged);
        if (!file.open(QIODevice::WriteOnly) || file.write(current) != current.size())
            return failed(noCopy);
    }
    {
        QSettings store(merged, QSettings::IniFormat);
        for (auto it = changed.cbegin(); it != changed.cend(); ++it)
            store.setValue(it.key(), it.value());
        for (const QString &key : std::as_const(removed))
            store.remove(key);
        store.sync();
        // (A line the reader did not understand is kept as the toolkit keeps it.)
        if (store.status() == QSettings::AccessError)
            return failed(noCopy);
    }
    QFile file(merged);
    if (!file.open(QIODevice::ReadOnly))
        return failed(noCopy);
    const QByteArray text = file.readAll();
    if (exists && text == current)
        return;

    if (!exists)
        fso::MakeFolders(fso::ParentOf(m_path));
    textfile::AtomicFile out(m_path);
    st = out.open();
    if (st)
        st = out.write(text);
    if (st)
        st = out.commit();
    if (!st)
        failed(st);
}

} // namespace

QString QtOpenablePath(const QString &path)
{
    const qsizetype end = path.lastIndexOf(u'/');
    if (!pathcodec::hasRawBytes(path) || end <= 0 || pathcodec::hasRawBytes(QStringView(path).mid(end)))
        return path;
    // The file's folder is opened once by its bytes and kept open; the file's own name, plain
    // text, is reached through the descriptor's name.
    static QMutex mutex;
    static QHash<QByteArray, int> opened;
    const QMutexLocker lock(&mutex);
    const QString folder = path.left(end);
    const QByteArray bytes = pathcodec::encode(folder);
    int fd = opened.value(bytes, -1);
    struct stat held, named;
    if (fd >= 0 && (::fstat(fd, &held) != 0 || ::stat(bytes.constData(), &named) != 0
                    || !fileidentity::sameFile(held, named))) {
        // The folder of that name was replaced since: the new one is opened.
        ::close(fd);
        opened.remove(bytes);
        fd = -1;
    }
    if (fd < 0) {
        fso::MakeFolders(folder);
        fd = ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return path;
        opened.insert(bytes, fd);
    }
    const QString name = QStringLiteral("/proc/self/fd/%1").arg(fd);
    if (::access(name.toLatin1().constData(), F_OK) != 0)
        return path;
    return name + path.mid(end);
}

namespace {

// The store of the file `path`, whose toolkit copy is named `name` in the folder `copyFolder`.
std::unique_ptr<QSettings> openStore(const QString &path, const QString &name, QString &copyFolder)
{
    const auto detached = [&] {
        auto store = std::make_unique<DetachedSettings>(name);
        copyFolder = store->folderPath();
        return store;
    };
    // Checked before anything is read: a FIFO would never answer, and what is no regular file
    // (nor a link to one) is never replaced.
    QString target;
    vb::Status st = textfile::resolveWriteTarget(path, target);
    if (!st) {
        tellOnce(path, QStringLiteral("The settings file \"%1\" cannot be saved: %2.")
                           .arg(pathcodec::printable(path), st.description));
        return detached();
    }
    QByteArray bytes;
    st = textfile::readBytes(path, bytes);
    const bool exists = st || st.number != vb::FileNotFound;
    if (!st && exists) {
        tellOnce(path, QStringLiteral("The settings file \"%1\" cannot be read: %2")
                           .arg(pathcodec::printable(path), st.description));
        return detached();
    }
    auto store = std::make_unique<FileSettings>(path, name, exists ? &bytes : nullptr);
    copyFolder = store->folderPath();
    return store;
}

} // namespace

std::unique_ptr<QSettings> OpenStoreFile(const QString &path)
{
    QString copyFolder;
    return openStore(path, QStringLiteral("store.ini"), copyFolder);
}

void WithToolkitStore(const QString &organization, const std::function<void()> &work)
{
    // The toolkit's folder of the user's stores, found without making the organization's store
    // (which reads its file, and a FIFO there would never answer): the folder of a store that
    // nobody keeps.
    const QString probe = QSettings(QSettings::NativeFormat, QSettings::UserScope,
                                    organization + QStringLiteral(" folder probe"))
                              .fileName();
    const qsizetype slash = probe.lastIndexOf(u'/');
    if (slash < 0) {
        work();
        return;
    }
    const QString folder = probe.left(slash);
    const QString name = organization + QStringLiteral(".conf");
    // While the work runs, the toolkit's store of the organization is the store's private copy
    // (the very file, so the store sees what the toolkit writes there); the store then merges it
    // into the file.
    QString copyFolder;
    const std::unique_ptr<QSettings> store = openStore(folder + u'/' + name, name, copyFolder);
    if (copyFolder.isEmpty()) {
        // No private copy could be made anywhere: the toolkit keeps its store itself.
        work();
        return;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, copyFolder);
    work();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
}

std::unique_ptr<QSettings> OpenUserStore(const QString &organization, const QString &application)
{
    const QString home = EnvironmentPath("VEXLO_HOME");
    const QString folder = home.isEmpty() ? UserFolder(QStandardPaths::GenericConfigLocation) : home;
    return OpenStoreFile(folder + u'/' + organization + u'/' + application + QStringLiteral(".ini"));
}

std::unique_ptr<QSettings> OpenUserSettings(const QString &application)
{
    if (!qEnvironmentVariableIsEmpty("VEXLO_HOME"))
        return OpenStoreFile(AppFile(application + QStringLiteral(".ini")));
    return OpenUserStore(QStringLiteral("Morvane"), application);
}
