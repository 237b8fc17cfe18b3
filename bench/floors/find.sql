-- Find: the table read afresh, the first record of that name shown.
BEGIN;
SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = 'Employees' COLLATE NOCASE;
SELECT name, type FROM pragma_table_info('Employees');
SELECT rowid FROM Employees ORDER BY rowid;
SELECT * FROM Employees WHERE Fullname = '@FIND@' ORDER BY rowid LIMIT 1;
COMMIT;
