/* Version texts of the demo programs and libraries. Read by their resource scripts (the resource
   compiler understands only the preprocessor, hence plain macros) and by the C++ tables that
   install and check them, so the texts are written once. "\251" is the byte 0xA9 (the copyright
   sign) and "\256" the byte 0xAE (the registered sign) in the Windows ANSI code page.

   For each binary ID: ID_FILE, ID_COMPANY, ID_PRODUCT, ID_DESCRIPTION, ID_VERSION (the text of
   FileVersion and ProductVersion), ID_NUMS (the same as four numbers), ID_COPYRIGHT, ID_TYPE and
   ID_ICON (0 = none, else an icon of standard.rc). */
#ifndef SX_DEMO_VERSIONS_H
#define SX_DEMO_VERSIONS_H

/* Programs */

#define NWUPDATE_FILE "NwUpdate.exe"
#define NWUPDATE_COMPANY "Northwind Traders"
#define NWUPDATE_PRODUCT "Northwind Update"
#define NWUPDATE_DESCRIPTION "Northwind Update Agent"
#define NWUPDATE_VERSION "4.2.1.7"
#define NWUPDATE_NUMS 4, 2, 1, 7
#define NWUPDATE_COPYRIGHT "Copyright \251 2008 Northwind Traders"
#define NWUPDATE_TYPE VFT_APP
#define NWUPDATE_ICON 1

/* Two translations, German first; the German block has no FileDescription and no LegalCopyright. */
#define CONTOSOSYNC_FILE "ContosoSync.exe"
#define CONTOSOSYNC_COMPANY "Contoso Ltd."
#define CONTOSOSYNC_PRODUCT "Contoso Sync"
#define CONTOSOSYNC_DESCRIPTION "Contoso Sync Tray Application"
#define CONTOSOSYNC_VERSION "2.0.5.0"
#define CONTOSOSYNC_NUMS 2, 0, 5, 0
#define CONTOSOSYNC_COPYRIGHT "Copyright (C) 2009 Contoso Ltd."
#define CONTOSOSYNC_DE_COMPANY "Contoso GmbH"
#define CONTOSOSYNC_DE_PRODUCT "Contoso Synchronisierung"
#define CONTOSOSYNC_DE_VERSION "2.0.5.0"
#define CONTOSOSYNC_TYPE VFT_APP
#define CONTOSOSYNC_ICON 2

#define FABTRAY_FILE "FabTray.exe"
#define FABTRAY_COMPANY "Fabrikam, Inc."
#define FABTRAY_PRODUCT "Fabrikam Tray Monitor"
#define FABTRAY_DESCRIPTION "Fabrikam Tray Icon"
#define FABTRAY_VERSION "1.5.0.12"
#define FABTRAY_NUMS 1, 5, 0, 12
#define FABTRAY_COPYRIGHT "Copyright (C) 2007-2010 Fabrikam, Inc."
#define FABTRAY_TYPE VFT_APP
#define FABTRAY_ICON 3

/* String texts present, but the translation table is empty, so a reader finds no block. */
#define LITWAREAGENT_FILE "LitwareAgent.exe"
#define LITWAREAGENT_COMPANY "Litware, Inc."
#define LITWAREAGENT_PRODUCT "Litware Agent"
#define LITWAREAGENT_DESCRIPTION "Litware Background Agent"
#define LITWAREAGENT_VERSION "3.1.0.0"
#define LITWAREAGENT_NUMS 3, 1, 0, 0
#define LITWAREAGENT_COPYRIGHT "(c) Litware, Inc."
#define LITWAREAGENT_TYPE VFT_APP
#define LITWAREAGENT_ICON 0

#define TAILSPIN_FILE "TailspinLauncher.exe"
#define TAILSPIN_COMPANY "Tailspin Toys"
#define TAILSPIN_PRODUCT "Tailspin Game Launcher"
#define TAILSPIN_DESCRIPTION "Tailspin Launcher"
#define TAILSPIN_VERSION "7.0.2.0"
#define TAILSPIN_NUMS 7, 0, 2, 0
#define TAILSPIN_COPYRIGHT "Copyright (C) 2010 Tailspin Toys"
#define TAILSPIN_TYPE VFT_APP
#define TAILSPIN_ICON 0

