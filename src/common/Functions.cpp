#include "Functions.h"

#include "RandomSource.h"
#include "VbConvert.h"
#include "VbError.h"
#include "VbFormat.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace common {

namespace {

const QString kDigits = QStringLiteral("0123456789");
const QString kCapitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kSmall = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString kAlphanumeric = kCapitals + kSmall + kDigits;
const QString kHex = QStringLiteral("0123456789ABCDEF");

const QString *maskSet(QChar c)
{
    switch (c.unicode()) {
    case '#': return &kDigits;
    case 'A': return &kCapitals;
    case 'a': return &kSmall;
    case 'N': return &kAlphanumeric;
    case 'H': return &kHex;
    default: return nullptr;
    }
}

// A number passed through a format mask and read back, as the unit converters round.
float roundedThrough(double v, const char *mask)
{
    return float(vb::Val(vb::Format(v, QLatin1String(mask)).replace(QLocale().decimalPoint(), QStringLiteral("."))));
}

} // namespace

QString GetDesktopPath()
{
    QString p = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

QString FixPath(QString &path)
{
    if (path == QLatin1String("Desktop"))
        return FixPathOf(GetDesktopPath());
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

QString ParentFolder(const QString &path)
{
    // The last separator before the final character, and the first one at all (the root's).
    const qsizetype last = path.size() >= 2 ? path.lastIndexOf(u'/', path.size() - 2) : -1;
    const qsizetype first = path.indexOf(u'/');
    if (first >= 0 && last >= first)
        return path.left(last + 1);
    return path;
}

QString RandomStringFromMask(const QString &mask, RandomSource &random)
{
    QString out = mask;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QString *set = maskSet(mask[i]);
        if (!set)
            continue;
        const double r = random.next();
        qsizetype k = qsizetype(vb::Int(r * double(set->size())));
        out[i] = set->at(std::clamp<qsizetype>(k, 0, set->size() - 1));
    }
    return out;
}

int32_t GetFileCount(const QString &folder)
{
    static const QString kSource = QStringLiteral("Error form Functions.GetFileCount ");
    struct stat st;
    const QByteArray native = QFile::encodeName(folder);
    if (folder.isEmpty() || ::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw vb::Error(1, kSource + QStringLiteral("Invalid path  given"));
    DIR *dir = ::opendir(native.constData());
    if (!dir) {
        const int number = errno == EACCES || errno == EPERM ? vb::PermissionDenied : vb::PathFileAccessError;
        throw vb::Error(number, kSource + vb::errorText(number));
    }
    int32_t count = 0;
    const int fd = ::dirfd(dir);
    while (dirent *e = ::readdir(dir)) {
        if (e->d_type == DT_REG) {
            ++count;
        } else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat es;
            if (::fstatat(fd, e->d_name, &es, 0) == 0 && S_ISREG(es.st_mode))
                ++count;
        }
    }
    ::closedir(dir);
    return count;
}

float CharactersPerPixel() { return roundedThrough(TwipsPerPixel / 120.0, "######.####"); }
float InchesPerPixel() { return roundedThrough(TwipsPerPixel / 1440.0, "#.#####"); }
float PointsPerPixel() { return InchesPerPixel() * 72.0f; }
float CentimetresPerPixel() { return roundedThrough(TwipsPerPixel / 567.0, "#.#####"); }
float MillimetresPerPixel() { return CentimetresPerPixel() * 10.0f; }

float WidthInPixels(double width, int scaleMode)
{
    double px;
    switch (scaleMode) {
    case 1: px = width / TwipsPerPixel; break;
    case 5: px = width / InchesPerPixel(); break;
    case 7: px = width / CentimetresPerPixel(); break;
    case 6: px = width / MillimetresPerPixel(); break;
    case 2: px = width / PointsPerPixel(); break;
    case 4: px = width / CharactersPerPixel(); break;
    case 3: px = width; break;
    default: return 0.0f;
    }
    return px == 0 ? 0.0f : roundedThrough(px, "#########.####");
}

} // namespace common
