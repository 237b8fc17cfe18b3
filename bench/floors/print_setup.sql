-- Opening the print setup: the table, every name for the exclusion list.
BEGIN;
SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = 'Employees' COLLATE NOCASE;
SELECT name, type FROM pragma_table_info('Employees');
SELECT rowid FROM Employees ORDER BY rowid;
SELECT Fullname FROM Employees ORDER BY rowid;
COMMIT;
