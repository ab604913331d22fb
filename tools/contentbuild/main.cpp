// contentbuild: converts one authoring file of content/ into the data file the program reads.
//   contentbuild [--pack] INPUT OUTPUT
// Exit status 0 when OUTPUT was written, 1 with "INPUT: reason" on standard error otherwise.

#include <iostream>
#include <string>
#include <vector>

#include "contentbuild/ContentFile.h"
#include "platform/AtomicFile.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool pack = false;
    if (!args.empty() && args[0] == "--pack") {
        pack = true;
        args.erase(args.begin());
    }
    if (args.size() != 2) {
        std::cerr << "usage: contentbuild [--pack] INPUT OUTPUT\n";
        return 1;
    }
    const std::string& input = args[0];
    const std::string& output = args[1];

    std::string source;
    if (!valmore::ReadWholeFile(input, &source)) {
        std::cerr << input << ": cannot be read\n";
        return 1;
    }
    valmore::ContentBuildResult built = valmore::BuildContentFile(source, input, pack);
    if (!built.ok) {
        std::cerr << input << ": " << built.error << "\n";
        return 1;
    }
    std::string error;
    if (!valmore::WriteFileAtomically(output, built.bytes, &error)) {
        std::cerr << output << ": " << error << "\n";
        return 1;
    }
    return 0;
}
