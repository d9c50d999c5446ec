#include "forms/application.h"

#include "forms/fonts.h"
#include "forms/form.h"
#include "forms/platform.h"

#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace forms {

namespace {

// The toolkit's own texts (a scroll bar's menu, the standard dialogs' buttons) in simplified
// Chinese, as everything else the programs show: from a translations folder beside the
// program (the Windows handout), else from the toolkit's own.
void loadToolkitTranslation()
{
    static QTranslator translator;
    if (!translator.isEmpty())
        return;
    const QString file = u"qtbase_zh_CN.qm"_s;
    for (const QString& folder : {QCoreApplication::applicationDirPath() + u"/translations"_s,
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator.load(file, folder)) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}

} // namespace

void setUpToolkit(const QString& title)
{
    QCoreApplication::setApplicationName(title);
    loadToolkitTranslation();
    loadCarriedFaces();
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

int runProgram(int argc, char** argv, const char* name, FirstWindow firstWindow)
{
    Application app(argc, argv, QString::fromUtf8(name));
    const std::unique_ptr<Form> form = firstWindow();
    return app.run(*form);
}

} // namespace forms
