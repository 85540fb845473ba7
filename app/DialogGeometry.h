/* The dialogs' layout in dialog units (x, y, width, height): one source for the Windows resource
   script and for the other front ends. Plain macros, so that the resource compiler can read them
   too; they expand to comma-separated numbers. */
#pragma once

/* The main dialog (template 102) and its controls. */
#define QUORVEL_MAIN_SIZE 235, 107
#define QUORVEL_MAIN_INSTALL_BOX 48, 86, 50, 14
#define QUORVEL_MAIN_CANCEL_BOX 132, 86, 50, 14
#define QUORVEL_MAIN_TEXT_BOX 7, 7, 221, 35
#define QUORVEL_MAIN_PROGRESS_BOX 7, 37, 221, 21

/* The About box (template 100) and its controls. */
#define QUORVEL_ABOUT_SIZE 235, 55
#define QUORVEL_ABOUT_ICON_BOX 11, 17, 20, 20
#define QUORVEL_ABOUT_VERSION_BOX 40, 10, 119, 8
#define QUORVEL_ABOUT_NOTICE_BOX 40, 25, 119, 8
#define QUORVEL_ABOUT_OK_BOX 178, 7, 50, 14
