#include "CommandBarLayout.h"

#include "TextFile.h"

#include <QFileInfo>
#include <QSet>

namespace mainwin {

namespace {

constexpr int kMaxBars = 32;
constexpr qint64 kMaxFileSize = 64 * 1024;

const QStringList &areas()
{
    static const QStringList a{QStringLiteral("Top"), QStringLiteral("Bottom"), QStringLiteral("Left"),
                               QStringLiteral("Right")};
    return a;
}

std::optional<bool> flag(const QString &text)
{
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

// "Bar=x|Area=y|Visible=1|Break=0": the four pairs in this order.
std::optional<BarPlacement> parseLine(const QString &line)
{
    const QStringList pairs = line.split(u'|');
    static const char *const keys[] = {"Bar", "Area", "Visible", "Break"};
    if (pairs.size() != 4)
        return std::nullopt;
    QStringList values;
    for (int i = 0; i < 4; ++i) {
        const QString prefix = QLatin1String(keys[i]) + u'=';
        if (!pairs[i].startsWith(prefix))
            return std::nullopt;
        values << pairs[i].mid(prefix.size());
    }
    BarPlacement bar;
    bar.name = values[0];
    bar.area = values[1];
    auto visible = flag(values[2]);
    auto lineBreak = flag(values[3]);
    if (bar.name.isEmpty() || !areas().contains(bar.area) || !visible || !lineBreak)
        return std::nullopt;
    bar.visible = *visible;
    bar.lineBreak = *lineBreak;
    return bar;
}

} // namespace

QString CommandBarLayout::Header()
{
    return QStringLiteral("Morvane Command Bars");
}

std::optional<CommandBarLayout> CommandBarLayout::parse(const QStringList &lines)
{
    if (lines.isEmpty() || lines.first() != Header())
        return std::nullopt;
    CommandBarLayout layout;
    QSet<QString> names;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        auto bar = parseLine(lines[i]);
        if (!bar || names.contains(bar->name) || layout.bars.size() >= size_t(kMaxBars))
            return std::nullopt;
        names.insert(bar->name);
        layout.bars.push_back(*bar);
    }
    return layout;
}

QStringList CommandBarLayout::lines() const
{
    QStringList out{Header()};
    for (const BarPlacement &b : bars)
        out << QStringLiteral("Bar=%1|Area=%2|Visible=%3|Break=%4")
                   .arg(b.name, b.area, QString::number(int(b.visible)), QString::number(int(b.lineBreak)));
    return out;
}

std::optional<CommandBarLayout> CommandBarLayout::load(const QString &path)
{
    QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileSize)
        return std::nullopt;
    QStringList fileLines;
    if (!textfile::readLines(path, fileLines, textfile::MaxProgramFileBytes))
        return std::nullopt;
    return parse(fileLines);
}

vb::Status CommandBarLayout::save(const QString &path) const
{
    return textfile::writeLines(path, lines());
}

} // namespace mainwin
