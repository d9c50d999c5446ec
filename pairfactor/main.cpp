#include "form1.h"

int main(int argc, char** argv)
{
    forms::Application app(argc, argv, QStringLiteral("pairfactor"));
    Form1 form;
    return app.run(form); // Load, show, Resize, first focus, event loop
}
