/* Numbers of the Windows program's resources, commands and controls. Plain macros, so that the
   resource script and the C++ sources share them. The string table's numbers are those of
   app/MessageTable.inc. */
#pragma once

#define QUORVEL_IDD_ABOUT 100     /* dialog template of the About box */
#define QUORVEL_IDD_MAIN 102      /* dialog template of the main dialog */
#define QUORVEL_IDI_APP 128       /* the application's icon */
#define QUORVEL_IDC_PROGRESS 1000 /* the main dialog's progress bar */
#define QUORVEL_IDM_ABOUT 16      /* system-menu command that opens the About box */
#define QUORVEL_MANIFEST_ID 1     /* CREATEPROCESS_MANIFEST_RESOURCE_ID */
#define QUORVEL_VERSION_ID 1      /* VS_VERSION_INFO */
