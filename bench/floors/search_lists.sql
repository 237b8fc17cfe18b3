-- Load/Update search lists: the table read afresh, every name, the first
-- record shown.
BEGIN;
SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = 'Employees' COLLATE NOCASE;
SELECT name, type FROM pragma_table_info('Employees');
SELECT rowid FROM Employees ORDER BY rowid;
SELECT Fullname FROM Employees ORDER BY rowid;
SELECT * FROM Employees ORDER BY rowid LIMIT 1;
COMMIT;
