# The game and the wall editor as a screen reader sees them through AT-SPI:
# run inside a D-Bus session by test_accessibility.sh.
#   python3 accessible_names.py GAME WORK_DIR
import subprocess, sys, time
import pyatspi

game, work = sys.argv[1], sys.argv[2]
failures = []

def names_of(app):
    found, stack = set(), [app]
    while stack:
        node = stack.pop()
        try:
            found.add((node.getRoleName(), node.name))
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:  # a node that went away while it was read
            pass
    return found

def application(process):
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app.get_process_id() == process.pid and app.childCount > 0:
                    return app
            except Exception:
                pass
        time.sleep(0.1)
    raise SystemExit(f"FAIL: {process.args} never appeared on the accessibility bus")

def expect(found, wanted, what):
    for role, name in wanted:
        if (role, name) not in found:
            failures.append(f"{what}: no {role} named {name!r}")

def run(arguments, wanted, what):
    process = subprocess.Popen([game] + arguments)
    try:
        time.sleep(1.5)  # the board's build-up, or the editor's first check
        expect(names_of(application(process)), wanted, what)
    finally:
        process.kill()
        process.wait()

board = [("frame", "LX Werkbank // Wandquiz "), ("menu item", "Zuletzt gespielt"), ("menu item", "Neue Wand …"),
         ("menu item", "Wand bearbeiten …"), ("filler", "Tiere"), ("filler", "100"), ("filler", "Gruppe 1"),
         ("filler", "0")]
run([], board, "board")

editor = [("frame", "Wand bearbeiten: NEU"), ("text", "Titel"), ("text", "Autor"), ("text", "Zielgruppe"),
          ("spin button", "Schwierigkeit"), ("text", "Beschreibung"), ("text", "Frage"), ("text", "Antwort"),
          ("panel", "Art"), ("radio button", "Risiko"), ("radio button", "Joker"), ("label", "Bild"),
          ("panel", "Bildmodus"), ("radio button", "zu beiden"), ("push button", "Bild wählen …"),
          ("push button", "Ausprobieren"), ("list", "Hinweise")]
editor += [("text", f"Thema {c}") for c in range(1, 5)]
editor += [("push button", f"Thema {c}, {p} Punkte") for c in range(1, 5) for p in range(20, 101, 20)]
run(["--edit", f"{work}/NEU.lx-wqz"], editor, "editor")

for failure in failures:
    print("FAIL:", failure)
print("accessibility:", "all names found" if not failures else f"{len(failures)} missing")
sys.exit(1 if failures else 0)
