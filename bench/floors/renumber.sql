-- Renumbering after a record in the middle was deleted (run.sh deletes it
-- first, untimed): Number = 1..n in table order, in one transaction.
BEGIN;
UPDATE Employees SET Number = r.n
  FROM (SELECT rowid AS id, row_number() OVER (ORDER BY rowid) AS n FROM Employees) AS r
  WHERE Employees.rowid = r.id AND Employees.Number IS NOT r.n;
COMMIT;