#define PROSESPELL_FILE "ProseSpell.exe"
#define PROSESPELL_COMPANY "Proseware, Inc."
#define PROSESPELL_PRODUCT "Proseware Spell Checker"
#define PROSESPELL_DESCRIPTION "Proseware Spell Service"
#define PROSESPELL_VERSION "12.0.4518.0"
#define PROSESPELL_NUMS 12, 0, 4518, 0
#define PROSESPELL_COPYRIGHT "Copyright (C) Proseware, Inc. 2006"
#define PROSESPELL_TYPE VFT_APP
#define PROSESPELL_ICON 0

/* ProductName contains "Operating System". */
#define WINGTIPHELPER_FILE "WingtipHelper.exe"
#define WINGTIPHELPER_COMPANY "Wingtip Toys"
#define WINGTIPHELPER_PRODUCT "Wingtip Operating System Extensions"
#define WINGTIPHELPER_DESCRIPTION "Wingtip Shell Helper"
#define WINGTIPHELPER_VERSION "5.1.2600.0"
#define WINGTIPHELPER_NUMS 5, 1, 2600, 0
#define WINGTIPHELPER_COPYRIGHT "Copyright (C) 2005 Wingtip Toys"
#define WINGTIPHELPER_TYPE VFT_APP
#define WINGTIPHELPER_ICON 0

#define AWCLOCK_FILE "AwClock.exe"
#define AWCLOCK_COMPANY "Adventure Works Cycles"
#define AWCLOCK_PRODUCT "Adventure Works Clock"
#define AWCLOCK_DESCRIPTION "Adventure Works Desktop Clock"
#define AWCLOCK_VERSION "1.0.0.1"
#define AWCLOCK_NUMS 1, 0, 0, 1
#define AWCLOCK_COPYRIGHT "Copyright (C) 2011 Adventure Works Cycles"
#define AWCLOCK_TYPE VFT_APP
#define AWCLOCK_ICON 4

/* No version resource at all. */
/* A real service: it runs until the service control manager stops it. */
#define AWSYNCSVC_FILE "AwSyncSvc.exe"
#define AWSYNCSVC_COMPANY "Adventure Works Cycles"
#define AWSYNCSVC_PRODUCT "Adventure Works Sync"
#define AWSYNCSVC_DESCRIPTION "Adventure Works Sync Service"
#define AWSYNCSVC_VERSION "3.1.0.12"
#define AWSYNCSVC_NUMS 3, 1, 0, 12
#define AWSYNCSVC_COPYRIGHT "Copyright \251 2011 Adventure Works Cycles"
#define AWSYNCSVC_TYPE VFT_APP
#define AWSYNCSVC_ICON 4

#define QTASK_FILE "qtask.exe"

/* Libraries */

#define NWHELPER_FILE "NwHelper.dll"
#define NWHELPER_COMPANY "Northwind Traders"
#define NWHELPER_PRODUCT "Northwind Update"
#define NWHELPER_DESCRIPTION "Northwind Update Helper Library"
#define NWHELPER_VERSION "4.2.1.7"
#define NWHELPER_NUMS 4, 2, 1, 7
#define NWHELPER_COPYRIGHT "Copyright \251 2008 Northwind Traders"
#define NWHELPER_TYPE VFT_DLL
#define NWHELPER_ICON 1

#define CONTOSOSSO_FILE "ContosoSso.dll"
#define CONTOSOSSO_COMPANY "Contoso Ltd."
#define CONTOSOSSO_PRODUCT "Contoso Sync Shell Service"
#define CONTOSOSSO_DESCRIPTION "Contoso Shell Service Object"
#define CONTOSOSSO_VERSION "2.0.5.0"
#define CONTOSOSSO_NUMS 2, 0, 5, 0
#define CONTOSOSSO_COPYRIGHT "Copyright (C) 2009 Contoso Ltd."
#define CONTOSOSSO_TYPE VFT_DLL
#define CONTOSOSSO_ICON 0

#define FABNOTIFY_FILE "FabNotify.dll"
#define FABNOTIFY_COMPANY "Fabrikam, Inc."
#define FABNOTIFY_PRODUCT "Fabrikam Logon Notifier"
#define FABNOTIFY_DESCRIPTION "Fabrikam Winlogon Notification Package"
#define FABNOTIFY_VERSION "1.2.0.0"
#define FABNOTIFY_NUMS 1, 2, 0, 0
#define FABNOTIFY_COPYRIGHT "Copyright (C) 2007 Fabrikam, Inc."
#define FABNOTIFY_TYPE VFT_DLL
#define FABNOTIFY_ICON 0

