#include "app/terminal/TerminalFrontEnd.h"

#include <iostream>
#include <memory>

#include "app/terminal/ConsoleApp.h"
#include "app/terminal/KeyInput.h"

namespace quorvel::app::terminal {

int RunTerminalFrontEnd(const std::string& installerPath) {
    std::unique_ptr<KeyInput> terminalKeys = OpenTerminalKeyInput();
    LineKeyInput lineKeys(std::cin);
    KeyInput& keys = terminalKeys != nullptr ? *terminalKeys : lineKeys;
    ConsoleApp application(keys, std::cout, terminalKeys != nullptr);
    application.Machine().SetInstallerPath(installerPath);
    application.Run();
    return 0;
}

}  // namespace quorvel::app::terminal
