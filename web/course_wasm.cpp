// The course's one module in the browser: every program linked together, each in its own
// namespace, and a main that starts the one the page names as its first argument (see
// page-and-program.md). COURSE_PROGRAMS, from the build, lists them as PROGRAM(name)...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#define PROGRAM(name)                                                                              \
    namespace name {                                                                               \
    int main(int argc, char** argv);                                                               \
    }
COURSE_PROGRAMS
#undef PROGRAM

namespace {

struct Program {
    const char* name;
    int (*main)(int argc, char** argv);
};

#define PROGRAM(name) {#name, &name::main},
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
    for (const Program& program : kPrograms)
        if (argc > 1 && std::strcmp(argv[1], program.name) == 0)
            return program.main(argc - 1, argv + 1);
    std::fprintf(stderr, "This module has no program named %s\n", argc > 1 ? argv[1] : "(none)");
    return 2;
}
