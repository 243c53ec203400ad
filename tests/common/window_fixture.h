#pragma once
// A real main window for GUI tests, in a fresh start directory, talking to the in-process
// virtual controller on a virtual clock. Modal messages are answered and recorded.

#include "app/menu_form.h"
#include "common/modal_answerer.h"
#include "common/temp_dir.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <memory>

namespace zeb::testing {

class WindowFixture {
public:
    struct Setup {
        // Runs in the start directory before the window is created (files to lay out).
        std::function<void(const QString& dir)> files;
        // Runs before the window greets the controller (faults to ask for).
        std::function<void(sim::VirtualController&)> machine;
        sim::ControllerOptions options;
    };

    WindowFixture() : WindowFixture(Setup{}) {}
    explicit WindowFixture(Setup setup) : controller(std::move(setup.options)) {
        if (setup.files)
            setup.files(dir.Path());
        if (setup.machine)
            setup.machine(controller);
        auto line = std::make_unique<sim::SimLine>(controller, clock);
        simLine = line.get();
        form = std::make_unique<app::TMenuForm>(std::move(line), clock);
        form->CreateDialogs();
    }

    ScopedStartDirectory dir;
    ModalAnswerer answerer;
    VirtualClock clock;
    sim::VirtualController controller;
    sim::SimLine* simLine = nullptr;
    std::unique_ptr<app::TMenuForm> form;
};

} // namespace zeb::testing
