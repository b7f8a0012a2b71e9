#!/usr/bin/env python3
"""Starts a program and prints how long its top-level window took to appear on the X display.

time-to-map.py [--server PID] TITLE COMMAND [ARGS...]

Prints "<milliseconds> <pid> <cpu> <server cpu>": the time from just before the program is started
until the X server maps a top-level window named TITLE, the id of the process started (Wine runs the
program in it), which is left running, and the CPU milliseconds that process and the process PID
(the program's wineserver) used over the same span, which a busy machine disturbs less. The
wait costs nothing while it lasts: it sleeps on the X connection for the server's MapNotify events
on the root window (no window manager here, so a program's top-level windows are the root's
children), so it takes the same small share of the machine whatever program it watches. Exits 1
when no such window comes within a minute.
"""
import ctypes
import os
import select
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
TIMEOUT_SECONDS = 60


class XEvent(ctypes.Union):
    # Every X event is 24 longs; a MapNotify holds the mapped window in its sixth.
    _fields_ = [("type", ctypes.c_int), ("longs", ctypes.c_long * 24)]


def open_x():
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_void_p)]
    x.XFree.argtypes = [ctypes.c_void_p]
    return x


def cpu_milliseconds(pid):
    """User and system time so far of a process, 0 when it is gone."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
    except OSError:
        return 0
    return (int(fields[11]) + int(fields[12])) * 1000 // os.sysconf("SC_CLK_TCK")


def main():
    arguments = sys.argv[1:]
    server = None
    if arguments[:1] == ["--server"]:
        server, arguments = int(arguments[1]), arguments[2:]
    if len(arguments) < 2:
        sys.exit("usage: time-to-map.py [--server PID] TITLE COMMAND [ARGS...]")
    title = arguments[0].encode()
    x = open_x()
    # A window gone before its name is read raises an X error, which must not end the wait.
    handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
    ignore_errors = handler_type(lambda display, error: 0)
    x.XSetErrorHandler(ignore_errors)
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("time-to-map: no X display")
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XSync(display, 0)
    connection = x.XConnectionNumber(display)

    server_start = cpu_milliseconds(server) if server else 0
    start = time.monotonic()
    program = subprocess.Popen(arguments[1:], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    event = XEvent()
    while time.monotonic() - start < TIMEOUT_SECONDS:
        if not x.XPending(display):
            select.select([connection], [], [], 1.0)
            continue
        x.XNextEvent(display, ctypes.byref(event))
        if event.type != MAP_NOTIFY:
            continue
        mapped = time.monotonic()
        cpu = cpu_milliseconds(program.pid)
        server_cpu = cpu_milliseconds(server) - server_start if server else 0
        name = ctypes.c_void_p()
        if x.XFetchName(display, event.longs[5], ctypes.byref(name)) and name.value:
            found = ctypes.string_at(name.value) == title
            x.XFree(name)
            if found:
                print(f"{(mapped - start) * 1000:.1f} {program.pid} {cpu} {server_cpu}")
                return
    print(f"time-to-map: no window named {title.decode()} appeared", file=sys.stderr)
    sys.exit(1)


if __name__ == "__main__":
    main()
