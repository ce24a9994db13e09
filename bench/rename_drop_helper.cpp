// The helper of rename_drop.sh:
//   rename_drop_helper rnp FILE PREFIX    writes a rename-drop file that adds PREFIX to each name
//   rename_drop_helper make COUNT         creates COUNT empty files "000000.t"... in the working folder
//   rename_drop_helper loop PREFIX NAME... renames each NAME to PREFIX + NAME with rename(2): the
//                                          floor any renamer is measured against
#include "RenameDropFile.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

int usage()
{
    std::fputs("usage: rename_drop_helper rnp FILE PREFIX | make COUNT | loop PREFIX NAME...\n", stderr);
    return 64;
}

int writeRnp(const char *path, const char *prefix)
{
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Prefix")});
    settings.PrefixSource = QString::fromLocal8Bit(prefix);
    const vb::Status st = settingsfiles::WriteRenameDropFile(QString::fromLocal8Bit(path), settings,
                                                            settingsfiles::RenameWindowState());
    if (!st) {
        std::fprintf(stderr, "%s\n", st.description.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

int makeFiles(long count)
{
    char name[32];
    for (long i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "%06ld.t", i);
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            std::perror(name);
            return 1;
        }
        ::close(fd);
    }
    return 0;
}

int renameLoop(const char *prefix, int count, char **names)
{
    std::string target;
    for (int i = 0; i < count; ++i) {
        target.assign(prefix).append(names[i]);
        if (std::rename(names[i], target.c_str()) != 0) {
            std::perror(names[i]);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "rnp") == 0)
        return writeRnp(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "make") == 0)
        return makeFiles(std::strtol(argv[2], nullptr, 10));
    if (argc >= 3 && std::strcmp(argv[1], "loop") == 0)
        return renameLoop(argv[2], argc - 3, argv + 3);
    return usage();
}
