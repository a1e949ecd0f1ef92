#!/usr/bin/python3
"""The real program read as a screen reader reads it, through AT-SPI: in
English its menus read in English, and during a run the progress picture
names the question and says the reading, the kana done, the current kana and
the keys to press, anew after each accepted key.

Run by ctest under tests/with-x-server and dbus-run-session: tests/mainwindow/AccessibleTreeTest.py KANOBY"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi


def wait_for(what, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def kanoby_application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        application = desktop.getChildAtIndex(i)
        if application is not None and application.name == "kanoby":
            return application
    return None


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child)


def main():
    program = sys.argv[1]
    failures = []
    home = tempfile.mkdtemp(prefix="kanoby-a11y-")
    env = dict(os.environ, LANG="en_US.UTF-8", LC_ALL="", LANGUAGE="", HOME=home,
               XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               ASAN_OPTIONS="detect_leaks=0")
    os.makedirs(os.path.join(home, "data", "kanoby"))
    with open(os.path.join(home, "data", "kanoby", "word.txt"), "w", encoding="utf-8") as words:
        words.write("学校\nがっこう\n")
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    kanoby = subprocess.Popen([program], env=env)
    try:
        application = wait_for(kanoby_application)
        if application is None:
            print("kanoby never appeared on the accessibility bus")
            return 1
        menus = wait_for(lambda: [n.name for n in descendants(application)
                                  if n.getRoleName() == "menu item"
                                  and n.parent.getRoleName() == "menu bar"])
        if menus != ["File", "Practice", "Record", "View", "Settings", "Help"]:
            failures.append(f"menus read {menus}")
        picture = next((n for n in descendants(application) if n.name == "Practice display"), None)
        if picture is None:
            print("no practice display in the tree")
            return 1
        window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Kanoby$"],
                                capture_output=True, text=True, check=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        expected = [
            ("Return", "学校", "がっこう — typed , now が, keys: gakkou"),
            ("g", "学校", "がっこう — typed , now が, keys: akkou"),
            ("a", "学校", "がっこう — typed が, now っ, keys: kkou"),
            ("q", "学校", "Wrong key. がっこう — typed が, now っ, keys: kkou"),
            ("k", "学校", "がっこう — typed がっ, now こ, keys: kou"),
        ]
        for key, name, description in expected:
            subprocess.run(["xdotool", "key", "--window", window, key], check=True)
            read = wait_for(lambda: (picture.name, picture.description)
                            if (picture.name, picture.description) == (name, description)
                            else None, timeout=5)
            if read is None:
                failures.append(f"after {key}: read {picture.name!r}, {picture.description!r};"
                                f" expected {name!r}, {description!r}")
    finally:
        kanoby.kill()
        kanoby.wait()
        bus.terminate()
        bus.wait()
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
