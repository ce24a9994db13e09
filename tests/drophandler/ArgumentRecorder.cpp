// A stand-in for the program a drop starts: writes its arguments (argv[0] included), each
// followed by a zero byte, to the file named by $TAMSEL_TEST_RECORD, and the command line it
// was handed in $TAMSEL_COMMAND_LINE to that name + ".line". The record appears by a rename,
// so a test that sees it sees all of it.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char **argv)
{
    const char *record = std::getenv("TAMSEL_TEST_RECORD");
    if (!record || !*record)
        return 2;
    const std::string path(record);
    const char *line = std::getenv("TAMSEL_COMMAND_LINE");
    {
        std::ofstream lineFile(path + ".line", std::ios::binary);
        if (line)
            lineFile << line;
    }
    {
        std::ofstream part(path + ".part", std::ios::binary);
        for (int i = 0; i < argc; ++i)
            part << argv[i] << '\0';
        if (!part)
            return 3;
    }
    return std::rename((path + ".part").c_str(), path.c_str()) == 0 ? 0 : 4;
}
