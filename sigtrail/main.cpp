#include "form1.h"

namespace sigtrail {

// Called by the executable's own main, or in the browser by the course's module when the page
// names this program.
int main(int argc, char** argv)
{
    forms::Application app(argc, argv, QStringLiteral("sigtrail"));
    Form1 form;
    return app.run(form); // Load, show, Resize, first focus, event loop
}

} // namespace sigtrail
