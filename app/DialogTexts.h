/* The texts of the dialogs, in UTF-8: one source for the Windows resource script and for the
   other front ends. Plain macros, so that the resource compiler can read them too. */
#pragma once

#define QUORVEL_APP_NAME "Quorvel"
#define QUORVEL_MAIN_TITLE "Quorvel"
#define QUORVEL_MAIN_TEXT \
    "Dieses Programm installiert zusätzliche Modelle zum Programm Trassimo (TRZ)."
#define QUORVEL_INSTALL_BUTTON "Installieren"
#define QUORVEL_CANCEL_BUTTON "Abbrechen"
#define QUORVEL_ABOUT_TITLE "Info über Quorvel"
#define QUORVEL_ABOUT_VERSION "Quorvel Version 1.0"
#define QUORVEL_ABOUT_NOTICE "Copyright © 2026 Quorvel"
#define QUORVEL_OK_BUTTON "OK"
#define QUORVEL_YES_BUTTON "Ja"
#define QUORVEL_NO_BUTTON "Nein"
