"""Layout of every window of the default skin: sizes, outlines and items.

Both the description files and the pictures are produced from these tables,
so a rectangle in an INI file and the place a control is painted are the same
numbers.  Rectangles are (x, y, width, height) in the window's client pixels.
"""

# Size of a hotspot on the main window and of every cell of the label sheet.
CELL_W, CELL_H = 96, 20
# The key panel's command buttons show a cell widened on the right by this much.
CELL_EXTRA = 20
# Arrow pictures: the panels' arrow buttons cut (0,0)-(19,20); the collapsed
# key strip cuts (0,0)-(9,13).
ARROW_W, ARROW_H = 19, 20
ARROW_SMALL_W, ARROW_SMALL_H = 9, 13

MAIN_W, MAIN_H = 680, 392
VERSION_POS = (601, 38)           # painted by the program: "1.01", bold 12 px
# Also painted by the program: the light on the title bar's mouse badge that says whether
# the device service runs, and the status line left of the footer's buttons.
SERVICE_LIGHT = (600, 20, 6, 6)
STATUS_LINE = (190, 350, 236, 26)
LOGO_AREA = (0, 0, 162, 37)       # picture control 1004
MOUSE_AREA = (155, 60, 338, 255)  # picture control 1005
BADGE_AREA = (22, 280, 94, 56)    # picture control 1006 (width fixed, height ours)


class Item:
    """One placement value: a control or area of a window.

    kind tells the painter what to draw; text is what the face shows.
    """

    def __init__(self, key, kind, label, rect, tooltip, latched=False,
                 text="", section="BUTTONPOS", **extra):
        self.key = key
        self.kind = kind
        self.label = label
        self.rect = rect
        self.tooltip = tooltip
        self.latched = latched
        self.text = text
        self.section = section
        self.extra = extra

    def value(self, rect=None):
        x, y, w, h = rect or self.rect
        flag = "TRUE" if self.latched else "FALSE"
        # The reader splits at commas and takes any "TRUE" as the latched flag.
        if "," in self.label + self.tooltip or "TRUE" in self.tooltip:
            raise ValueError("item %s: comma or TRUE in %r" % (self.key, self.tooltip))
        return "%s,%d,%d,%d,%d,%s,%s" % (self.label, x, y, w, h, self.tooltip, flag)


class Window:
    """One description file and its pictures.

    screen: the [Screen] keys the window reads; shape: outline parameters for
    the mask; deco: static things painted on every face (texts, separators).
    """

    def __init__(self, ini, base, size, screen, shape, items, deco=(), title=""):
        self.ini = ini
        self.base = base
        self.size = size
        self.screen = screen
        self.shape = shape
        self.items = list(items)
        self.deco = list(deco)
        self.title = title

    def section(self, name):
        return [it for it in self.items if it.section == name]


ALL_FIVE = ("Mask", "Main", "Down", "Over", "Disabled")

# ---------------------------------------------------------------------------
# Function names: one table feeds the label sheet, the menus and tooltips.

BASIC_COMMANDS = ["Copy", "Paste", "Cut", "Undo", "Redo",
                  "Select all", "Delete", "Find", "Save"]
ADDITIONAL_COMMANDS = ["Switch window", "Show desktop", "Close window",
                       "Maximize", "Minimize", "Zoom in", "Zoom out"]
MEDIA_COMMANDS = ["Play/Pause", "Stop", "Previous track", "Next track",
                  "Volume up", "Volume down", "Mute"]

