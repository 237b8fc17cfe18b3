-- The roster: the table, and of every employee the area, name and position.
BEGIN;
SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = 'Employees' COLLATE NOCASE;
SELECT name, type FROM pragma_table_info('Employees');
SELECT rowid FROM Employees ORDER BY rowid;
SELECT area, Fullname, position FROM Employees ORDER BY rowid;
COMMIT;
