#include "modExif.h"

#include "ExifDumpTables.h"
#include "FileByteSource.h"
#include "VbConvert.h"
#include "VbFormat.h"

#include <bit>
#include <set>

namespace metadata {

namespace {

/** The pointer entries of IFD0 and the Exif IFD, and the directory each one opens. */
enum Pointer { ExifPointer, GpsPointer, InteropPointer, PointerCount };
constexpr std::uint16_t PointerTags[PointerCount] = {0x8769, 0x8825, 0xA005};
constexpr int PointerKind[PointerCount] = {0, 1, 2};

/** An unsigned number of `length` bytes at `pos` in the byte order; nullopt past the end. */
std::optional<std::uint64_t> number(const QByteArray &data, qint64 pos, int length, bool intel)
{
    if (pos < 0 || length <= 0 || pos > data.size() - length)
        return std::nullopt;
    std::uint64_t v = 0;
    for (int i = 0; i < length; ++i) {
        const int at = intel ? length - 1 - i : i;
        v = (v << 8) | static_cast<unsigned char>(data[pos + at]);
    }
    return v;
}

std::int64_t signedOf(std::uint64_t v, int size)
{
    const int bits = size * 8;
    if (bits < 64 && (v >> (bits - 1)) & 1)
        return std::int64_t(v) - (std::int64_t(1) << bits);
    return std::int64_t(v);
}

QString ratioText(double numerator, double denominator)
{
    if (denominator == 0)
        return vb::NumberText(numerator) + QStringLiteral("/0");
    return vb::NumberText(numerator / denominator);
}

QString latin1Text(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

/** Without control characters, which a list line cannot show. */
QString printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            out += c;
    return out;
}

} // namespace

int modExif::TypeSize(int typeCode)
{
    switch (typeCode) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
    }
}