# Label sheet cells, key -> (caption, tooltip).  The cell numbers are the face
# cells the programs look up for each function code.
CELLS = {
    1: ("Click", "Click"),
    2: ("Menu", "Context menu"),
    3: ("Univ. scroll", "Universal scrolling"),
    4: ("Double click", "Double click"),
    5: ("Key / Macro", "Single key or keyboard macro"),
    6: ("- none -", "Nothing chosen"),
    28: ("Rapid fire", "Rapid fire"),
    29: ("Page up", "Page up"),
    30: ("Page down", "Page down"),
    31: ("Tilt left", "Wheel tilt left"),
    32: ("Tilt right", "Wheel tilt right"),
    33: ("CPI switch", "Sensor resolution switch"),
    34: ("CPI switch", "Sensor resolution switch"),
    35: ("Back", "Back in a web browser or a folder"),
    36: ("Forward", "Forward in a web browser or a folder"),
    37: ("Switch profile", "Switch profile"),
    38: ("Profile key", "Profile key for all profiles"),
    44: ("Unassigned", "Unassigned"),
    45: ("Button off", "Button off"),
    47: ("Scroll up", "Scroll up"),
    48: ("Scroll", "Scroll"),
    50: ("Macro", "Keyboard macro"),
    51: ("Scroll down", "Scroll down"),
    52: ("Single key", "Single key"),
    53: ("Next profile", "Next profile"),
    54: ("Prev. profile", "Previous profile"),
}
for _i, _n in enumerate(BASIC_COMMANDS):
    CELLS[7 + _i] = (_n, _n)
for _i, _k in enumerate((16, 17, 18, 19, 20, 49, 46)):
    CELLS[_k] = (ADDITIONAL_COMMANDS[_i], ADDITIONAL_COMMANDS[_i])
for _i, _k in enumerate((21, 22, 23, 24, 25, 26, 27)):
    CELLS[_k] = (MEDIA_COMMANDS[_i], MEDIA_COMMANDS[_i])
for _i in range(5):
    CELLS[39 + _i] = ("Profile %d" % (_i + 1), "Switch to profile %d" % (_i + 1))
CELL_COUNT = 54

