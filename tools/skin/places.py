"""Where the skin sits in the programs' windows: the places and hot areas that both the
painters (a button is drawn over the very pixels of the background it covers) and the
C++ code (through the generated resources/skin/Skin.h) need."""

from scale import px


class Box:
    """x, y, width, height in client pixels; from_right: x counts back from the right edge
    (the finder's right-hand images follow its width)."""

    def __init__(self, name, x, y, w, h, from_right=False):
        self.name, self.x, self.y, self.w, self.h, self.from_right = name, x, y, w, h, from_right

    def at(self, client_width):
        """Left edge for a window of client_width."""
        return client_width - self.x if self.from_right else self.x

    def at_px(self, client_width):
        """Left edge in pixels at the current scale for a window client_width pixels wide,
        as the programs place it (each number scaled on its own)."""
        return client_width - px(self.x) if self.from_right else px(self.x)


class Area(Box):
    """A hot area or image button: its box and its pictures by state (0: none)."""

    def __init__(self, name, x, y, w, h, normal, pressed, hover=0, disabled=0, from_right=False):
        super().__init__(name, x, y, w, h, from_right)
        self.normal, self.pressed, self.hover, self.disabled = normal, pressed, hover, disabled


# Main window (the size of its background picture).
MAIN_CONTENT = Box('MainContent', 162, 50, 420, 500)   # where the pages are placed
MAIN_DRAG_STRIP = Box('MainDragStrip', 0, 0, 588, 35)  # the title strip: drags the window
MAIN_MENU_PANEL = Box('MainMenuPanel', 0, 0, 150, 608)  # behind the menu, its edge line after
VERSION_AREA = (120, 10, 260, 26)  # the program draws its version text here (l, t, r, b)
MAIN_MINIMIZE = Area('MainMinimize', 522, 0, 23, 22, 187, 188, 189)
MAIN_CLOSE = Area('MainClose', 547, 0, 23, 22, 184, 185, 186)
MAIN_CANCEL = Area('MainCancel', 517, 567, 57, 28, 181, 182, 183)
MAIN_DEFAULTS = Area('MainDefaults', 362, 567, 88, 28, 193, 194, 195)
MAIN_OK = Area('MainOk', 455, 567, 57, 28, 190, 191, 192)
MAIN_FINDER = Area('MainFinder', 275, 567, 80, 26, 314, 312, 313)
# Two captions this wide do not fit left of the finder: they sit at the foot of the menu.
MAIN_EXPORT = Area('MainExport', 25, 503, 113, 26, 336, 337, 338)
MAIN_IMPORT = Area('MainImport', 25, 534, 113, 26, 339, 340, 341)

# Codec Connect page: the buttons beside its lists (drawn on the plain page).
CONNECT_UNREGISTER = Area('ConnectUnregister', 320, 60, 70, 22, 139, 140, 141)
CONNECT_REGISTER = Area('ConnectRegister', 320, 270, 70, 22, 136, 137, 138)
CONNECT_UNINSTALL = Area('ConnectUninstall', 320, 300, 70, 22, 133, 134, 135)

# Finder: the header band's pieces and its twelve buttons, in the finder's release order.
FINDER_LOGO = Box('FinderCaptionsPlace', 28, 42, 348, 42)
FINDER_LINKS = Box('FinderInfoPlace', 89, 73, 60, 11, from_right=True)
FINDER_TOOLS = [  # name, x of the 36 x 36 button on row 35, normal, pressed, hover
    Area('FinderBack', 19, 35, 36, 36, 270, 271, 272),
    Area('FinderForward', 71, 35, 36, 36, 282, 283, 284),
    Area('FinderStop', 123, 35, 36, 36, 308, 309, 304),
    Area('FinderRefresh', 175, 35, 36, 36, 302, 303, 298),
    Area('FinderHome', 227, 35, 36, 36, 285, 280, 281),
    Area('FinderBoard1', 279, 35, 36, 36, 299, 300, 301),
    Area('FinderBoard2', 331, 35, 36, 36, 278, 279, 274),
    Area('FinderInfo', 78, 35, 36, 36, 287, 288, 289, from_right=True),
]
FINDER_SEARCH = Area('FinderSearch', 400, 103, 55, 22, 305, 306, 307)
FINDER_CINEMA = Area('FinderCinema', 102, 103, 80, 22, 296, 297, 292, from_right=True)
FINDER_MAXIMIZE = Area('FinderMaximize', 66, 0, 23, 22, 290, 291, 286, from_right=True)
FINDER_CLOSE = Area('FinderClose', 41, 0, 23, 22, 275, 276, 277, from_right=True)

# Home-page box (its close image is the finder's).
HOME_DRAG_BAND = Box('HomeDragBand', 0, 0, 358, 136)  # its picture area, which drags the box
HOME_CLOSE = Area('HomeClose', 317, 0, 22, 23, 275, 276, 277)
HOME_LINK = Area('HomeLink', 84, 332, 190, 22, 329, 330, 331)
HOME_OK = Area('HomeOk', 265, 375, 80, 22, 332, 333, 328)

# Updater buttons: up (also with the focus), selected, disabled.
UPD_START = Area('UpdaterStart', 48, 108, 86, 21, 133, 134, disabled=135)
UPD_CANCEL = Area('UpdaterCancel', 149, 108, 68, 21, 143, 139)
UPD_OK = Area('UpdaterOk', 98, 108, 66, 21, 132, 142)

ZELORA_PLACES = [MAIN_CONTENT, MAIN_DRAG_STRIP, MAIN_MENU_PANEL, MAIN_MINIMIZE, MAIN_CLOSE, MAIN_CANCEL, MAIN_DEFAULTS, MAIN_OK,
                 MAIN_FINDER, MAIN_EXPORT, MAIN_IMPORT, CONNECT_UNREGISTER, CONNECT_REGISTER,
                 CONNECT_UNINSTALL, FINDER_LOGO, FINDER_LINKS, *FINDER_TOOLS, FINDER_SEARCH,
                 FINDER_CINEMA, FINDER_MAXIMIZE, FINDER_CLOSE, HOME_DRAG_BAND, HOME_CLOSE, HOME_LINK, HOME_OK]
UPDATE_PLACES = [UPD_START, UPD_CANCEL, UPD_OK]
