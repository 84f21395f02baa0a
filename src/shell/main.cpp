// orvane-diagnostic: the workbench for the Orvane field bus.
#include <QDir>
#include <QTimer>

#include "shell/Application.h"
#include "shell/MainForm.h"
#include "shell/QtSettingsStore.h"
#include "shell/ReleaseNotes.h"
#include "ui/QtPrompts.h"

int main(int argc, char** argv) {
    orvane::Application app(argc, argv);
    app.setOrganizationName(orvane::kOrganisationName);
    app.setApplicationName(orvane::kSettingsApplicationName);
    app.setApplicationDisplayName(orvane::kApplicationTitle);
    app.setApplicationVersion(orvane::MainForm::VersionText());

    std::vector<std::string> arguments;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) arguments.push_back(args[i].toStdString());

    orvane::QtSettingsStore store;
    orvane::QtPrompts prompts;
    orvane::MainForm window(store, prompts, std::move(arguments));
    prompts.SetParent(&window);
    app.SetErrorReport([&prompts](const QString& text) { prompts.Error(text); });

    // A termination signal or the end of the session ends the program as
    // closing the window does: settings written, link and log closed.
    app.CatchTerminationSignals();
    QObject::connect(&app, &orvane::Application::TerminationRequested, &window, [&window, &app] {
        window.ShutDown();
        app.quit();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.ShutDown(); });

    window.show();
    return app.exec();
}
