#include "forms/application.h"

#include "forms/fonts.h"
#include "forms/form.h"

namespace forms {

void setUpToolkit(const QString& title)
{
    QCoreApplication::setApplicationName(title);
    // Message boxes and menus speak in the runtime's default font, as the controls do.
    QApplication::setFont(toQFont(Font{}));
}

Application::Application(int& argc, char** argv, const QString& title)
    : app_(argc, argv)
{
    setUpToolkit(title);
    rt::setHost(&host_);
}

Application::~Application()
{
    rt::setHost(nullptr);
}

int Application::run(Form& form)
{
    form.Show();
    return app_.exec();
}

} // namespace forms
