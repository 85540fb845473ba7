// quorvel: the installer in a terminal. Started in the package folder, beside InstSkript.txt.
#include "app/terminal/TerminalFrontEnd.h"

int main() {
    return quorvel::app::terminal::RunTerminalFrontEnd();
}
