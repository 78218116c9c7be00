// Resource identifiers of the bare dialog program.
#pragma once
#define IDD_BARE 100