SHEET_COLS = 6
SHEET_PAD = 4
SHEET_STEP_X = CELL_W + CELL_EXTRA + 4
SHEET_STEP_Y = CELL_H + 4
SHEET_W = SHEET_PAD + SHEET_COLS * SHEET_STEP_X
SHEET_H = SHEET_PAD + ((CELL_COUNT + SHEET_COLS - 1) // SHEET_COLS) * SHEET_STEP_Y


def cell_rect(k):
    col, row = (k - 1) % SHEET_COLS, (k - 1) // SHEET_COLS
    return (SHEET_PAD + col * SHEET_STEP_X, SHEET_PAD + row * SHEET_STEP_Y, CELL_W, CELL_H)


def label_sheet():
    items = []
    for k in range(1, CELL_COUNT + 1):
        caption, tip = CELLS[k]
        items.append(Item(str(k), "cell", caption.replace(",", ""), cell_rect(k), tip,
                          text=caption, section="BUTTONINFO"))
    return Window("skin_menu_all.ini", "menu_all", (SHEET_W, SHEET_H),
                  ("Main", "Down", "Over", "Disabled"), None, items, title="Label sheet")


# ---------------------------------------------------------------------------
# Main window.

# Mouse drawing inside MOUSE_AREA (absolute window coordinates).
MOUSE = dict(cx=324, top=78, bottom=300, half_w=56,
             wheel=(317, 98, 14, 38), split_y=172)

# Hotspots: (BUTTONPOS key, mouse button, rect, target point on the mouse, tooltip)
_L, _R = 159, 393
HOTSPOTS = [
    (6, 1, (_L, 138, CELL_W, CELL_H), (290, 142), "Button 1: left button"),
    (7, 2, (_R, 138, CELL_W, CELL_H), (358, 142), "Button 2: right button"),
    (8, 3, (_R, 74, CELL_W, CELL_H), (324, 117), "Button 3: wheel click"),
    (9, 4, (_L, 196, CELL_W, CELL_H), (266, 196), "Button 4: front side button"),
    (10, 5, (_L, 228, CELL_W, CELL_H), (266, 226), "Button 5: rear side button"),
    (11, 6, (_L, 74, CELL_W, CELL_H), (324, 90), "Button 6: wheel up"),
    (12, 7, (_R, 170, CELL_W, CELL_H), (324, 145), "Button 7: wheel down"),
    (13, 8, (_L, 106, CELL_W, CELL_H), (305, 117), "Button 8: wheel tilt left"),
    (14, 9, (_R, 106, CELL_W, CELL_H), (343, 117), "Button 9: wheel tilt right"),
]


def main_window():
    W = MAIN_W
    items = [
        Item("1", "badge", "Device", (584, 9, 24, 20), "USB optical mouse"),
        Item("2", "close", "Close", (644, 9, 24, 20), "Close without saving"),
        Item("3", "push", "OK", (436, 350, 72, 26), "Save and close", text="OK", accent=True),
        Item("4", "push", "Apply", (516, 350, 72, 26), "Save the changes", text="Apply"),
        Item("5", "push", "Cancel", (596, 350, 72, 26), "Close without saving", text="Cancel"),
    ]
    for key, button, rect, target, tip in HOTSPOTS:
        items.append(Item(str(key), "chip", "Button%d" % button, rect, tip,
                          target=target, number=button))
    items.append(Item("15", "push", "Configuration", (512, 80, 154, 28),
                      "Import or export the configuration", text="Configuration",
                      icon="gear"))
    for p in range(5):
        items.append(Item(str(21 + p), "profile", "Profile%d" % (p + 1),
                          (18, 80 + 32 * p, 124, 26), "Use profile %d" % (p + 1),
                          latched=(p == 0), text="Profile %d" % (p + 1), number=p + 1))
    items.append(Item("26", "push", "Reset", (512, 116, 154, 28),
                      "Reset every setting to the factory defaults", text="Reset",
                      icon="reset"))
    deco = [
        ("text", (176, 11), "Mouse configuration", 13, "dim", False),
        ("rtext", (596, 37), "Version", 11, "faint", True),
        ("header", (18, 60), "PROFILES"),
        ("header", (512, 60), "SETTINGS"),
        ("para", (512, 164, 156), [
            "Click a label on the mouse",
            "to choose what that button",
            "does. Changes reach the",
            "mouse with OK or Apply.",
        ]),
        ("text", (22, 356), "Nine buttons, five profiles", 11, "faint", False),
    ]
    shape = dict(kind="main", radius=16, chamfer=30)
    return Window("skin_main.ini", "main", (MAIN_W, MAIN_H),
                  ("Mask", "Main", "Down", "Over", "Disabled", "Main2"),
                  shape, items, deco, title="Main window")


# ---------------------------------------------------------------------------
# Command menus.

MENU_W = 176
MENU_ROW_H = 22
MENU_TOP = 12      # pointer tab (6) plus the body's top padding
MENU_BOTTOM = 6

FUNCTION_MENU = [
    ("Click", "Primary click"),
    ("Menu", "Context menu"),
    ("Universal scroll", "Universal scrolling"),
    ("Double click", "Double click"),
    ("Key / Macro...", "Assign a key or a keyboard macro"),
    ("Back", "Back in a web browser or a folder"),
    ("Forward", "Forward in a web browser or a folder"),
    ("Switch profile...", "Choose a profile function"),
    ("Tilt left", "Wheel tilt left"),
    ("Tilt right", "Wheel tilt right"),
    ("Button off", "The button does nothing"),
    ("Profile key (all)", "Profile key in all five profiles"),
]
SCROLL_MENU = [
    ("Click", "Primary click"),
    ("Menu", "Context menu"),
    ("Double click", "Double click"),
    ("Key / Macro...", "Assign a key or a keyboard macro"),
    ("Scroll up", "Scroll up"),
    ("Scroll down", "Scroll down"),
    ("Button off", "The button does nothing"),
]


def menu_window(ini, base, entries, title, disabled=()):
    n = len(entries)
    h = MENU_TOP + n * MENU_ROW_H + MENU_BOTTOM
    items = []
    for k, (text, tip) in enumerate(entries, start=1):
        items.append(Item(str(k), "row", text.replace(",", "").replace(".", "")[:39],
                          (6, MENU_TOP + (k - 1) * MENU_ROW_H, MENU_W - 12, MENU_ROW_H),
                          tip, text=text, disabled_look=(k in disabled)))
    return Window(ini, base, (MENU_W, h), ALL_FIVE, dict(kind="menu", radius=8, tab=6),
                  items, title=title)


def menus():
    return [
        menu_window("skin_menu.ini", "menu", FUNCTION_MENU, "Function menu"),
        menu_window("skin_scroll_menu.ini", "scroll_menu", SCROLL_MENU, "Scroll menu"),
        menu_window("skin_basic_command.ini", "basic_command",
                    [(n, n) for n in BASIC_COMMANDS], "Basic commands"),
        menu_window("skin_additional_command.ini", "additional_command",
                    [(n, n) for n in ADDITIONAL_COMMANDS], "Additional commands"),
        menu_window("skin_media_menu.ini", "media_menu",
                    [(n, n) for n in MEDIA_COMMANDS], "Media commands"),
    ]


# ---------------------------------------------------------------------------
# Side panels.  The key panel hangs at the main window's right edge, the
# sensitivity and advanced panels at its left.

KEY_W, KEY_H = 240, 270
KEY_CLOSE_W, KEY_CLOSE_H = 16, 112
CMD_W = CELL_W + CELL_EXTRA


def key_panels():
    expand = [
        Item("1", "arrow", "Close", (6, 7, ARROW_W, ARROW_H), "Close the key panel",
             direction="left"),
        Item("2", "check", "Repeat", (86, 152, 144, 22), "Repeat the macro while held",
             text="Repeat macro"),
        Item("3", "segment", "SingleKey", (10, 34, 108, 22), "Record a single key",
             text="Single key", side="left"),
        Item("4", "segment", "Macro", (122, 34, 108, 22), "Record a keyboard macro",
             text="Macro", side="right"),
        Item("5", "cmd", "Basic", (114, 192, CMD_W, CELL_H), "Basic commands", cell=6),
        Item("6", "cmd", "Additional", (114, 218, CMD_W, CELL_H), "Additional commands",
             cell=6),
        Item("7", "cmd", "Media", (114, 244, CMD_W, CELL_H), "Media commands", cell=6),
        Item("8", "push", "Delay", (10, 152, 68, 22), "Pause after the last key",
             text="Delay", icon="clock"),
        Item("1", "display", "Keys", (10, 64, 220, 80), "Recorded keys",
             section="MACRODISPLAY"),
    ]
    deco = [
        ("title", (32, 9), "KEY / MACRO"),
        ("hline", (10, 182, 220)),
        ("label", (12, 194), "Basic"),
        ("label", (12, 220), "Additional"),
        ("label", (12, 246), "Media"),
    ]
    close = [Item("1", "arrow_small", "Open", (3, 8, ARROW_SMALL_W, ARROW_SMALL_H),
                  "Open the key panel", direction="right")]
    return [
        Window("skin_key_close.ini", "key_close", (KEY_CLOSE_W, KEY_CLOSE_H),
               ("Mask", "Main"), dict(kind="strip", hinge="left", radius=6), close,
               [("vtext", (8, 70), "KEYS")], title="Key panel, closed"),
        Window("skin_key_expand.ini", "key_expand", (KEY_W, KEY_H), ALL_FIVE,
               dict(kind="panel", hinge="left", radius=14), expand, deco,
               title="Key panel"),
    ]


SENS_W, SENS_H = 232, 256
SIDE_CLOSE_W, SIDE_CLOSE_H = 26, 150
BIG_THUMB = (26, 14)
SMALL_THUMB = (20, 11)


def sens_panels():
    items = [
        Item("1", "arrow", "Close", (SENS_W - 25, 7, ARROW_W, ARROW_H),
             "Close the sensitivity panel", direction="right"),
        Item("2", "switch", "UniversalScroll", (58, 188, 162, 22),
             "Universal scrolling on or off", text="Universal scroll"),
        Item("4", "switch", "ShowSensitivity", (58, 216, 162, 22),
             "Show the sensitivity step on screen", text="Show sensitivity"),
        Item("5", "testarea", "DoubleClickTest", (58, 136, 60, 40),
             "Double-click here to test the speed"),
        Item("1", "levelbar", "ScrollLines", (58, 58, 160, 12), "Lines per wheel notch",
             section="SLIDERS"),
        Item("2", "levelbar", "DoubleClickSpeed", (58, 100, 160, 12),
             "Double-click speed", section="SLIDERS"),
        Item("3", "vtrack", "Sensitivity", (16, 50, BIG_THUMB[0], 186),
             "Sensitivity step", section="SLIDERS", ticks=19),
    ]
    deco = [
        ("title", (12, 9), "SENSITIVITY"),
        ("label", (58, 40), "Scroll lines"),
        ("label", (58, 82), "Double-click speed"),
        ("small", (58, 115), "Slow"),
        ("rsmall", (218, 115), "Fast"),
        ("small", (126, 142), "Double-click"),
        ("small", (126, 156), "the picture"),
        ("small", (126, 170), "to test"),
        ("csmall", (29, 36), "Max"),
        ("csmall", (29, 239), "Min"),
    ]
    return [
        Window("skin_sens_close.ini", "sens_close", (SIDE_CLOSE_W, SIDE_CLOSE_H),
               ("Mask", "Main"), dict(kind="strip", hinge="right", radius=8),
               [Item("1", "arrow", "Open", (4, 8, ARROW_W, ARROW_H),
                     "Open the sensitivity panel", direction="left")],
               [("vtext", (13, 92), "SENSITIVITY")], title="Sensitivity, closed"),
        Window("skin_sens_expand.ini", "sens_expand", (SENS_W, SENS_H),
               ("Mask", "Main", "Down", "Over"),
               dict(kind="panel", hinge="right", radius=14), items, deco,
               title="Sensitivity panel"),
    ]


def advance_panels():
    tw = SMALL_THUMB[0]
    items = [
        Item("1", "arrow", "Close", (SENS_W - 25, 7, ARROW_W, ARROW_H),
             "Close the advanced panel", direction="right"),
        Item("2", "switch", "Acceleration", (12, 224, 100, 22),
             "Pointer acceleration on or off", text="Accel."),
        Item("3", "switch", "SeparateXY", (120, 224, 100, 22),
             "Separate horizontal and vertical speed", text="X/Y"),
        Item("1", "vtrack", "SpeedX", (24, 54, tw, 150), "Horizontal speed",
             section="SLIDERS", ticks=19),
        Item("2", "vtrack", "SpeedY", (72, 54, tw, 150), "Vertical speed",
             section="SLIDERS", ticks=19),
        Item("3", "vtrack", "PointerSpeed", (130, 54, tw, 150), "Pointer speed",
             section="SLIDERS", ticks=20),
        Item("4", "vtrack", "AccelLevel", (178, 54, tw, 150), "Acceleration level",
             section="SLIDERS", ticks=17),
    ]
    deco = [
        ("title", (12, 9), "ADVANCED"),
        ("cgroup", (58, 36, 84), "X / Y speed"),
        ("cgroup", (164, 36, 84), "Pointer"),
        ("csmall", (34, 208), "X"),
        ("csmall", (82, 208), "Y"),
        ("csmall", (140, 208), "Speed"),
        ("csmall", (188, 208), "Accel"),
    ]
    return [
        Window("skin_advance_close.ini", "advance_close", (SIDE_CLOSE_W, SIDE_CLOSE_H),
               ("Mask", "Main"), dict(kind="strip", hinge="right", radius=8),
               [Item("1", "arrow", "Open", (4, 8, ARROW_W, ARROW_H),
                     "Open the advanced panel", direction="left")],
               [("vtext", (13, 92), "ADVANCED")], title="Advanced, closed"),
        Window("skin_advance_expand.ini", "advance_expand", (SENS_W, SENS_H),
               ("Mask", "Main", "Down", "Over"),
               dict(kind="panel", hinge="right", radius=14), items, deco,
               title="Advanced panel"),
    ]


# ---------------------------------------------------------------------------
# Modal dialogs.

MSG_TEXT_POS = (64, 118)   # the message box's (empty) text line


def _footer(w, y, names):
    """OK/Apply/Cancel-style buttons right-aligned on one row."""
    out = []
    x = w - 14 - len(names) * 80 + 8
    for key, text, tip in names:
        out.append(Item(key, "push", text, (x, y, 72, 26), tip, text=text,
                        accent=(text == "OK")))
        x += 80
    return out


def dialogs():
    out = []
    # Profile switch dialog.
    w, h = 300, 236
    items = [
        Item("1", "push", "NextProfile", (14, 134, 132, 28), "Next profile",
             text="Next profile", icon="next"),
        Item("2", "push", "PreviousProfile", (154, 134, 132, 28), "Previous profile",
             text="Previous profile", icon="prev"),
    ]
    items += _footer(w, 196, [("3", "OK", "Use the choice and close"),
                              ("4", "Apply", "Use the choice and save"),
                              ("5", "Cancel", "Close without a change")])
    for p in range(5):
        items.append(Item(str(6 + p), "tile", "Profile%d" % (p + 1),
                          (14 + 56 * p, 60, 48, 46), "Switch to profile %d" % (p + 1),
                          text=str(p + 1)))
    items.sort(key=lambda it: int(it.key))
    out.append(Window("skin_profile_set.ini", "profile_set", (w, h), ALL_FIVE,
                      dict(kind="dialog", radius=12), items,
                      [("header", (14, 44), "SWITCH TO A PROFILE"),
                       ("header", (14, 118), "OR STEP THROUGH THE PROFILES"),
                       ("hline", (14, 176, w - 28))],
                      title="Switch profile"))
    # Configuration dialog.
    w, h = 300, 252
    items = [
        Item("6", "push", "Import", (14, 44, 132, 28), "Load a configuration file",
             text="Import...", icon="import"),
        Item("7", "push", "Export", (154, 44, 132, 28), "Save the configuration to a file",
             text="Export...", icon="export"),
        Item("8", "push", "ResetAll", (14, 82, 272, 28),
             "Reset every setting to the factory defaults", text="Reset all to defaults",
             icon="reset"),
        Item("9", "push", "ResetProfile", (14, 118, 272, 28),
             "Reset the buttons of the current profile",
             text="Reset this profile's buttons", icon="reset"),
        Item("10", "check", "AutoSave", (14, 158, 272, 22),
             "Keep a backup copy on every save", text="Auto-save a backup copy"),
    ]
    items = _footer(w, 212, [("3", "OK", "Keep the choice and close"),
                                         ("4", "Apply", "Keep the choice"),
                                         ("5", "Cancel", "Close")]) + items
    out.append(Window("skin_config_set.ini", "config_set", (w, h), ALL_FIVE,
                      dict(kind="dialog", radius=12), items,
                      [("hline", (14, 194, w - 28))], title="Configuration"))
    # Reset confirmation.
    w, h = 300, 170
    items = _footer(w, 130, [("3", "OK", "Reset to the factory defaults"),
                             ("4", "Cancel", "Keep the settings")])
    out.append(Window("skin_reset_default.ini", "reset_default", (w, h), ALL_FIVE,
                      dict(kind="dialog", radius=12), items,
                      [("icon", (20, 44), "question"),
                       ("para_big", (64, 44, 222), ["Reset to factory defaults?"]),
                       ("para", (64, 68, 222), ["All profiles and button functions",
                                                "return to their original settings."]),
                       ("hline", (14, 116, w - 28))],
                      title="Reset"))
    # Message boxes: the question is part of the picture; (64,118) stays clear.
    # The export-failed box only tells: it has an OK button and no Cancel.
    w, h = 320, 178
    question = [("3", "OK", "Continue"), ("4", "Cancel", "Go back")]
    for ini, base, title, big, lines, icon, buttons in [
        ("skin_click_warn.ini", "click_warn", "Click needed",
         "A click must stay on the mouse.",
         ["At least one of buttons 1 to 5 must", "keep the Click function. Give Click",
          "to another button first."], "warning", question),
        ("skin_warn_profile.ini", "warn_profile", "All profiles",
         "Set this for all five profiles?",
         ["This function is set for this button", "in all five profiles at once.",
          "Do you want to continue?"], "question", question),
    ]:
        items = _footer(w, 142, buttons)
        out.append(Window(ini, base, (w, h), ALL_FIVE, dict(kind="dialog", radius=12),
                          items,
                          [("icon", (20, 44), icon),
                           ("para_big", (64, 42, 240), [big]),
                           ("para", (64, 64, 240), lines)],
                          title=title))
    # The box that says a file was not written (a save, an export, an import, a reset). It
    # only tells: OK and no Cancel. The program draws which file and why into the clear band
    # WRITE_FAILED_BAND.
    w, h = WRITE_FAILED_SIZE
    out.append(Window("skin_write_failed.ini", "write_failed", (w, h), ALL_FIVE,
                      dict(kind="dialog", radius=12),
                      _footer(w, h - 36, [("3", "OK", "Close this message")]),
                      [("icon", (20, 44), "warning"),
                       ("para_big", (64, 42, w - 82), ["A file could not be written."]),
                       ("para", (64, 122, w - 82),
                        ["Nothing was changed: the old file is as it was.",
                         "Remove the cause, then try again."])],
                      title="Not saved"))
    return out


WRITE_FAILED_SIZE = (400, 196)
WRITE_FAILED_BAND = (64, 64, 382, 116)


# ---------------------------------------------------------------------------
# Program profiles: the tray companion's dialog.  The rule list (RULELIST 1)
# is a well on the face; the program draws the rules into it.

PROFILES_W, PROFILES_H = 360, 460


def program_profiles():
    w, h = PROFILES_W, PROFILES_H
    items = [
        Item("5", "switch", "Automatic", (14, 40, w - 28, 24),
             "Switch the profile with the program in front", text="Follow the program in front"),
        Item("6", "push", "AddRunning", (14, 268, 132, 28),
             "Add a program that has a window open now", text="Add running..."),
        Item("7", "push", "Browse", (152, 268, 96, 28), "Choose a program file",
             text="Browse..."),
        Item("8", "push", "Remove", (254, 268, 92, 28), "Remove the selected program",
             text="Remove"),
        Item("14", "segment", "AsIs", (14, 334, 98, 26), "Leave the profile as it is",
             text="As is"),
        Item("1", "rulelist", "Rules", (14, 90, w - 28, 134), "Programs and their profiles",
             section="RULELIST"),
        Item("21", "check", "Notice", (14, 378, w - 28, 22),
             "Tell in a balloon from the tray icon which profile is now in use",
             text="Show a notice when the profile changes"),
    ]
    for p in range(5):
        items.append(Item(str(9 + p), "segment", "Rule%d" % (p + 1), (172 + 35 * p, 232, 31, 26),
                          "The selected program uses profile %d" % (p + 1), text=str(p + 1)))
        items.append(Item(str(15 + p), "segment", "Other%d" % (p + 1), (120 + 45 * p, 334, 41, 26),
                          "Other programs use profile %d" % (p + 1), text=str(p + 1)))
    items += _footer(w, 420, [("3", "OK", "Keep the changes"), ("4", "Cancel", "Drop the changes")])
    deco = [
        ("header", (14, 74), "PROGRAMS AND THEIR PROFILES"),
        ("label", (14, 237), "Selected program"),
        ("hline", (14, 310, w - 28)),
        ("header", (14, 318), "ALL OTHER PROGRAMS"),
        ("hline", (14, 370, w - 28)),
        ("hline", (14, 410, w - 28)),
    ]
    return Window("skin_program_profiles.ini", "program_profiles", (w, h), ALL_FIVE,
                  dict(kind="dialog", radius=12), items, deco, title="Program profiles")


def windows():
    return ([main_window(), label_sheet()] + menus() + key_panels() + sens_panels()
            + advance_panels() + dialogs() + [program_profiles()])
