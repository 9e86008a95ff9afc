// The desktop program's main window started on a fresh folder, with every dialog of its commands
// answered by the fake prompts.
#pragma once

#include <QAction>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "core/app_state.h"
#include "fake_prompts.h"
#include "files/startup_files.h"
#include "ui_fixture.h"

namespace orvale::test {

// A started program on a fresh folder whose dialogs answer through the fake.
struct Program {
    TempFolder folder;
    AppState state;
    FakePrompts prompts;
    std::unique_ptr<TMainform> form;

    explicit Program(const std::string& settings = {}) {
        if (!settings.empty())
            PutFile(folder.Path() + "QUENDA.INI", settings);
        InitProgramState(state, EnvironmentIn(folder), prompts);
        form = std::make_unique<TMainform>(state, prompts);
        form->CreateForms();
    }
    std::string Data() const { return folder.Path() + "DATA/"; }
    bool Enabled(const char* name) const {
        if (QAction* item = form->Item(name))
            return item->isEnabled();
        return form->Button(name)->isEnabled();
    }
    bool FlightCommandsEnabled() const {
        return Enabled("Graph1") && Enabled("GrphBtn") && Enabled("StartLenBtn") &&
               Enabled("SumBtn");
    }
    bool FlightCommandsDisabled() const {
        return !Enabled("Graph1") && !Enabled("GrphBtn") && !Enabled("StartLenBtn") &&
               !Enabled("SumBtn");
    }
    void Open(const std::string& path) {
        prompts.fileAnswers.push_back(path);
        QTest::mouseClick(form->Button("OpenFileBtn"), Qt::LeftButton);
    }
    std::string Settings() const { return ReadWhole(folder.Path() + "QUENDA.INI"); }
};

}  // namespace orvale::test
