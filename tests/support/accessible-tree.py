#!/usr/bin/python3
"""What assistive technology sees of a running program through AT-SPI.

    accessible-tree.py APPLICATION
prints one line for each object of the application, as role, name, value and states separated by
tabs. The value is a slider's number or a text's characters; the states are the ones a screen
reader reads out (showing, checked, pressed, focused, enabled).

    accessible-tree.py APPLICATION --announcements
prints "listening", then one line for each change of an object's name that the application
announces, as role and new name, until it is stopped."""
import sys

import pyatspi

STATES = ("showing", "checked", "pressed", "focused", "enabled")


def value_of(accessible):
    try:
        return "%g" % accessible.queryValue().currentValue
    except NotImplementedError:
        pass
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def one_line(text):
    return " ".join(text.split())


def states_of(accessible):
    held = accessible.getState()
    return ",".join(s for s in STATES if held.contains(getattr(pyatspi, "STATE_" + s.upper())))


def print_tree(accessible):
    print("\t".join((accessible.getRoleName(), one_line(accessible.name),
                     one_line(value_of(accessible)), states_of(accessible))))
    for child in accessible:
        if child is not None:
            print_tree(child)


def print_announcement(event):
    if event.host_application is not None and event.host_application.name == sys.argv[1]:
        print("\t".join((event.source.getRoleName(), one_line(event.source.name))), flush=True)


if sys.argv[2:] == ["--announcements"]:
    pyatspi.Registry.registerEventListener(print_announcement,
                                           "object:property-change:accessible-name")
    print("listening", flush=True)
    pyatspi.Registry.start()
else:
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == sys.argv[1]:
            print_tree(application)
