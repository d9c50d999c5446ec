// The course's one module in the browser: every program linked together, each in its own
// namespace, and a main that starts the one the page names as its first argument (see
// page-and-program.md). programs.h, from the build, includes each program's form1.h and lists
// the programs as COURSE_PROGRAMS, PROGRAM(name)...
#include "programs.h"

#include "forms/application.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

struct Program {
    const char* name;
    forms::FirstWindow firstWindow;
};

// Each program starts with its Form1, as its executable does.
#define PROGRAM(name) {#name, forms::firstWindow<name::Form1>},
const Program kPrograms[] = {COURSE_PROGRAMS};
#undef PROGRAM

} // namespace

int main(int argc, char** argv)
{
    // The browser's umask is a stand-in that starts at 0777 and that its file systems never
    // apply: taken at its word, a saved file would get no permissions at all, and the page
    // could not read it back. A desktop's usual mask instead.
    ::umask(022);
    // The page's keyboard element is the programs' input method (web/keyboard.js). The
    // toolkit's own, which it starts on a touch screen, would take the page's focus from it to
    // an element of its own that hands on one character at a time and no composition.
    ::setenv("QT_IM_MODULE", "none", 1);
    // The program sees itself started by its own name, as its executable is on a desktop.
    // Nothing here needs destroying after the call: the program's event loop never returns, it
    // unwinds to the page through this frame, and a call after which something here had to be
    // destroyed (a QString, say) would give back the part of the stack where the program's
    // objects stand, to be written over.
    for (const Program& program : kPrograms)
        if (argc > 1 && std::strcmp(argv[1], program.name) == 0)
            return forms::runProgram(argc - 1, argv + 1, program.name, program.firstWindow);
    std::fprintf(stderr, "This module has no program named %s\n", argc > 1 ? argv[1] : "(none)");
    return 2;
}
