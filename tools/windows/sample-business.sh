#!/usr/bin/env bash
# Makes a small business in a data folder for the checks under Wine: three
# areas, positions, and a week for five employees (names with an apostrophe,
# a comma and non-Latin letters; a split shift; an employee in two areas).
#   tools/windows/sample-business.sh FOLDER
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
FOLDER="$1"
mkdir -p "$FOLDER"
cp "$ROOT"/install/{DAYS.IGH,TIMES.IGH,AREATIME.IGH,WEEKDAYS.IGH} "$FOLDER/"
printf 'Kitchen\r\nBar\r\nDining room\r\n' >"$FOLDER/AREAS.IGH"
printf 'Cook\r\nWaiter\r\nBar staff\r\n' >"$FOLDER/POSITION.IGH"
rm -f "$FOLDER/employee.mdb"
sqlite3 "$FOLDER/employee.mdb" <"$ROOT/install/schema.sql"
python3 - "$FOLDER/employee.mdb" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
def week(start, stop, area, split=None):
    days = []
    for d in range(7):
        if d < 5:
            s = split if split and d == 2 else ("", "", "")
            days += ["Yes", start, stop, area, s[0], s[1], s[2], "No", area]
        else:
            days += ["No", "", "", "", "", "", "", "No", ""]
    return days
staff = [
    ("O'Brien, Seán", "Cook", ["Kitchen", "No", "No", "No"], week("7A.M.", "3P.M.", "Kitchen")),
    ("Łukasz Nowak", "Cook", ["Kitchen", "Bar", "No", "No"],
     week("11A.M.", "2P.M.", "Kitchen", ("6P.M.", "11P.M.", "Bar"))),
    ("Zoë Smith", "Waiter", ["Dining room", "No", "No", "No"], week("5P.M.", "11P.M.", "Dining room")),
    ("王芳", "Bar staff", ["Bar", "No", "No", "No"], week("7P.M.", "2A.M.", "Bar")),
    ("Lee, Ann", "Waiter", ["Dining room", "No", "No", "No"], week("11A.M.", "7P.M.", "Dining room")),
]
for n, (name, position, areas, days) in enumerate(staff, 1):
    row = [n, name, position] + areas + days
    # The columns as the windows know them; the table keys each record itself.
    columns = [c[1] for c in db.execute("PRAGMA table_info(Employees)")][:len(row)]
    db.execute("INSERT INTO Employees (%s) VALUES (%s)" % (",".join(columns), ",".join("?" * len(row))), row)
db.commit()
PY
