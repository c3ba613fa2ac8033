#!/usr/bin/python3
"""Waits until a process is on the AT-SPI bus and prints its tree in short.

   atspi_walk.py PID SECONDS [LOG]

Per role the count of objects; for every control its name, value or text,
states and actions, as a screen reader gets them. Exit 0 when found, 1 not,
3 as soon as the program's LOG shows that Qt's bridge lost its registration."""
import collections
import sys
import time

import pyatspi
from gi.repository import GLib

CONTROLS = ('combo box', 'radio button', 'text', 'check box', 'push button',
            'spin button', 'toggle button', 'slider')
STATES = (('enabled', pyatspi.STATE_ENABLED), ('focusable', pyatspi.STATE_FOCUSABLE),
          ('checked', pyatspi.STATE_CHECKED), ('showing', pyatspi.STATE_SHOWING),
          ('editable', pyatspi.STATE_EDITABLE))


def fresh_desktop():
    """The desktop as the registry holds it now. The reader keeps the list of
    applications it fetched first and mends it only from signals that no main
    loop delivers here, so a program that registers later stays unseen."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clearCache()
    return desktop


LOST = 'Error in contacting registry'


def lost(log):
    try:
        with open(log, errors='replace') as text:
            return LOST in text.read()
    except (OSError, TypeError):
        return False


def find_app(pid, seconds, log):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if lost(log):
            return LOST
        desktop = fresh_desktop()
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.2)
    return None


def walk(node, visit, depth=0):
    if node is None or depth > 40:
        return
    visit(node, depth)
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), visit, depth + 1)


def count(app):
    n = [0]
    walk(app, lambda node, depth: n.__setitem__(0, n[0] + 1))
    return n[0]


def settled(app, seconds):
    """The tree's object count once it stays the same for a second."""
    end = time.monotonic() + seconds
    last = -1
    while time.monotonic() < end:
        now = count(app)
        if now == last:
            return now
        last = now
        time.sleep(1.0)
    return last


def value_of(node):
    try:
        text = node.queryText()
        return repr(text.getText(0, -1))
    except Exception:
        pass
    try:
        return repr(node.queryValue().currentValue)
    except Exception:
        return ''


def describe(node):
    states = node.getState()
    shown = [name for name, state in STATES if states.contains(state)]
    actions = []
    try:
        action = node.queryAction()
        actions = [action.getName(k) for k in range(action.nActions)]
    except Exception:
        pass
    return '%-14s %-28r value=%-14s [%s] actions=%s' % (
        node.getRoleName(), node.name, value_of(node), ','.join(shown), ','.join(actions))


def main():
    pid, seconds = int(sys.argv[1]), float(sys.argv[2])
    log = sys.argv[3] if len(sys.argv) > 3 else None
    start = time.monotonic()
    app = find_app(pid, seconds, log)
    if app is LOST:
        return 3
    if app is None:
        desktop = fresh_desktop()
        names = [desktop.getChildAtIndex(i).name for i in range(desktop.childCount)]
        print('NOT ON THE BUS after %.0f s (applications on the bus: %s)' % (seconds, names))
        return 1
    found = time.monotonic() - start
    total = settled(app, 10)
    print('on the bus after %.1f s as %r, %d objects' % (found, app.name, total))
    roles = collections.Counter()
    controls = []
    outline = []

    def visit(node, depth):
        role = node.getRoleName()
        roles[role] += 1
        if role in CONTROLS:
            controls.append(describe(node))
        elif depth <= 6 and node.childCount > 0:
            outline.append('%s%s %r (%d children)' % ('  ' * depth, role, node.name, node.childCount))

    walk(app, visit)
    print('roles: ' + ', '.join('%s %d' % item for item in sorted(roles.items())))
    print('outline (containers):')
    for line in outline:
        print('  ' + line)
    print('controls: %d' % len(controls))
    for line in controls:
        print('  ' + line)
    return 0


if __name__ == '__main__':
    sys.exit(main())
