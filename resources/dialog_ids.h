// Control ids of the dialog templates, shared by the resource script and the
// dialog procedure. One id has one role in every template, which is how the
// procedure recognises what a dialog contains.
//
// Plain #defines only: the resource compiler reads this file too.
#ifndef SETUP_DIALOG_IDS_H
#define SETUP_DIALOG_IDS_H

#define IDC_ACCEPT 1         /* "OK", "&OK", "Skip copy", "Close" */
#define IDC_CANCEL 2         /* "Cancel", "Cancel Install" */
#define IDC_OVERWRITE 4      /* "Overwrite" */
#define IDC_MESSAGE 101      /* message text */
#define IDC_PATH 102         /* edited path */
#define IDC_BROWSE 103       /* "..." opens the folder browser */
#define IDC_BACKUP 104       /* "with Backup to" */
#define IDC_ALWAYS 105       /* "always" */
#define IDC_SHOW_LOG 106     /* "show Logfile" */
#define IDC_LINK 107         /* underlined link text */
#define IDC_LABEL 65535      /* fixed label */

#endif
