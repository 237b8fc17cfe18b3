-- Save New Employee: the new record written (after the check that the table
-- has room), the table renumbered 1..n, the new last record shown.
BEGIN;
SELECT count(*) FROM Employees;
INSERT INTO Employees (Number, Fullname, position, area, Area2, Area3, Area4,
                       monday, monstart, monstop, MonBldg1)
  VALUES (@NUMBER@, '@NEWCOMER@', 'Cook', 'Kitchen', 'No', 'No', 'No',
          'Yes', '6A.M.', '2P.M.', 'Kitchen');
UPDATE Employees SET Number = r.n
  FROM (SELECT rowid AS id, row_number() OVER (ORDER BY rowid) AS n FROM Employees) AS r
  WHERE Employees.rowid = r.id AND Employees.Number IS NOT r.n;
SELECT rowid FROM Employees ORDER BY rowid;
SELECT * FROM Employees ORDER BY rowid DESC LIMIT 1;
COMMIT;
