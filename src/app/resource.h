// Resource identifiers of the configuration program: the templates and bitmaps of its windows,
// and the main window's picture controls.
#pragma once

#include "skin/resource_ids.h"

#define IDC_PICTURE_LOGO 1004
#define IDC_PICTURE_MOUSE 1005
#define IDC_PICTURE_MOUSE_SMALL 1006
