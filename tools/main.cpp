#include <iostream>
#include <string>
#include <vector>

#include "engine/Utf8.h"
#include "tools/Trace.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

// Windows hands main() its arguments in the ANSI code page, which cannot
// hold every reading; the command line itself is UTF-16 (a surrogate without
// its partner stays malformed in UTF-8). Output is UTF-8 with LF line ends,
// byte for byte what other systems print.
int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(kanoby::ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    LocalFree(argv);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return kanoby::RunTrace(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kanoby::RunTrace(args, std::cout, std::cerr);
}
#endif
