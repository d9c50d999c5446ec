// The start of one program's executable: its first window, the Form1 of the program's folder
// and namespace, which the build names as PROGRAM (and PROGRAM_NAME, as a string).
#include "form1.h"
#include "forms/application.h"

int main(int argc, char** argv)
{
    return forms::runProgram(argc, argv, PROGRAM_NAME, forms::firstWindow<PROGRAM::Form1>);
}
