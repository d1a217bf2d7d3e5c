#!/usr/bin/env python3
"""Starts a program and prints the milliseconds until its window is mapped on the X display.

    startup_watch.py --size 588x608 [--timeout 30] -- COMMAND...

The watcher subscribes to the root window's structure events before it starts the
command, so the X server itself reports the moment a top-level window of the given size
is mapped (shown); no polling, so no polling interval in the figure. The clock starts
just before the command is started. The command's process group is killed afterwards.
Standard library only: libX11 through ctypes.
"""

import argparse
import ctypes
import os
import select
import signal
import subprocess
import sys
import time

MAP_NOTIFY = 19
CONFIGURE_NOTIFY = 22
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XAnyWindowEvent(ctypes.Structure):
    # The leading fields shared by MapNotify and ConfigureNotify (XMapEvent, XConfigureEvent).
    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),
                ('display', ctypes.c_void_p), ('event', ctypes.c_ulong), ('window', ctypes.c_ulong)]


class XConfigureEvent(ctypes.Structure):
    _fields_ = XAnyWindowEvent._fields_ + [('x', ctypes.c_int), ('y', ctypes.c_int),
                                           ('width', ctypes.c_int), ('height', ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [('any', XAnyWindowEvent), ('configure', XConfigureEvent), ('pad', ctypes.c_long * 24)]


def load_xlib():
    x = ctypes.CDLL('libX11.so.6')
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x


def window_size(x, display, window):
    root, px, py = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
    w, h, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
    if not x.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(px), ctypes.byref(py),
                          ctypes.byref(w), ctypes.byref(h), ctypes.byref(border), ctypes.byref(depth)):
        return None
    return w.value, h.value


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--size', required=True, help='WIDTHxHEIGHT of the window to wait for')
    ap.add_argument('--timeout', type=float, default=30.0)
    ap.add_argument('command', nargs=argparse.REMAINDER)
    args = ap.parse_args()
    command = args.command[1:] if args.command[:1] == ['--'] else args.command
    want = tuple(int(v) for v in args.size.split('x'))

    x = load_xlib()
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit('startup_watch: cannot open the display')
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XSync(display, 0)
    fd = x.XConnectionNumber(display)

    start = time.monotonic()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             start_new_session=True)
    mapped = set()
    seen = None
    event = XEvent()
    while seen is None and time.monotonic() - start < args.timeout:
        if not x.XPending(display):
            select.select([fd], [], [], 0.05)
            continue
        x.XNextEvent(display, ctypes.byref(event))
        if event.any.type == MAP_NOTIFY:
            mapped.add(event.any.window)
            if window_size(x, display, event.any.window) == want:
                seen = time.monotonic()
        elif event.any.type == CONFIGURE_NOTIFY and event.any.window in mapped:
            if (event.configure.width, event.configure.height) == want:
                seen = time.monotonic()
    try:
        os.killpg(child.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    child.wait()
    x.XCloseDisplay(display)
    if seen is None:
        sys.exit(f'startup_watch: no {args.size} window within {args.timeout:g} s')
    print(f'{(seen - start) * 1000:.0f}')


if __name__ == '__main__':
    main()
