// A stand-in for an installer or a document viewer in the Windows platform tests: writes the
// arguments it was started with, one per line, to the file named by BRINDLE_RECORD. The file
// is written under another name and renamed, so a test sees it only once it is complete.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char *argv[])
{
    const char *record = std::getenv("BRINDLE_RECORD");
    if (!record || !*record)
        return 2;
    const std::string partial = std::string(record) + ".part";
    std::FILE *out = std::fopen(partial.c_str(), "wb");
    if (!out)
        return 3;
    for (int i = 1; i < argc; ++i)
        std::fprintf(out, "%s\n", argv[i]);
    if (std::fclose(out) != 0)
        return 3;
    return std::rename(partial.c_str(), record) == 0 ? 0 : 4;
}
