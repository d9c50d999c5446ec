// The start of one program's executable: the program's own main, in the program's namespace
// (its main.cpp), which the build names as PROGRAM.
namespace PROGRAM {
int main(int argc, char** argv);
}

int main(int argc, char** argv)
{
    return PROGRAM::main(argc, argv);
}
