-- Update: the edit of the record on screen written, every name read for the
-- search list, the first record shown.
BEGIN;
UPDATE Employees SET position = 'Supervisor' WHERE rowid = (SELECT max(rowid) FROM Employees);
SELECT rowid FROM Employees ORDER BY rowid;
SELECT Fullname FROM Employees ORDER BY rowid;
SELECT * FROM Employees ORDER BY rowid LIMIT 1;
COMMIT;
