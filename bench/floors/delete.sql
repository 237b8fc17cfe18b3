-- Delete: the record deleted, the file checked and compacted into a copy that
-- is checked and counted, the copy renumbered and its first record shown.
-- (Compaction cannot run inside a transaction; the renames are not SQLite's.)
DELETE FROM Employees WHERE rowid = @DELETE_ROWID@;
PRAGMA quick_check;
SELECT count(*) FROM Employees;
VACUUM INTO 'compact.mdb';
ATTACH 'compact.mdb' AS compacted;
PRAGMA compacted.quick_check;
SELECT count(*) FROM compacted.Employees;
BEGIN;
UPDATE compacted.Employees SET Number = r.n
  FROM (SELECT rowid AS id, row_number() OVER (ORDER BY rowid) AS n FROM compacted.Employees) AS r
  WHERE Employees.rowid = r.id AND Employees.Number IS NOT r.n;
SELECT rowid FROM compacted.Employees ORDER BY rowid;
SELECT * FROM compacted.Employees ORDER BY rowid LIMIT 1;
COMMIT;
