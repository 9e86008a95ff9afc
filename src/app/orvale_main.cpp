// The desktop program: start-up, the main window, and the main loop until that window closes.
#include <QApplication>
#include <chrono>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/desktop_program.h"
#include "app/guarded_application.h"
#include "app/main_form.h"
#include "app/program_options.h"
#include "app/render_command.h"
#include "app/startup_meter.h"

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    // --version and --help answer before any QApplication: no display is needed for them.
    if (const auto status =
            orvale::RunInfoOption(std::vector<std::string>(argv + 1, argv + argc), std::cout))
        return *status;
    if (orvale::IsRenderCommand(argc, argv)) {
        // A render shows nothing: it needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return orvale::RunRender(std::vector<std::string>(argv + 1, argv + argc), std::cerr,
                                 QCoreApplication::applicationDirPath().toStdString());
    }
    orvale::GuardedApplication app(argc, argv);
    bool measure = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--measure-startup") == 0)
            measure = true;

    orvale::DesktopProgram program(
        orvale::DesktopEnvironment(QCoreApplication::applicationDirPath().toStdString()));
    orvale::TMainform& mainForm = program.MainForm();
    if (measure)
        orvale::MeasureStartup(mainForm, started);
    mainForm.show();
    return app.exec();
}
