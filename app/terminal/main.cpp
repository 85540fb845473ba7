// quorvel: the installer in a terminal. Started in the package folder, beside InstSkript.txt.
#include <iostream>
#include <memory>

#include "app/terminal/ConsoleApp.h"
#include "app/terminal/KeyInput.h"

int main() {
    using namespace quorvel::app::terminal;
    std::unique_ptr<KeyInput> terminalKeys = OpenTerminalKeyInput();
    LineKeyInput lineKeys(std::cin);
    KeyInput& keys = terminalKeys != nullptr ? *terminalKeys : lineKeys;
    ConsoleApp application(keys, std::cout, terminalKeys != nullptr);
    application.Run();
    return 0;
}
