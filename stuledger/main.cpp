#include "form1.h"

int main(int argc, char** argv)
{
    forms::Application app(argc, argv, QStringLiteral("stuledger"));
    Form1 form;
    return app.run(form);
}
