// Resource identifiers of the tray companion: the template of its one dialog.
#pragma once

#define IDD_PROGRAM_PROFILES 150