QString modExif::DecodeTypedValue(int typeCode, const QByteArray &bytes, bool intel,
                                  std::vector<double> *numbers)
{
    if (typeCode == 2)
        return latin1Text(bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0')));
    if (typeCode == 7)
        return latin1Text(bytes);
    const int size = TypeSize(typeCode);
    if (size == 0)
        return {};
    QStringList texts;
    const qsizetype count = bytes.size() / size;
    for (qsizetype i = 0; i < count && i < MaxValues; ++i) {
        const qint64 at = i * size;
        double value = 0;
        QString text;
        switch (typeCode) {
        case 5:
        case 10: {
            const std::uint64_t n = *number(bytes, at, 4, intel);
            const std::uint64_t d = *number(bytes, at + 4, 4, intel);
            const double num = typeCode == 5 ? double(n) : double(signedOf(n, 4));
            const double den = typeCode == 5 ? double(d) : double(signedOf(d, 4));
            value = den == 0 ? num : num / den;
            text = ratioText(num, den);
            break;
        }
        case 11:
            value = std::bit_cast<float>(std::uint32_t(*number(bytes, at, 4, intel)));
            break;
        case 12:
            value = std::bit_cast<double>(*number(bytes, at, 8, intel));
            break;
        case 6: case 8: case 9:
            value = double(signedOf(*number(bytes, at, size, intel), size));
            break;
        default:
            value = double(*number(bytes, at, size, intel));
            break;
        }
        if (numbers)
            numbers->push_back(value);
        texts << (text.isEmpty() ? vb::NumberText(value) : text);
    }
    if (count > MaxValues)
        texts << QStringLiteral("...");
    return texts.join(QStringLiteral(", "));
}

QString modExif::TagDescription(int kind, int tag, bool *hasMeanings)
{
    *hasMeanings = false;
    auto find = [&](const auto &table) -> const ExifDumpTag * {
        for (const ExifDumpTag &row : table)
            if (row.tag == tag)
                return &row;
        return nullptr;
    };
    const ExifDumpTag *row = kind == 1 ? find(GpsDumpTags)
        : kind == 2                    ? find(InteropDumpTags)
                                       : find(ExifDumpTags);
    if (!row)
        return kind == 0 ? QStringLiteral("Unknown") : QString();
    *hasMeanings = row->hasMeanings;
    return QString::fromUtf8(row->description.data(), qsizetype(row->description.size()));
}

QString modExif::TagValueMeaning(int tag, const QString &valueText,
                                 const std::vector<double> &numbers, const QByteArray &bytes)
{
    static const QString unknown = QStringLiteral("Undefined/Unknown");
    switch (tag) {
    case 0x9101: {
        static const char *const names[] = {"Y ", "Cb ", "Cr ", "R ", "G ", "B "};
        QString out;
        for (int code = 1; code <= 6; ++code)
            if (bytes.contains(char(code)))
                out += QLatin1String(names[code - 1]);
        return out;
    }
    case 0x927C:
        return valueText.mid(418, 54);
    case 0x9286:
        return valueText.mid(8);
    case 0xA302:
        return QStringLiteral("Sorry skipping this :(");
    case 0x0001: {
        const QString code = valueText.trimmed();
        if (code == u"R98")
            return QStringLiteral("Conforming to R98 file specification");
        if (code == u"THM")
            return QStringLiteral("The file conforming to DCF thumbnail file");
        return unknown;
    }
    default:
        break;
    }
    // The subsampling ratio is two SHORT values, read as one number; the file source and the
    // scene type are one UNDEFINED byte each, whose value is the code (not a text).
    const bool oneByteCode = tag == 0xA300 || tag == 0xA301;
    const double code = tag == 0x0212 && numbers.size() >= 2 ? numbers[0] * 65536 + numbers[1]
                        : oneByteCode ? (bytes.isEmpty() ? -1.0 : double(static_cast<unsigned char>(bytes[0])))
                                      : vb::Val(valueText);
    for (const ExifValueMeaning &row : ExifValueMeanings)
        if (row.tag == tag && double(row.code) == code)
            return QString::fromUtf8(row.text.data(), qsizetype(row.text.size()));
    return unknown;
}

bool modExif::DumpExif(const QString &path, std::vector<ExifDumpLine> &list)
{
    FileByteSource source(path);
    if (!source.open()) {
        list.clear();
        list.push_back({QStringLiteral("Not a JPeg file"), 0});
        return false;
    }
    return DumpExif(source, list);
}

bool modExif::DumpExif(ByteSource &source, std::vector<ExifDumpLine> &list)
{
    list.clear();
    auto stop = [&list](const char *message) {
        list.push_back({QString::fromLatin1(message), 0});
        return false;
    };
    const qint64 size = source.size();
    if (size < 2 || source.read(0, 2) != "\xFF\xD8" || source.read(size - 2, 2) != "\xFF\xD9")
        return stop("Not a JPeg file");

    // The APP1 segment that holds "Exif": the segments before it (a JFIF APP0, other APPn,
    // tables) are skipped by their lengths. The walk ends at the first byte that is no marker,
    // at the start of the picture data, or at the end of the file.
    qint64 pos = 2;
    bool sawApp = false;
    for (;;) {
        const QByteArray marker = source.read(pos, 2);
        const auto code = marker.size() == 2 ? static_cast<unsigned char>(marker[1]) : 0;
        if (marker.size() < 2 || static_cast<unsigned char>(marker[0]) != 0xFF || code == 0xDA
            || code == 0xD9)
            return stop(sawApp ? "Not 'Exif' data, Panic" : "File information not found");
        const QByteArray length = source.read(pos + 2, 2);
        if (length.size() < 2)
            return stop(sawApp ? "Not 'Exif' data, Panic" : "File information not found");
        if ((code & 0xF0) == 0xE0) {
            sawApp = true;
            if (code == 0xE1 && source.read(pos + 4, 6) == QByteArrayView("Exif\0\0", 6))
                break;
        }
        pos += 2 + *number(length, 0, 2, false);
    }
    const qint64 length = qint64(*number(source.read(pos + 2, 2), 0, 2, false));
    const QByteArray data = source.read(pos + 10, length - 8);

    bool intel = false;
    if (data.startsWith("II")) {
        intel = true;
    } else if (data.startsWith("MM")) {
        list.push_back({QStringLiteral("Motarola Header Format - Might have prob's"), 0});
    } else {
        return stop("Unknown/Error Header Format");
    }

    qint64 pending[PointerCount] = {0, 0, 0};
    std::set<qint64> walked;
    qint64 directory = qint64(number(data, 4, 4, intel).value_or(0));
    int kind = 0;
    for (;;) {
        if (walked.insert(directory).second) {
            const qint64 count = qint64(number(data, directory, 2, intel).value_or(0));
            for (qint64 i = 0; i < count; ++i) {
                const qint64 entry = directory + 2 + 12 * i;
                if (entry > data.size() - 12)
                    break;
                const int tag = int(*number(data, entry, 2, intel));
                const int type = int(*number(data, entry + 2, 2, intel));
                const qint64 values = qint64(*number(data, entry + 4, 4, intel));
                const qint64 bytes = TypeSize(type) * values;
                QByteArray raw;
                if (bytes <= 4) {
                    raw = data.mid(entry + 8, bytes);
                } else {
                    const qint64 offset = qint64(*number(data, entry + 8, 4, intel));
                    if (offset < data.size())
                        raw = data.mid(offset, qMin(bytes, data.size() - offset));
                }
                bool hasMeanings = false;
                const QString description = TagDescription(kind, tag, &hasMeanings);
                std::vector<double> numbers;
                QString value = DecodeTypedValue(type, raw, intel, &numbers);
                if (kind == 0) {
                    bool isPointer = false;
                    for (int p = 0; p < PointerCount; ++p)
                        if (tag == PointerTags[p]) {
                            const double at = numbers.empty() ? 0 : numbers.front();
                            pending[p] = at > 0 && at < double(data.size()) ? qint64(at) : 0;
                            isPointer = true;
                        }
                    if (isPointer)
                        continue;
                }
                if (hasMeanings)
                    value = TagValueMeaning(tag, value, numbers, raw);
                list.push_back({description + QStringLiteral(" = ")
                                    + printable(value).left(MaxValueText),
                                tag});
            }
        }
        int next = 0;
        while (next < PointerCount && pending[next] == 0)
            ++next;
        if (next == PointerCount)
            return true;
        directory = pending[next];
        kind = PointerKind[next];
        pending[next] = 0;
    }
}

} // namespace metadata