#define LITHOOK_FILE "LitHook.dll"
#define LITHOOK_COMPANY "Litware, Inc."
#define LITHOOK_PRODUCT "Litware Execute Hook"
#define LITHOOK_DESCRIPTION "Litware Shell Execute Hook"
#define LITHOOK_VERSION "3.1.0.9"
#define LITHOOK_NUMS 3, 1, 0, 9
#define LITHOOK_COPYRIGHT "(c) Litware, Inc."
#define LITHOOK_TYPE VFT_DLL
#define LITHOOK_ICON 0

#define TAILTASK_FILE "TailTask.dll"
#define TAILTASK_COMPANY "Tailspin Toys"
#define TAILTASK_PRODUCT "Tailspin Task Preloader"
#define TAILTASK_DESCRIPTION "Tailspin Shared Task Scheduler"
#define TAILTASK_VERSION "7.0.2.0"
#define TAILTASK_NUMS 7, 0, 2, 0
#define TAILTASK_COPYRIGHT "Copyright (C) 2010 Tailspin Toys"
#define TAILTASK_TYPE VFT_DLL
#define TAILTASK_ICON 0

#define PROSEHOOK_FILE "ProseHook.dll"
#define PROSEHOOK_COMPANY "Proseware, Inc."
#define PROSEHOOK_PRODUCT "Proseware Spell Hook"
#define PROSEHOOK_DESCRIPTION "Proseware Application Hook"
#define PROSEHOOK_VERSION "12.0.4518.0"
#define PROSEHOOK_NUMS 12, 0, 4518, 0
#define PROSEHOOK_COPYRIGHT "Copyright (C) Proseware, Inc. 2006"
#define PROSEHOOK_TYPE VFT_DLL
#define PROSEHOOK_ICON 0

#define WINGINIT_FILE "WingInit.dll"
#define WINGINIT_COMPANY "Wingtip Toys"
#define WINGINIT_PRODUCT "Wingtip Input Extensions"
#define WINGINIT_DESCRIPTION "Wingtip AppInit Library"
#define WINGINIT_VERSION "5.1.2600.0"
#define WINGINIT_NUMS 5, 1, 2600, 0
#define WINGINIT_COPYRIGHT "Copyright (C) 2005 Wingtip Toys"
#define WINGINIT_TYPE VFT_DLL
#define WINGINIT_ICON 0
// Its string table: the texts the indirect name and description of the demo's update service name.
#define WINGINIT_SERVICE_NAME "Wingtip Toys Update Service"
#define WINGINIT_SERVICE_DESCRIPTION "Keeps Wingtip Toys up to date."

/* Looks like a library that comes with Windows. */
#define SHSVCX_FILE "shsvcx.dll"
#define SHSVCX_COMPANY "Microsoft Corporation"
#define SHSVCX_PRODUCT "Microsoft\256 Windows\256 Operating System"
#define SHSVCX_DESCRIPTION "Shell Service Extensions Library"
#define SHSVCX_VERSION "6.1.7601.17514"
#define SHSVCX_NUMS 6, 1, 7601, 17514
#define SHSVCX_COPYRIGHT "\251 Microsoft Corporation. All rights reserved."
#define SHSVCX_TYPE VFT_DLL
#define SHSVCX_ICON 0

/* Registers itself as a browser helper object and a toolbar (demo_selfreg.cpp): regsvr32 really
   registers and unregisters it. */
#define TAILSEARCH_FILE "TailSearch.dll"
#define TAILSEARCH_COMPANY "Tailspin Toys"
#define TAILSEARCH_PRODUCT "Tailspin Search"
#define TAILSEARCH_DESCRIPTION "Tailspin Search Browser Helper"
#define TAILSEARCH_VERSION "7.1.0.3"
#define TAILSEARCH_NUMS 7, 1, 0, 3
#define TAILSEARCH_COPYRIGHT "Copyright (C) 2010 Tailspin Toys"
#define TAILSEARCH_TYPE VFT_DLL
#define TAILSEARCH_ICON 0
#define TAILSEARCH_HELPER_CLSID "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E10}"
#define TAILSEARCH_TOOLBAR_CLSID "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E15}"
#define TAILSEARCH_HELPER_NAME "Tailspin Search Helper"
#define TAILSEARCH_TOOLBAR_NAME "Tailspin Search Bar"

#endif
