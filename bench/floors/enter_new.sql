-- Enter New Employee: the table read afresh, the last record's number.
BEGIN;
SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = 'Employees' COLLATE NOCASE;
SELECT name, type FROM pragma_table_info('Employees');
SELECT rowid FROM Employees ORDER BY rowid;
SELECT Number FROM Employees ORDER BY rowid DESC LIMIT 1;
COMMIT;
