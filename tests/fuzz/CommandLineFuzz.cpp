// Fuzz target of the program's command line: the input's lines are the arguments, read as the
// application reads them (a leading '/' or '-' makes a flag).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CCommandLineInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        args.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    CCommandLineInfo info;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool flag = !arg.empty() && (arg[0] == '/' || arg[0] == '-');
        info.ParseParam(arg.c_str() + (flag ? 1 : 0), flag, i + 1 == args.size());
    }
    return 0;
}
