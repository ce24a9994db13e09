#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdio>

namespace testfiles {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void writeRawFile(const QByteArray &path, const QByteArray &bytes)
{
    FILE *f = std::fopen(path.constData(), "wb");
    ASSERT_NE(f, nullptr) << path.toStdString();
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
    ASSERT_EQ(std::fclose(f), 0) << path.toStdString();
    ASSERT_EQ(written, size_t(bytes.size())) << path.toStdString();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString artifactFolder()
{
    QString dir = qEnvironmentVariable("MORVANE_BINARY_DIR", QDir::currentPath()) + "/screenshots";
    QDir().mkpath(dir);
    return dir;
}

} // namespace testfiles
